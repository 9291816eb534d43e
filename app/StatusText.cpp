#include "StatusText.h"

#include <QLocale>

QString FormatThousands(qint64 n) {
  QString digits = QString::number(n < 0 ? -(n + 1) + 1ULL : quint64(n));
  for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, u'.');
  return n < 0 ? u'-' + digits : digits;
}

QString FormatSize(qint64 bytes) {
  if (bytes < 1024) return QStringLiteral("%1 B").arg(bytes);
  // The locale's decimal separator, but no group separator: "1024.0 KB", not "1,024.0 KB".
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  if (bytes < 1048576) return locale.toString(double(bytes) / 1024, 'f', 1) + QStringLiteral(" KB");
  if (bytes < 1073741824) return locale.toString(double(bytes) / 1048576, 'f', 1) + QStringLiteral(" MB");
  return locale.toString(double(bytes) / 1073741824, 'f', 1) + QStringLiteral(" GB");
}

QString StatusLineText(qint64 caretLine, qint64 caretColumn, const QString &encodingName, qint64 lineCount,
                       const QString &eolName, const QString &languageName, const QString &sizeText) {
  return QStringLiteral("Ln %1   |   Col %2   |   %3   |   %4 lines   |   %5   |   %6   |   %7")
      .arg(FormatThousands(caretLine), FormatThousands(caretColumn), encodingName, FormatThousands(lineCount), eolName,
           languageName, sizeText);
}

QString WindowTitleText(const QString &appName, bool hasDocument, bool modified, const QString &fileName,
                        const QString &displayName) {
  const QString mark = hasDocument && modified ? QStringLiteral("* ") : QString();
  if (hasDocument && !fileName.isEmpty()) return mark + fileName + QStringLiteral(" | ") + appName;
  if (hasDocument && modified) return mark + displayName + QStringLiteral(" | ") + appName;
  return appName;
}

QString TabCaptionText(const QString &displayName, bool modified) {
  return (modified ? QStringLiteral("\u2022 ") : QString()) + displayName + QString(10, u' ');
}
