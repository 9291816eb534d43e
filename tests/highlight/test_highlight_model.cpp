// Attributes, palettes and the kind-to-attribute map of TUniHighlighter.
#include "highlight/LanguageRegistry.h"
#include "highlight/Palette.h"
#include "highlight/UniHighlighter.h"
#include "platform/Colors.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// #RRGGBB as written in the colour tables, to the stored 0x00BBGGRR.
quint32 Stored(const QString &hex) {
  if (hex == u"default") return clNone;
  const quint32 rgb = hex.mid(1).toUInt(nullptr, 16);
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
}

}  // namespace

class TTestModel : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void Palettes_data();
  void Palettes();
  void AttributesOutOfRangeAreNull();
  void AttributeForKind_data();
  void AttributeForKind();
  void DarkColours_data();
  void DarkColours();
};

void TTestModel::Palettes_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("light");
  QTest::addColumn<QString>("dark");
  QTest::addColumn<int>("style");
  const struct {
    const char16_t *Name, *Light, *Dark;
    int Style;
  } rows[] = {
      {u"Text", u"default", u"default", 0},
      {u"Comment", u"#898989", u"#919191", fsItalic},
      {u"String", u"#0F6E56", u"#4FD1A0", 0},
      {u"Number", u"#854F0B", u"#E0B26B", 0},
      {u"Reserved word", u"default", u"default", fsBold},
      {u"Value", u"#534AB7", u"#B7A8F2", 0},
      {u"Function", u"#185FA5", u"#79B8F0", 0},
      {u"Brackets", u"#D85A30", u"#F08A5C", fsBold},
      {u"Symbol", u"default", u"default", 0},
      {u"Preprocessor", u"#993C1D", u"#E08A66", fsBold},
      {u"Attribute", u"#185FA5", u"#79B8F0", 0},
      {u"Element", u"#534AB7", u"#B7A8F2", fsBold},
      {u"Heading", u"default", u"default", fsBold},
      {u"Emphasis", u"default", u"default", fsItalic},
      {u"Link", u"#185FA5", u"#79B8F0", fsUnderline},
  };
  int index = 0;
  for (const auto &row : rows) {
    const QString name = QString::fromUtf16(row.Name);
    QTest::newRow(qPrintable(name)) << index++ << name << QString::fromUtf16(row.Light)
                                    << QString::fromUtf16(row.Dark) << row.Style;
  }
}

void TTestModel::Palettes() {
  QFETCH(int, index);
  QFETCH(QString, name);
  QFETCH(QString, light);
  QFETCH(QString, dark);
  QFETCH(int, style);
  TUniHighlighter highlighter(LanguageByKey(u"C/C++"));
  QCOMPARE(highlighter.AttrCount(), 15);
  TMEHighlighterAttributes *attr = highlighter.GetAttribute(index);
  QVERIFY(attr);
  QCOMPARE(attr->Name(), name);
  QCOMPARE(attr->FriendlyName(), name);
  // A new highlighter starts light.
  QVERIFY(!highlighter.DarkPalette());
  QCOMPARE(attr->Foreground(), Stored(light));
  QCOMPARE(int(attr->Style().toInt()), style);
  highlighter.ApplyPalette(true);
  QVERIFY(highlighter.DarkPalette());
  QCOMPARE(attr->Foreground(), Stored(dark));
  QCOMPARE(int(attr->Style().toInt()), style);
  QCOMPARE(attr->Background(), clNone);
  highlighter.ApplyPalette(false);
  QCOMPARE(attr->Foreground(), Stored(light));
}

void TTestModel::AttributesOutOfRangeAreNull() {
  TUniHighlighter highlighter(LanguageByKey(u"JSON"));
  QCOMPARE(highlighter.GetAttribute(-1), nullptr);
  QCOMPARE(highlighter.GetAttribute(15), nullptr);
}

void TTestModel::AttributeForKind_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("attribute");
  const char *const kinds[KTokenKindCount] = {
      "tkText",       "tkWhitespace", "tkComment",      "tkString",  "tkNumber",    "tkKeyword",
      "tkIdentifier", "tkSymbol",     "tkPreprocessor", "tkElement", "tkAttribute", "tkValue",
      "tkHeading",    "tkEmphasis",   "tkLink",         "tkList",    "tkError"};
  const char16_t *const attributes[KTokenKindCount] = {
      u"Text",    u"Text",     u"Comment",      u"String",  u"Number",    u"Reserved word",
      u"Text",    u"Symbol",   u"Preprocessor", u"Element", u"Attribute", u"Value",
      u"Heading", u"Emphasis", u"Link",         u"Text",    u"Text"};
  for (int kind = 0; kind < KTokenKindCount; ++kind)
    QTest::newRow(kinds[kind]) << kind << QString::fromUtf16(attributes[kind]);
}

void TTestModel::AttributeForKind() {
  QFETCH(int, kind);
  QFETCH(QString, attribute);
  TUniHighlighter highlighter(LanguageByKey(u"Python"));
  const TMEHighlighterAttributes *attr = highlighter.AttributeForKind(TMETokenKind(kind));
  QVERIFY(attr);
  QCOMPARE(attr->Name(), attribute);
}

void TTestModel::DarkColours_data() {
  QTest::addColumn<quint32>("colour");
  QTest::addColumn<bool>("dark");
  QTest::newRow("luma128_isLight") << quint32(0x808080) << false;
  QTest::newRow("luma127_isDark") << quint32(0x7F7F7F) << true;
  QTest::newRow("white") << quint32(0xFFFFFF) << false;
  QTest::newRow("black") << quint32(0) << true;
  // Red sits in the low byte: orange (R 255, G 128) is light, its mirror (B 255, G 128) dark.
  QTest::newRow("orange_redInLowByte") << quint32(0x0080FF) << false;
  QTest::newRow("azure_blueInHighByte") << quint32(0xFF8000) << true;
}

void TTestModel::DarkColours() {
  QFETCH(quint32, colour);
  QFETCH(bool, dark);
  QCOMPARE(IsDarkColor(colour), dark);
}

QTEST_GUILESS_MAIN(TTestModel)
#include "test_highlight_model.moc"
