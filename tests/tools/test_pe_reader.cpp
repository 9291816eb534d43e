// The executable reader: version fields of PE32 and PE32+ images built here, keys found without
// regard to case, damaged images read as missing parts, and the signer of a signature made here,
// verified when intact and labelled unverified when the image or the message was changed.
#include "../TestCertificates.h"
#include "PeFixture.h"
#include "ToolsTestUtil.h"
#include "tools/pe/PeSignature.h"
#include "tools/pe/PeVersion.h"

#include <QRandomGenerator>

Q_DECLARE_METATYPE(TPeTamper)

class TestPeReader : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void versionFields_data();
  void versionFields();
  void missingParts();
  void damagedImagesNeverReadPastTheEnd();
  void signer_data();
  void signer();
  void unsignedAndGarbage();
};

void TestPeReader::versionFields_data() {
  QTest::addColumn<bool>("is64");
  QTest::addColumn<QString>("tableKey");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("value");  // "<none>": missing
  for (const bool is64 : {false, true}) {
    const char *kind = is64 ? "pe32plus" : "pe32";
    QTest::addRow("%s_product_name", kind) << is64 << "040904B0" << "ProductName" << "Quennet Test";
    QTest::addRow("%s_file_version", kind) << is64 << "040904B0" << "FileVersion" << "1.2.3.4";
    QTest::addRow("%s_field_in_other_case", kind) << is64 << "040904B0" << "companyname" << "Tarsolin Test";
    QTest::addRow("%s_lower_case_table_key", kind) << is64 << "040904b0" << "ProductVersion" << "1.2";
    QTest::addRow("%s_missing_field", kind) << is64 << "040904B0" << "FileDescription" << "<none>";
    QTest::addRow("%s_table_of_other_language", kind) << is64 << "040704B0" << "ProductName" << "<none>";
  }
}

void TestPeReader::versionFields() {
  QFETCH(bool, is64);
  QFETCH(QString, tableKey);
  QFETCH(QString, field);
  QFETCH(QString, value);
  TPeFixture fixture;
  fixture.Is64 = is64;
  fixture.TableKey = tableKey;
  fixture.Strings = {{"CompanyName", "Tarsolin Test"}, {"FileVersion", "1.2.3.4"}, {"ProductName", "Quennet Test"},
                     {"ProductVersion", "1.2"}};
  const std::optional<TPeVersionInfo> info = ReadPeVersionInfo(fixture.Build());
  QVERIFY(info);
  QCOMPARE(info->Translations, QList<quint32>{0x04B00409});
  QCOMPARE(VersionString(*info, field).value_or("<none>"), value);
}

void TestPeReader::missingParts() {
  TPeFixture noVersion;
  noVersion.WithVersion = false;
  QVERIFY(!ReadPeVersionInfo(noVersion.Build()));
  TPeFixture noTranslation;
  noTranslation.Translations = {};
  noTranslation.Strings = {{"ProductName", "X"}};
  const std::optional<TPeVersionInfo> info = ReadPeVersionInfo(noTranslation.Build());
  QVERIFY(info);
  QVERIFY(info->Translations.isEmpty());
  QVERIFY(!VersionString(*info, u"ProductName"));
  QVERIFY(!ReadPeVersionInfo(QByteArray("MZ")));
  QVERIFY(!ReadPeVersionInfo(QByteArray("plain text, not an executable at all, long enough to hold a header offset")));
}

// Every prefix of an image, and images with bytes flipped at random: reading gives an answer or
// none, and (under the sanitizers) never reads a byte past the end.
void TestPeReader::damagedImagesNeverReadPastTheEnd() {
  TPeFixture fixture;
  fixture.Strings = {{"ProductName", "Cut"}};
  const QByteArray image = fixture.Build();
  for (qsizetype size = 0; size <= image.size(); ++size) {
    const QByteArray cut = image.first(size);  // its own buffer, so reading past its end is caught
    const std::optional<TPeVersionInfo> info = ReadPeVersionInfo(cut);
    if (size == image.size()) QVERIFY(info);
    ReadPeSigner(cut);
  }
  QRandomGenerator random(2024);
  for (int round = 0; round < 2000; ++round) {
    QByteArray damaged = image;
    for (int flips = 0; flips < 4; ++flips) damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
    ReadPeVersionInfo(damaged);
    ReadPeSigner(damaged);
  }
}

void TestPeReader::signer_data() {
  QTest::addColumn<bool>("is64");
  QTest::addColumn<TPeTamper>("tamper");
  QTest::addColumn<bool>("verified");
  QTest::newRow("pe32_intact") << false << TPeTamper::Nothing << true;
  QTest::newRow("pe32plus_intact") << true << TPeTamper::Nothing << true;
  QTest::newRow("image_changed_after_signing") << false << TPeTamper::Image << false;
  QTest::newRow("signature_value_broken") << true << TPeTamper::Signature << false;
}

void TestPeReader::signer() {
  QFETCH(bool, is64);
  QFETCH(TPeTamper, tamper);
  QFETCH(bool, verified);
  const TTestCertificate certificate = MakeTestCertificate("Quennet Test Signer");
  TPeFixture fixture;
  fixture.Is64 = is64;
  const QByteArray signedImage =
      SignPeFixture(fixture.Build(), is64, certificate.Key.get(), certificate.Certificate.get(), tamper);
  const std::optional<TPeSigner> signer = ReadPeSigner(signedImage);
  QVERIFY(signer);
  QCOMPARE(signer->Name, "Quennet Test Signer");
  QCOMPARE(signer->Verified, verified);
}

void TestPeReader::unsignedAndGarbage() {
  TPeFixture fixture;
  QVERIFY(!ReadPeSigner(fixture.Build()));
  // A certificate table that holds no PKCS #7 message.
  QByteArray image = fixture.Build();
  const qsizetype entry = PeCertificateEntryOffset(false);
  QByteArray table(16, 'x');
  qToLittleEndian<quint32>(16, table.data());
  qToLittleEndian<quint32>(quint32(image.size()), image.data() + entry);
  qToLittleEndian<quint32>(16, image.data() + entry + 4);
  QVERIFY(!ReadPeSigner(image + table));
  // A table that claims to run past the file.
  qToLittleEndian<quint32>(4096, image.data() + entry + 4);
  QVERIFY(!ReadPeSigner(image + table));
}

QTEST_GUILESS_MAIN(TestPeReader)
#include "test_pe_reader.moc"
