// Settings: the store's kinds and lists, load and save of every setting, damaged values, recent files.
#include "app/MainSettings.h"
#include "app/RecentFiles.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void firstStartKeepsDefaults();
  void roundTrip();
  void damagedValuesReadAsDefaults();
  void listsAndOptionalValues();
  void storeListFormat();
  void recentFiles();

 private:
  QString Ini(const char *name) { return FDir.filePath(QString::fromLatin1(name)); }
  static void WriteRaw(const QString &path, const QByteArray &text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QTemporaryDir FDir;
};

void TestSettings::firstStartKeepsDefaults() {
  TSettingsStore store(Ini("none.ini"));
  TMainSettings settings;
  QVERIFY(!LoadSettings(store, settings, QRect(10, 10, 900, 600)));
  QCOMPARE(settings.FFontName, "Consolas");
  QCOMPARE(settings.FFontSize, 10);
  QCOMPARE(settings.FBgColor, KSystemWindowColor);
  QVERIFY(!settings.FHaveSavedBounds);
  QVERIFY(!settings.FFindStateLoaded);
  QVERIFY(!QFile::exists(Ini("none.ini")));  // reading creates nothing
}

void TestSettings::roundTrip() {
  TMainSettings out;
  out.FFontName = "DejaVu Sans Mono";
  out.FFontSize = 13;
  out.FBgColor = 0x00202020;
  out.FNewDocEOL = "\n";
  out.FNewDocEnc = 4;
  out.FNewDocLangTag = 42;
  out.FIndentSize = 2;
  out.FIndentUseTabs = true;
  out.FWordWrap = true;
  out.FShowLineNumbers = false;
  out.FRightEdgeCol = 80;
  out.FAutoLoadSession = true;
  out.FFindMatchCase = false;
  out.FFindMode = 2;
  out.FRecentFiles = {"/a", "/b"};
  TSettingsSnapshot snapshot{QRect(40, 50, 800, 500), true, {"/s1", "/s2"}, true};
  TSettingsStore store(Ini("round.ini"));
  SaveSettings(store, out, snapshot);

  TMainSettings in;
  QVERIFY(LoadSettings(store, in, QRect()));
  QCOMPARE(in.FSavedBounds, QRect(40, 50, 800, 500));
  QVERIFY(in.FHaveSavedBounds);
  QVERIFY(in.FRestoreMaximized);
  QCOMPARE(in.FFontName, out.FFontName);
  QCOMPARE(in.FFontSize, 13);
  QCOMPARE(in.FBgColor, out.FBgColor);
  QCOMPARE(in.FNewDocEOL, "\n");
  QCOMPARE(in.FNewDocEnc, 4);
  QCOMPARE(in.FNewDocLangTag, 42);
  QCOMPARE(in.FIndentSize, 2);
  QVERIFY(in.FIndentUseTabs);
  QVERIFY(in.FWordWrap);
  QVERIFY(!in.FShowLineNumbers);
  QCOMPARE(in.FRightEdgeCol, 80);
  QCOMPARE(in.FSessionFiles, (QStringList{"/s1", "/s2"}));
  QCOMPARE(in.FRecentFiles, (QStringList{"/a", "/b"}));
  QVERIFY(!in.FFindMatchCase);
  QCOMPARE(in.FFindMode, 2);
  QVERIFY(in.FFindStateLoaded);
}

void TestSettings::damagedValuesReadAsDefaults() {
  QByteArray recent;
  for (int i = 0; i < 20; ++i) recent += "/f" + QByteArray::number(i) + "\\n";
  WriteRaw(Ini("damaged.ini"), "[General]\nFontSize=ten\nIndentSize=999\nNewDocEnc=7\nNewDocLangTag=-3\n"
                               "FindMode=5\nNewDocEOL=x\nWinLeft=0\nWinTop=0\nWinWidth=100\nWinHeight=800\n"
                               "LineNumbers=maybe\nWordWrap=true\nRulerCol=-5\nHighlightLimitMB=99999999999\n"
                               "BgColor=123456789012\nFontName=\"  \"\nRecentFiles=\"" + recent + "\"\n");
  TSettingsStore store(Ini("damaged.ini"));
  TMainSettings s;
  QVERIFY(LoadSettings(store, s, QRect(1, 2, 3, 4)));
  QCOMPARE(s.FFontSize, 10);
  QCOMPARE(s.FIndentSize, 32);
  QCOMPARE(s.FNewDocEnc, 1);
  QCOMPARE(s.FNewDocLangTag, 0);
  QCOMPARE(s.FFindMode, 0);
  QCOMPARE(s.FNewDocEOL, "\r\n");
  QVERIFY(!s.FHaveSavedBounds);  // a width of 100 or less is no window
  QVERIFY(s.FShowLineNumbers);
  QVERIFY(s.FWordWrap);
  QCOMPARE(s.FRightEdgeCol, 0);
  QCOMPARE(s.FHighlightLimitMB, 2048);
  QCOMPARE(s.FBgColor, KSystemWindowColor);
  QCOMPARE(s.FFontName, "Consolas");
  QCOMPARE(s.FRecentFiles.size(), 15);
  QCOMPARE(s.FRecentFiles.first(), "/f0");
  QCOMPARE(s.FRecentFiles.last(), "/f14");
}

void TestSettings::listsAndOptionalValues() {
  TSettingsStore store(Ini("optional.ini"));
  TMainSettings first;
  first.FFindMode = 1;
  SaveSettings(store, first, {QRect(0, 0, 500, 400), false, {}, true});
  // Without a find dialog in this run the stored find state stays; the lists are written empty
  // when their switches are off.
  TMainSettings second;
  second.FFindMode = 2;
  second.FSaveRecentFiles = false;
  second.FRecentFiles = {"/secret"};
  second.FAutoLoadSession = false;
  SaveSettings(store, second, {QRect(), false, {"/session"}, false});
  QVERIFY(store.OpenRead());
  QCOMPARE(store.ReadInt("FindMode", -1), 1);
  QCOMPARE(store.ReadStr("RecentFiles", "none"), "");
  QCOMPARE(store.ReadStr("SessionFiles", "none"), "");
  QCOMPARE(store.ReadInt("WinWidth", -1), 500);  // no placement: the old one stays
  store.Close();
  TMainSettings in;
  in.FSaveRecentFiles = true;
  QVERIFY(LoadSettings(store, in, QRect()));
  QVERIFY(in.FRecentFiles.isEmpty());
  QVERIFY(in.FSessionFiles.isEmpty());
}

void TestSettings::storeListFormat() {
  TSettingsStore store(Ini("lists.ini"));
  QVERIFY(store.OpenWrite());
  store.WriteList("L", {"one", "two"});
  store.WriteStr("Mixed", "a\r\nb\rc\n");
  store.WriteBool("B", true);
  store.Close();
  QVERIFY(store.OpenRead());
  QCOMPARE(store.ReadStr("L", ""), "one\ntwo\n");
  QCOMPARE(store.ReadList("L"), (QStringList{"one", "two"}));
  QCOMPARE(store.ReadList("Mixed"), (QStringList{"a", "b", "c"}));
  QCOMPARE(store.ReadList("Missing"), QStringList());
  QCOMPARE(store.ReadInt("B", 7), 1);
  QVERIFY(store.ReadBool("B", false));
  QVERIFY(store.ReadBool("Missing", true));
  store.Close();
  store.WriteStr("Closed", "x");  // no key open: nothing happens
  QVERIFY(store.OpenRead());
  QCOMPARE(store.ReadStr("Closed", "default"), "default");
}

void TestSettings::recentFiles() {
  QTemporaryDir dir;
  const QString real = dir.filePath("Report.log");
  QFile f(real);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.close();
  const QString link = dir.filePath("link.log");
  QVERIFY(QFile::link(real, link));
  QStringList recent;
  for (int i = 0; i < 15; ++i) recent << QStringLiteral("/old/%1").arg(i);
  AddToRecentFiles(recent, real);
  QCOMPARE(recent.size(), 15);
  QCOMPARE(recent.first(), real);
  QVERIFY(!recent.contains("/old/14"));
  // Another spelling of the same file moves it to the top in the new spelling.
  AddToRecentFiles(recent, link);
  QCOMPARE(recent.first(), link);
  QVERIFY(!recent.contains(real));
  // Letter case makes another file here.
  AddToRecentFiles(recent, dir.filePath("report.log"));
  QVERIFY(recent.contains(link));
  AddToRecentFiles(recent, QString());
  QCOMPARE(recent.first(), dir.filePath("report.log"));
  QCOMPARE(RecentItemCaption(9, "/x/y"), "&10  /x/y");
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
