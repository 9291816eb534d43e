// The system's own desktop door, with a stand-in dbus-send of the test's own first on the search
// path: what the file manager is asked for a path (one item, whatever its name holds).
#include "platform/Shell.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSystemDesktop : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void cleanupTestCase();
  void fileManagerGetsOneItem_data();
  void fileManagerGetsOneItem();

 private:
  QTemporaryDir FBin;
  QByteArray FPath;
};

void TestSystemDesktop::initTestCase() {
  QVERIFY(FBin.isValid());
  QFile script(FBin.filePath("dbus-send"));
  QVERIFY(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/asked.txt\"\n");
  script.close();
  QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  FPath = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(FBin.path()) + ':' + FPath);
  SetDesktop(nullptr);
}

void TestSystemDesktop::cleanupTestCase() { qputenv("PATH", FPath); }

void TestSystemDesktop::fileManagerGetsOneItem_data() {
  QTest::addColumn<bool>("properties");
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("item");
  QTest::newRow("show_plain_name") << false << "/srv/logs/app.log" << "file:///srv/logs/app.log";
  QTest::newRow("comma_would_split_the_array") << false << "/srv/a,b.log" << "file:///srv/a%2Cb.log";
  QTest::newRow("blank_and_letter_encoded") << false << QString::fromUtf16(u"/srv/caf\u00E9 x.log")
                                            << "file:///srv/caf%C3%A9%20x.log";
  QTest::newRow("properties_with_comma") << true << "/srv/x,y" << "file:///srv/x%2Cy";
}

void TestSystemDesktop::fileManagerGetsOneItem() {
  QFETCH(bool, properties);
  QFETCH(QString, path);
  QFETCH(QString, item);
  QFile::remove(FBin.filePath("asked.txt"));
  QVERIFY(properties ? Desktop().ShowItemProperties(path) : Desktop().ShowItem(path));
  QFile asked(FBin.filePath("asked.txt"));
  QVERIFY(asked.open(QIODevice::ReadOnly));
  const QStringList arguments = QString::fromUtf8(asked.readAll()).split('\n', Qt::SkipEmptyParts);
  QCOMPARE(arguments.value(4),
           QString("org.freedesktop.FileManager1.") + (properties ? "ShowItemProperties" : "ShowItems"));
  QCOMPARE(arguments.value(5), "array:string:" + item);
}

QTEST_GUILESS_MAIN(TestSystemDesktop)
#include "test_system_desktop.moc"
