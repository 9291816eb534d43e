#include "LineStore.h"

#include "Encoding.h"

TMELineList::TMELineList() : FEncoding(TEncoding::Utf8()) {}

QString TMELineList::Get(int index) const {
  if (index < 0 || index >= FLines.size()) return QString();
  return FLines.at(index);
}

void TMELineList::Put(int index, const QString &line) {
  if (index < 0 || index >= FLines.size()) return;
  FLines[index] = Sanitize(line);
}

void TMELineList::Splice(int index, int offset, int length, const QString &text) {
  if (index < 0 || index >= FLines.size()) return;
  QString &line = FLines[index];
  if (text.size() <= length) {
    line.replace(offset, length, text);
  } else {
    // Growing in place would round the line's capacity up to a power of two, doubling the memory
    // of every line a Replace All lengthens: build it at its exact size instead.
    QString grown;
    grown.reserve(line.size() - length + text.size());
    grown.append(QStringView(line).first(offset)).append(text).append(QStringView(line).sliced(offset + length));
    line = std::move(grown);
  }
}

void TMELineList::Insert(int index, const QString &line) {
  if (index < 0 || index > FLines.size()) return;
  FLines.insert(index, Sanitize(line));
}

void TMELineList::Delete(int index) {
  if (index < 0 || index >= FLines.size()) return;
  FLines.removeAt(index);
}

void TMELineList::InsertLines(int index, QStringList &&lines) {
  if (index < 0 || index > FLines.size() || lines.isEmpty()) return;
  FLines.insert(index, lines.size(), QString());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    SanitizeInPlace(lines[i]);
    FLines[index + i] = std::move(lines[i]);
  }
  lines.clear();
}

void TMELineList::DeleteLines(int index, int count) {
  const qsizetype from = qMax(0, index);
  const qsizetype to = qMin(FLines.size(), qsizetype(index) + qMax(0, count));
  if (from >= to) return;
  FLines.remove(from, to - from);
}

void TMELineList::ExchangeLines(int index, int count, QStringList &lines) {
  for (QString &line : lines) SanitizeInPlace(line);
  const qsizetype incoming = lines.size();
  const qsizetype common = qMin<qsizetype>(count, incoming);
  // The places both sides have swap one for one; the list then grows or shrinks once.
  for (qsizetype i = 0; i < common; ++i) FLines[index + i].swap(lines[i]);
  if (incoming > count) {
    FLines.insert(index + count, incoming - count, QString());
    for (qsizetype i = count; i < incoming; ++i) FLines[index + i].swap(lines[i]);
    lines.resize(count);
  } else if (count > incoming) {
    lines.reserve(count);
    for (qsizetype i = incoming; i < count; ++i) lines.append(std::move(FLines[index + i]));
    FLines.remove(index + incoming, count - incoming);
  }
}

int TMELineList::Add(const QString &line) {
  FLines.append(Sanitize(line));
  return int(FLines.size() - 1);
}

void TMELineList::Clear() { FLines.clear(); }

QString TMELineList::GetText() const {
  if (FLines.isEmpty()) return QString();
  const QString lineBreak = LineBreak();
  qsizetype total = (FLines.size() - 1) * lineBreak.size();
  for (const QString &line : FLines) total += line.size();
  if (total == 0) return QString();
  QString text(total, Qt::Uninitialized);
  QChar *out = text.data();
  bool first = true;
  for (const QString &line : FLines) {
    if (!first) {
      memcpy(out, lineBreak.constData(), lineBreak.size() * sizeof(QChar));
      out += lineBreak.size();
    }
    first = false;
    memcpy(out, line.constData(), line.size() * sizeof(QChar));
    out += line.size();
  }
  return text;
}

TMELineEnding TBreakCounts::Vote() const {
  if (Lf > CrLf && Lf >= Cr) return leLF;
  if (Cr > CrLf && Cr > Lf) return leCR;
  return leCRLF;
}

bool AppendLineChunked(QStringList &list, QString &&range) {
  if (range.size() <= KMaxLineLength) {
    if (!TMELineList::NeedsSanitize(range)) {
      list.append(std::move(range));
      return false;
    }
    TMELineList::SanitizeInPlace(range);
    list.append(std::move(range));
    return true;
  }
  const QChar *p = range.constData();
  qsizetype pos = 0;
  while (pos < range.size()) {
    qsizetype len = qMin(KMaxLineLength, range.size() - pos);
    // Cutting a pair would leave two halves that no encoding can write back.
    if (pos + len < range.size() && p[pos + len - 1].isHighSurrogate() && p[pos + len].isLowSurrogate()) --len;
    QString piece(p + pos, len);
    TMELineList::SanitizeInPlace(piece);
    list.append(std::move(piece));
    pos += len;
  }
  return true;
}

void TMELineList::SetText(QStringView text, bool *altered) {
  FLines.clear();
  bool changed = false;
  if (!text.isEmpty()) {
    FLines.reserve(qMax<qsizetype>(text.size() / 40, 64));
    TBreakCounts counts;
    const qsizetype n = text.size();
    qsizetype b = 0;
    qsizetype i = 0;
    while (i < n) {
      const char16_t c = text[i].unicode();
      if (c == u'\r' || c == u'\n') {
        changed |= AppendLineChunked(FLines, text.sliced(b, i - b).toString());
        if (c == u'\n') {
          ++counts.Lf;
          ++i;
        } else if (i + 1 < n && text[i + 1] == u'\n') {
          ++counts.CrLf;
          i += 2;
        } else {
          ++counts.Cr;
          ++i;
        }
        b = i;
      } else {
        ++i;
      }
    }
    changed |= AppendLineChunked(FLines, text.sliced(b).toString());
    FLineBreak = counts.Vote();
  }
  if (altered) *altered = changed;
}

QString TMELineList::LineBreak() const { return LineBreakOf(FLineBreak); }

void TMELineList::SetLineBreak(QStringView lineBreak) { FLineBreak = LineEndingOf(lineBreak); }

const TEncoding *TMELineList::GetEncoding() const { return FEncoding ? FEncoding : TEncoding::Utf8(); }

void TMELineList::SetEncoding(const TEncoding *encoding) {
  if (encoding) FEncoding = encoding;
}

void TMELineList::AdoptLines(std::unique_ptr<QStringList> &lines, TMELineEnding lineEnding) {
  if (!lines) return;
  FLines = std::move(*lines);
  lines.reset();
  FLineBreak = lineEnding;
}

TMELineEnding TMELineList::LineEndingOf(QStringView lineBreak) {
  if (lineBreak == u"\n") return leLF;
  if (lineBreak == u"\r") return leCR;
  return leCRLF;
}

QString TMELineList::LineBreakOf(TMELineEnding ending) {
  switch (ending) {
    case leLF: return QStringLiteral("\n");
    case leCR: return QStringLiteral("\r");
    default: return QStringLiteral("\r\n");
  }
}

static inline bool IsUnsafeUnit(char16_t c) { return (c < 0x20 && c != u'\t') || c == 0x7F; }

bool TMELineList::NeedsSanitize(QStringView line) {
  // Blocks without an early exit inside, so the compiler tests many units at once; every line
  // stored passes through here.
  const char16_t *p = line.utf16();
  const qsizetype n = line.size();
  constexpr qsizetype KBlock = 32;
  qsizetype i = 0;
  for (; i + KBlock <= n; i += KBlock) {
    bool unsafe = false;
    for (qsizetype k = 0; k < KBlock; ++k) unsafe |= IsUnsafeUnit(p[i + k]);
    if (unsafe) return true;
  }
  for (; i < n; ++i)
    if (IsUnsafeUnit(p[i])) return true;
  return false;
}

void TMELineList::SanitizeInPlace(QString &line) {
  if (!NeedsSanitize(line)) return;
  for (QChar &c : line)
    if (IsUnsafeUnit(c.unicode())) c = QChar(0x00B7);
}

QString TMELineList::Sanitize(const QString &line) {
  QString result = line;
  SanitizeInPlace(result);
  return result;
}
