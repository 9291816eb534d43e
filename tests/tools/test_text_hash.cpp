// Digests of a text's UTF-8 bytes, checked against published vectors and coreutils.
#include "ToolsTestUtil.h"
#include "tools/TextHash.h"

Q_DECLARE_METATYPE(TTextHashKind)

namespace {
QString U(const char16_t *text) { return QString::fromUtf16(text); }
}  // namespace

class TestTextHash : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void digests_data();
  void digests();
  void digestsMatchCoreutils_data();
  void digestsMatchCoreutils();
};

void TestTextHash::digests_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("md5");
  QTest::addColumn<QString>("sha1");
  QTest::addColumn<QString>("sha256");
  QTest::newRow("empty") << "" << "d41d8cd98f00b204e9800998ecf8427e" << "da39a3ee5e6b4b0d3255bfef95601890afd80709"
                         << "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
  QTest::newRow("abc") << "abc" << "900150983cd24fb0d6963f7d28e17f72" << "a9993e364706816aba3e25717850c26c9cd0d89d"
                       << "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
  QTest::newRow("two_lines_with_crlf") << "line1\r\nline2" << "133faf504928b85572d6aae8fff988aa"
                                       << "2e8b459e11acdf2861942e27e7651513578e8c7d"
                                       << "d14a91a6d1c6ee83bf0c774ebecbee6d8b393b395dae29eea839c354d6fba9c0";
  QTest::newRow("surrogate_pair_hashed_as_one_character")
      << U(u"\U0001F600") << "2a02eac39d716a70ecf37579185927b6" << "9c533688a979a858cbd6a43c9f91aba624651f18"
      << "f0443a342c5ef54783a111b51ba56c938e474c32324d90c3a60c9c8e3a37e2d9";
  QTest::newRow("lone_surrogate_as_replacement_character")
      << QString(QChar(0xD83D)) << "9b759040321a408a5c7768b4511287a6" << "9bdb77276c1852e1fb067820472812fcf6084024"
      << "83d544ccc223c057d2bf80d3f2a32982c32c3c0db8e2674820da5064783fb097";
}

void TestTextHash::digests() {
  QFETCH(QString, text);
  QFETCH(QString, md5);
  QFETCH(QString, sha1);
  QFETCH(QString, sha256);
  QCOMPARE(Outcome(HashText(text, TTextHashKind::Md5)), QStringLiteral("ok:") + md5);
  QCOMPARE(Outcome(HashText(text, TTextHashKind::Sha1)), QStringLiteral("ok:") + sha1);
  QCOMPARE(Outcome(HashText(text, TTextHashKind::Sha256)), QStringLiteral("ok:") + sha256);
}

void TestTextHash::digestsMatchCoreutils_data() {
  QTest::addColumn<TTextHashKind>("kind");
  QTest::addColumn<QString>("program");
  QTest::newRow("md5") << TTextHashKind::Md5 << "md5sum";
  QTest::newRow("sha1") << TTextHashKind::Sha1 << "sha1sum";
  QTest::newRow("sha256") << TTextHashKind::Sha256 << "sha256sum";
}

void TestTextHash::digestsMatchCoreutils() {
  QFETCH(TTextHashKind, kind);
  QFETCH(QString, program);
  if (!HasProgram(program)) QSKIP("coreutils digest program missing");
  // Over a mebibyte, with a pair across the piece boundary of the UTF-8 conversion.
  const QString text = QStringLiteral("x").repeated((1 << 20) - 1) + U(u"\U0001F600 \u00E9t\u00E9\r\n").repeated(1000);
  const TProgramRun run = RunProgram(program, {}, text.toUtf8());
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(Outcome(HashText(text, kind)), QStringLiteral("ok:") + QString::fromLatin1(run.Output.left(run.Output.indexOf(' '))));
}

QTEST_GUILESS_MAIN(TestTextHash)
#include "test_text_hash.moc"
