#include "InsertTexts.h"

#include "RandomGenerator.h"

#include <cmath>

namespace {

bool IsSeparator(QChar c) {
#ifdef Q_OS_WIN
  return c == u'/' || c == u'\\';
#else
  return c == u'/';
#endif
}

qsizetype LastSeparator(const QString &path) {
  for (qsizetype i = path.size() - 1; i >= 0; --i)
    if (IsSeparator(path[i])) return i;
  return -1;
}

QString OffsetText(int offsetSeconds) {
  const int minutes = int(std::lround(offsetSeconds / 60.0));
  const int absolute = std::abs(minutes);
  return QString::asprintf("%s%.2d:%.2d", minutes >= 0 ? "+" : "-", absolute / 60, absolute % 60);
}

}  // namespace

QString UuidText(const QUuid &uuid) { return uuid.toString(QUuid::WithoutBraces).toLower(); }

QString GuidText(const QUuid &uuid) { return uuid.toString(QUuid::WithBraces).toUpper(); }

QString DateTimeText(int tag, const QDateTime &now, const QTimeZone &zone, const QLocale &locale) {
  const QDateTime local = now.toTimeZone(zone);
  switch (TDateTimeForm(tag)) {
    case TDateTimeForm::MySql: return local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case TDateTimeForm::Short:
      return local.toString(QStringLiteral("HH:mm ")) + locale.toString(local.date(), QLocale::ShortFormat);
    case TDateTimeForm::Long:
      return local.toString(QStringLiteral("HH:mm ")) + locale.toString(local.date(), QLocale::LongFormat);
    case TDateTimeForm::UnixSeconds: return QString::number(now.toSecsSinceEpoch());
    case TDateTimeForm::IsoLocal:
    default: return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + OffsetText(local.offsetFromUtc());
  }
}

QString ColorText(int tag, int r, int g, int b) {
  switch (tag) {
    case 1: return QString::asprintf("%.2X%.2X%.2X", r, g, b);
    case 2: return QString::asprintf("%d,%d,%d", r, g, b);
    case 3: return QString::asprintf("%d,%d,%d,%s", r, g, b, "1.0");
    default: return QString::asprintf("#%.2X%.2X%.2X", r, g, b);
  }
}

QString CurrentFileText(int tag, const QString &path) {
  if (path.isEmpty()) return QString();
  const qsizetype slash = LastSeparator(path);
  const QString name = path.sliced(slash + 1);
  switch (tag) {
    case 0: return path;
    case 1: return name;
    case 2: {
      const qsizetype dot = name.lastIndexOf(u'.');
      return dot > 0 ? name.first(dot) : name;
    }
    case 3: {
      if (slash < 0) return QString();
      // A root keeps its separator: "/", "C:\", and the separator after another one.
      if (slash == 0 || path[slash - 1] == u':' || IsSeparator(path[slash - 1])) return path.first(slash + 1);
      return path.first(slash);
    }
    default: return QString();
  }
}

QString RandomIpv4(TRandomGenerator &random) {
  quint32 first = 0;
  do first = random.Random(223) + 1;
  while (first == 10 || first == 127);
  quint32 b = random.Random(256);
  const quint32 c = random.Random(256);
  const quint32 d = random.Random(256);
  if (first == 192 && b == 168) b = 169;
  if (first == 172 && b >= 16 && b <= 31) b = 15;
  if (first == 169 && b == 254) b = 253;
  return QString::asprintf("%u.%u.%u.%u", first, b, c, d);
}

QString RandomHex(TRandomGenerator &random, int length) {
  static constexpr char KDigits[] = "0123456789abcdef";
  QString text(qMax(length, 0), Qt::Uninitialized);
  for (QChar &c : text) c = QLatin1Char(KDigits[random.Random(16)]);
  return text;
}
