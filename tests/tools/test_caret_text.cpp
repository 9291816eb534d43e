// Copy and Select Around Caret, and the classifiers of a selected text: path, web address,
// registry key.
#include "ToolsTestUtil.h"
#include "core/Document.h"
#include "tools/CaretText.h"
#include "tools/SelectionKinds.h"

Q_DECLARE_METATYPE(TCaretTarget)

namespace {

// A document of these lines.
struct TLines : TMEDocument {
  explicit TLines(const QStringList &lines) { SetText(lines.join("\r\n")); }
};

// "(char,line)-(char,line)" or "none".
QString Shown(const std::optional<TCaretSelection> &selection) {
  if (!selection) return "none";
  return QString("(%1,%2)-(%3,%4)")
      .arg(selection->Anchor.Char)
      .arg(selection->Anchor.Line)
      .arg(selection->End.Char)
      .arg(selection->End.Line);
}

}  // namespace

class TestCaretText : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void copy_data();
  void copy();
  void select_data();
  void select();
  void caretOutsideItsLine();
  void pathShapes_data();
  void pathShapes();
  void urlShapes_data();
  void urlShapes();
  void registryKeys_data();
  void registryKeys();
};

void TestCaretText::copy_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::addColumn<TCaretTarget>("target");
  QTest::addColumn<QString>("copied");
  using T = TCaretTarget;
  const QStringList three{"first", "second line", "third"};
  QTest::newRow("to_line_end") << three << 3 << 2 << T::ToLineEnd << "cond line";
  QTest::newRow("to_line_start") << three << 3 << 2 << T::ToLineStart << "se";
  QTest::newRow("to_document_end") << three << 8 << 2 << T::ToDocEnd << "line\r\nthird";
  QTest::newRow("to_document_start") << three << 3 << 2 << T::ToDocStart << "first\r\nse";
  QTest::newRow("next_word_from_inside_a_word") << QStringList{"hello world"} << 3 << 1 << T::NextWord << "llo";
  QTest::newRow("previous_word_from_inside_a_word") << QStringList{"hello world"} << 3 << 1 << T::PrevWord << "he";
  QTest::newRow("next_word_skips_punctuation") << QStringList{"a = (b_2)"} << 2 << 1 << T::NextWord << "b_2";
  QTest::newRow("previous_word_skips_blanks") << QStringList{"foo   "} << 7 << 1 << T::PrevWord << "foo";
  QTest::newRow("words_take_letters_beyond_the_bmp")
      << QStringList{QString::fromUtf16(u"x \U0001D400\U0001D401 y")} << 3 << 1 << T::NextWord
      << QString::fromUtf16(u"\U0001D400\U0001D401");
  QTest::newRow("to_next_double_quote") << QStringList{"say \"hi\" now"} << 1 << 1 << T::ToNextDoubleQuote << "say ";
  QTest::newRow("to_previous_single_quote") << QStringList{"it's here"} << 10 << 1 << T::ToPrevSingleQuote << "s here";
  QTest::newRow("previous_quote_just_before_caret_gives_nothing")
      << QStringList{"\"abc\" d"} << 6 << 1 << T::ToPrevDoubleQuote << "";
  QTest::newRow("previous_quote_just_after_caret_not_taken")
      << QStringList{"\"abc\" d"} << 5 << 1 << T::ToPrevDoubleQuote << "abc";
  QTest::newRow("no_quote_copies_nothing") << QStringList{"plain"} << 2 << 1 << T::ToNextSingleQuote << "";
  QTest::newRow("between_parens_inner") << QStringList{"call(a, (b), c)"} << 10 << 1 << T::BetweenParens << "b";
  QTest::newRow("between_parens_outer") << QStringList{"call(a, (b), c)"} << 6 << 1 << T::BetweenParens
                                        << "a, (b), c";
  QTest::newRow("closing_bracket_after_caret_counts")
      << QStringList{"f(a(b)c)"} << 6 << 1 << T::BetweenParens << "a(b)c";
  QTest::newRow("between_brackets") << QStringList{"x[1][2]"} << 6 << 1 << T::BetweenBrackets << "2";
  QTest::newRow("between_braces_unclosed") << QStringList{"{ a"} << 3 << 1 << T::BetweenBraces << "";
  QTest::newRow("between_single_quotes_before_closing_quote_takes_it_as_opening")
      << QStringList{"x = 'abc'"} << 9 << 1 << T::BetweenSingleQuotes << "";
  QTest::newRow("between_single_quotes_inside") << QStringList{"x = 'abc'"} << 7 << 1 << T::BetweenSingleQuotes
                                                << "abc";
  QTest::newRow("between_double_quotes_opening_after_caret")
      << QStringList{"k \"v\""} << 1 << 1 << T::BetweenDoubleQuotes << "v";
}

void TestCaretText::copy() {
  QFETCH(QStringList, lines);
  QFETCH(int, x);
  QFETCH(int, y);
  QFETCH(TCaretTarget, target);
  QFETCH(QString, copied);
  QCOMPARE(Visible(CopyAroundCaret(target, TLines(lines), {x, y})), Visible(copied));
}

void TestCaretText::select_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::addColumn<TCaretTarget>("target");
  QTest::addColumn<QString>("selection");
  using T = TCaretTarget;
  const QStringList three{"first", "second line", "third"};
  QTest::newRow("to_line_end") << three << 3 << 2 << T::ToLineEnd << "(3,2)-(12,2)";
  QTest::newRow("to_line_start") << three << 3 << 2 << T::ToLineStart << "(1,2)-(3,2)";
  QTest::newRow("to_document_end") << three << 3 << 2 << T::ToDocEnd << "(3,2)-(6,3)";
  QTest::newRow("to_document_start") << three << 3 << 2 << T::ToDocStart << "(1,1)-(3,2)";
  QTest::newRow("words_select_nothing") << three << 3 << 2 << T::NextWord << "none";
  QTest::newRow("to_next_quote") << QStringList{"a 'b'"} << 1 << 1 << T::ToNextSingleQuote << "(1,1)-(3,1)";
  // The caret right after a closing quote: that quote is the previous one, so nothing between.
  QTest::newRow("to_previous_quote_from_after_closing_quote")
      << QStringList{"say \"hi\" x"} << 9 << 1 << T::ToPrevDoubleQuote << "(9,1)-(9,1)";
  QTest::newRow("to_previous_quote_never_takes_the_quote_after_the_caret")
      << QStringList{"say \"hi\" x"} << 8 << 1 << T::ToPrevDoubleQuote << "(6,1)-(8,1)";
  QTest::newRow("to_previous_quote_none") << QStringList{"abc"} << 3 << 1 << T::ToPrevDoubleQuote << "none";
  QTest::newRow("between_braces") << QStringList{"{ab}"} << 2 << 1 << T::BetweenBraces << "(2,1)-(4,1)";
}

void TestCaretText::select() {
  QFETCH(QStringList, lines);
  QFETCH(int, x);
  QFETCH(int, y);
  QFETCH(TCaretTarget, target);
  QFETCH(QString, selection);
  QCOMPARE(Shown(SelectAroundCaret(target, TLines(lines), {x, y})), selection);
}

void TestCaretText::caretOutsideItsLine() {
  const TLines lines({"abc", "de"});
  QCOMPARE(CopyAroundCaret(TCaretTarget::ToLineEnd, lines, {99, 2}), "");
  QCOMPARE(CopyAroundCaret(TCaretTarget::ToLineStart, lines, {99, 2}), "de");
  QCOMPARE(CopyAroundCaret(TCaretTarget::ToLineEnd, lines, {-5, 1}), "abc");
  QCOMPARE(CopyAroundCaret(TCaretTarget::ToLineEnd, lines, {1, 3}), "");
  QCOMPARE(Shown(SelectAroundCaret(TCaretTarget::ToLineStart, lines, {1, 0})), "none");
}

void TestCaretText::pathShapes_data() {
  QTest::addColumn<QString>("selection");
  QTest::addColumn<bool>("looksLikePath");
  QTest::addColumn<QString>("pathText");
  QTest::newRow("absolute_path") << " /var/log/syslog " << true << "/var/log/syslog";
  QTest::newRow("quoted_path") << "\"/tmp/a b.txt\"" << true << "/tmp/a b.txt";
  QTest::newRow("home_path") << "~/notes.txt" << true << "~/notes.txt";
  QTest::newRow("windows_drive") << "\"C:\\dir\\file.txt\"" << true << "C:\\dir\\file.txt";
  QTest::newRow("windows_share") << "\\\\server\\share" << true << "\\\\server\\share";
  QTest::newRow("relative_path") << "dir/file.txt" << false << "dir/file.txt";
  QTest::newRow("root_alone_is_too_short") << "/" << false << "/";
  QTest::newRow("line_break") << "/a\n/b" << false << "/a\n/b";
  QTest::newRow("quote_alone") << "\"" << false << "\"";
}

void TestCaretText::pathShapes() {
  QFETCH(QString, selection);
  QFETCH(bool, looksLikePath);
  QFETCH(QString, pathText);
  QCOMPARE(LooksLikePath(selection), looksLikePath);
  QCOMPARE(SelectedPathText(selection), pathText);
}

void TestCaretText::urlShapes_data() {
  QTest::addColumn<QString>("selection");
  QTest::addColumn<bool>("looksLikeUrl");
  QTest::newRow("https_with_blanks") << "  https://example.com  " << true;
  QTest::newRow("upper_case_http") << "HTTP://example.com" << true;
  QTest::newRow("two_lines") << "https://a.example\r\nx" << false;
  QTest::newRow("ftp") << "ftp://example.com" << false;
  QTest::newRow("plain_text") << "example.com" << false;
}

void TestCaretText::urlShapes() {
  QFETCH(QString, selection);
  QFETCH(bool, looksLikeUrl);
  QCOMPARE(LooksLikeUrl(selection), looksLikeUrl);
}

void TestCaretText::registryKeys_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("key");  // empty: not a key
  QTest::newRow("short_root_trailing_backslashes") << "HKLM\\Software\\X\\\\" << "Computer\\HKEY_LOCAL_MACHINE\\Software\\X";
  QTest::newRow("root_alone_lower_case") << "hkcu" << "Computer\\HKEY_CURRENT_USER";
  QTest::newRow("computer_prefix") << " computer\\HKEY_USERS\\S-1-5-18 " << "Computer\\HKEY_USERS\\S-1-5-18";
  QTest::newRow("my_computer_prefix") << "My Computer\\HKCC\\System" << "Computer\\HKEY_CURRENT_CONFIG\\System";
  QTest::newRow("classes_root") << "HKCR\\.txt" << "Computer\\HKEY_CLASSES_ROOT\\.txt";
  QTest::newRow("unknown_root") << "HKXX\\a" << "";
  QTest::newRow("only_backslashes") << "\\\\\\" << "";
  QTest::newRow("two_lines") << "HKLM\\a\nHKLM\\b" << "";
  QTest::newRow("kelvin_sign_is_not_k") << QString::fromUtf16(u"H\u212ALM\\Software") << "";
}

void TestCaretText::registryKeys() {
  QFETCH(QString, text);
  QFETCH(QString, key);
  QCOMPARE(NormalizeRegistryKey(text).value_or(QString()), key);
}

QTEST_GUILESS_MAIN(TestCaretText)
#include "test_caret_text.moc"
