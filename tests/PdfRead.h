#pragma once
// Reading a printed PDF back with poppler's tools, for the tests of every layer that prints.
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// The tool's standard output; empty when it failed.
inline QString RunTool(const QString &program, const QStringList &arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

inline bool HavePoppler() {
  for (const char *tool : {"pdftotext", "pdfinfo", "pdftoppm"})
    if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return false;
  return true;
}

// -1 when the file is no PDF.
inline int PageCount(const QString &pdf) {
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
          .match(RunTool(QStringLiteral("pdfinfo"), {pdf}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The plain text of each page.
inline QStringList PageTexts(const QString &pdf) {
  QStringList pages = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).split(u'\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}
