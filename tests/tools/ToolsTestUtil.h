#pragma once
// Helpers for the text-tool tests: readable dumps and the outside programs that check our output.
#include "tools/TextResult.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>

// Code units outside printable ASCII written as <XXXX>, so a failure shows every break and mark.
inline QString Visible(const QString &text) {
  QString out;
  for (QChar c : text) {
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'<') out += c;
    else out += QStringLiteral("<%1>").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
  }
  return out;
}

// "ok:" and the text, or "error:" and the message, for one comparison per row.
inline QString Outcome(const TTextResult &result) {
  return result.IsOk() ? QStringLiteral("ok:") + result.Value() : QStringLiteral("error:") + result.Error();
}

inline bool HasProgram(const QString &program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

struct TProgramRun {
  QByteArray Output;
  int ExitCode = -1;
};

// Runs an outside program with input on its standard input.
inline TProgramRun RunProgram(const QString &program, const QStringList &arguments, const QByteArray &input) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted()) qFatal("could not start %s", qPrintable(program));
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(120000)) qFatal("%s did not finish", qPrintable(program));
  return {process.readAllStandardOutput(), process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1};
}

#define REQUIRE_PROGRAM(program) \
  if (!HasProgram(QStringLiteral(program))) QSKIP(program " is not installed")
