// The Insert submenu's own commands in a window: each replaces the selection with its text as one
// undoable edit, none inserts empty text or marks a document it did not change, and the executable
// inserts read version fields and signers of images built here.
#include "../TestCertificates.h"
#include "../tools/PeFixture.h"
#include "AppTestUtil.h"
#include "platform/MachineFacts.h"
#include "platform/Prompts.h"

#include <QRegularExpression>

namespace {

// Answers every prompt with one text (nullopt: Cancel) and keeps the requests.
struct TPromptAnswer {
  QList<TPromptRequest> Asked;
  explicit TPromptAnswer(std::optional<QString> answer) {
    SetPromptAnswerer([this, answer](const TPromptRequest &request) {
      Asked << request;
      return answer;
    });
  }
  ~TPromptAnswer() { SetPromptAnswerer(nullptr); }
};

}  // namespace

class TestInsertCommands : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void replacesTheSelectionAsOneEdit_data();
  void replacesTheSelectionAsOneEdit();
  void currentFileParts_data();
  void currentFileParts();
  void untitledDocumentGetsNoPath();
  void colorCancelledInsertsNothing();
  void exeVersionFields_data();
  void exeVersionFields();
  void exeSigner_data();
  void exeSigner();
  void browsedFilePath();

 private:
  QString Exe(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }
  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TfrmMain> FWindow;
};

void TestInsertCommands::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FWindow = MakeWindow(*FDir);
}

void TestInsertCommands::cleanup() { FWindow.reset(); }

void TestInsertCommands::replacesTheSelectionAsOneEdit_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("pattern");  // the whole inserted text
  const QString hex = "[0-9a-f]";
  QTest::newRow("uuid") << "cmInsUuid" << hex + "{8}-" + hex + "{4}-4" + hex + "{3}-[89ab]" + hex + "{3}-" + hex + "{12}";
  QTest::newRow("guid") << "cmInsGuid" << "\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}";
  QTest::newRow("date_mysql") << "cmDtMySQL" << "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d";
  QTest::newRow("date_iso") << "cmDtISO" << "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}[+-]\\d\\d:\\d\\d";
  QTest::newRow("date_short") << "cmDtShort" << "\\d\\d:\\d\\d .+";
  QTest::newRow("date_long") << "cmDtLong" << "\\d\\d:\\d\\d .+";
  QTest::newRow("timestamp") << "cmDtTimestamp" << "\\d{10}";
  QTest::newRow("color_hex_hash") << "cmColHexHash" << "#FF0A00";
  QTest::newRow("color_hex") << "cmColHex" << "FF0A00";
  QTest::newRow("color_rgb") << "cmColRgb" << "255,10,0";
  QTest::newRow("color_rgba") << "cmColRgba" << "255,10,0,1\\.0";
  QTest::newRow("random_ipv4") << "cmRndIPv4" << "\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}";
  QTest::newRow("random_md5") << "cmRndMD5" << hex + "{32}";
  QTest::newRow("random_sha1") << "cmRndSHA1" << hex + "{40}";
  QTest::newRow("random_sha256") << "cmRndSHA256" << hex + "{64}";
  QTest::newRow("pc_user") << "cmInsPCUser" << QRegularExpression::escape(UserName());
  if (!ComputerName().isEmpty())
    QTest::newRow("pc_name") << "cmInsPCName" << QRegularExpression::escape(ComputerName());
}

void TestInsertCommands::replacesTheSelectionAsOneEdit() {
  QFETCH(QString, command);
  QFETCH(QString, pattern);
  TScriptedBoxes boxes;
  TPromptAnswer colour(QString("#ff0a00"));
  TMEEdit *editor = FWindow->ActiveEditor();
  Type(editor, "left SELECTED right");
  editor->SetModified(false);
  editor->SetCaretAndSelection({14, 1}, {6, 1}, {14, 1});
  QCOMPARE(editor->SelText(), "SELECTED");
  const qint64 before = QDateTime::currentSecsSinceEpoch();
  RunCommand(*FWindow, command);
  const QString text = editor->GetText();
  const QRegularExpression whole("^left (" + pattern + ") right$");
  const QRegularExpressionMatch match = whole.match(text);
  QVERIFY2(match.hasMatch(), qPrintable(text));
  if (command == "cmDtTimestamp") QVERIFY(qAbs(match.captured(1).toLongLong() - before) <= 5);
  QVERIFY(editor->Modified());
  QCOMPARE(editor->CaretXY(), TBufferCoord(6 + int(match.captured(1).size()), 1));
  editor->Undo();
  QCOMPARE(editor->GetText(), "left SELECTED right");
  QVERIFY(boxes.Asked.isEmpty());
}

void TestInsertCommands::currentFileParts_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("part");  // %1: the folder
  QTest::newRow("full_path") << "notes.tar.gz" << "cmInsFullPath" << "%1/notes.tar.gz";
  QTest::newRow("file_name") << "notes.tar.gz" << "cmInsFileName" << "notes.tar.gz";
  QTest::newRow("without_extension") << "notes.tar.gz" << "cmInsFileNameNoExt" << "notes.tar";
  QTest::newRow("dot_file_keeps_its_name") << ".bashrc" << "cmInsFileNameNoExt" << ".bashrc";
  QTest::newRow("directory") << "notes.txt" << "cmInsDirPath" << "%1";
}

void TestInsertCommands::currentFileParts() {
  QFETCH(QString, name);
  QFETCH(QString, command);
  QFETCH(QString, part);
  const QString path = MakeFile(*FDir, name, "");
  FWindow->OpenFile(path);
  TMEEdit *editor = FWindow->ActiveEditor();
  QVERIFY(!editor->Modified());
  RunCommand(*FWindow, command);
  QCOMPARE(editor->GetText(), part.arg(QFileInfo(path).absolutePath()));
  QVERIFY(editor->Modified());
}

void TestInsertCommands::untitledDocumentGetsNoPath() {
  TMEEdit *editor = FWindow->ActiveEditor();
  for (const char *command : {"cmInsFullPath", "cmInsFileName", "cmInsFileNameNoExt", "cmInsDirPath"})
    RunCommand(*FWindow, command);
  QCOMPARE(editor->GetText(), "");
  QVERIFY(!editor->Modified());
}

void TestInsertCommands::colorCancelledInsertsNothing() {
  TPromptAnswer cancel(std::nullopt);
  RunCommand(*FWindow, "cmColRgb");
  QCOMPARE(cancel.Asked.size(), 1);
  QCOMPARE(cancel.Asked[0].Kind, TPromptKind::Color);
  QVERIFY(!FWindow->ActiveEditor()->Modified());
}

void TestInsertCommands::exeVersionFields_data() {
  QTest::addColumn<QByteArray>("image");
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("inserted");
  QTest::addColumn<QString>("message");
  TPeFixture fixture;
  fixture.Is64 = true;
  fixture.Strings = {{"ProductName", "  Quennet Test  "}, {"FileVersion", "2.0.1.7"}};
  const QByteArray image = fixture.Build();
  QTest::newRow("product_name_trimmed") << image << "cmExeProductName" << "Quennet Test" << "";
  QTest::newRow("file_version") << image << "cmExeFileVersion" << "2.0.1.7" << "";
  QTest::newRow("missing_company_name") << image << "cmExeCompanyName" << ""
                                        << "The selected file has no \"CompanyName\" value.";
  QTest::newRow("not_an_executable") << QByteArray("just text") << "cmExeProductName" << ""
                                     << "No version information found in the selected file.";
  TPeFixture untranslated;
  untranslated.Translations = {};
  untranslated.Strings = {{"ProductName", "X"}};
  QTest::newRow("no_translation_stops_silently") << untranslated.Build() << "cmExeProductName" << "" << "";
}

void TestInsertCommands::exeVersionFields() {
  QFETCH(QByteArray, image);
  QFETCH(QString, command);
  QFETCH(QString, inserted);
  QFETCH(QString, message);
  TScriptedBoxes boxes;
  TPromptAnswer pick(Exe("tool.exe", image));
  RunCommand(*FWindow, command);
  QCOMPARE(pick.Asked.size(), 1);
  QCOMPARE(pick.Asked[0].Kind, TPromptKind::OpenFile);
  QVERIFY(pick.Asked[0].Filter.startsWith("Executable files (*.exe *.dll *.sys)"));
  QCOMPARE(FWindow->ActiveEditor()->GetText(), inserted);
  QCOMPARE(boxes.Texts().join('|'), message);
  QCOMPARE(FWindow->ActiveEditor()->Modified(), !inserted.isEmpty());
}

void TestInsertCommands::exeSigner_data() {
  QTest::addColumn<int>("signing");  // 0 unsigned, 1 signed, 2 changed after signing
  QTest::addColumn<QString>("inserted");
  QTest::newRow("verified_signature") << 1 << "Quennet Test Signer";
  QTest::newRow("changed_image_labelled") << 2 << "Quennet Test Signer (signature not verified)";
  QTest::newRow("unsigned") << 0 << "";
}

void TestInsertCommands::exeSigner() {
  QFETCH(int, signing);
  QFETCH(QString, inserted);
  TScriptedBoxes boxes;
  const TTestCertificate certificate = MakeTestCertificate("Quennet Test Signer");
  QByteArray image = TPeFixture().Build();
  if (signing > 0)
    image = SignPeFixture(image, false, certificate.Key.get(), certificate.Certificate.get(),
                          signing == 2 ? TPeTamper::Image : TPeTamper::Nothing);
  TPromptAnswer pick(Exe("signed.exe", image));
  RunCommand(*FWindow, "cmInsExeSigner");
  QCOMPARE(FWindow->ActiveEditor()->GetText(), inserted);
  QCOMPARE(boxes.Texts().join('|'),
           inserted.isEmpty() ? QString("Could not read a digital signature from the selected file.") : QString());
}

void TestInsertCommands::browsedFilePath() {
  const QString path = MakeFile(*FDir, "picked.bin", "x");
  TPromptAnswer pick(path);
  RunCommand(*FWindow, "cmInsBrowseFile");
  QCOMPARE(pick.Asked[0].Title, "Select File to Insert Its Full Path");
  QCOMPARE(FWindow->ActiveEditor()->GetText(), path);
}

QTEST_MAIN(TestInsertCommands)
#include "test_insert_commands.moc"
