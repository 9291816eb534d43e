#pragma once
// TMELineList: a document's text as lines without their breaks, with the document's line-break
// style, encoding and byte-order-mark flag. Every line is sanitized on its way in. The store tells
// no one of changes: an open document changes it only through TMEDocument, which reports them.
#include <QString>
#include <QStringList>

#include <memory>

class TEncoding;

enum TMELineEnding : quint8 { leCRLF = 0, leLF = 1, leCR = 2 };

// Lines split from a text or a file are cut into pieces of at most this many code units.
constexpr qsizetype KMaxLineLength = 65536;

class TMELineList {
 public:
  TMELineList();

  int GetCount() const { return int(FLines.size()); }
  // Out-of-range reads give an empty string; out-of-range writes are ignored.
  QString Get(int index) const;
  void Put(int index, const QString &line);
  // Replaces length units of line index at offset by text, in place when the line's data is not
  // shared. text must be as the store keeps it (sanitized): it is not scanned again.
  void Splice(int index, int offset, int length, const QString &text);
  void Insert(int index, const QString &line);
  void Delete(int index);
  // Block forms, so a paste or removal of many lines moves the rest of the list once. InsertLines
  // accepts 0 <= index <= count; DeleteLines removes what lies in range of [index, index + count).
  void InsertLines(int index, QStringList &&lines);
  void DeleteLines(int index, int count);
  // Puts lines in the place of the count lines at index and hands those back in lines. Neither side
  // is copied, so a block replacement and its Undo are the same exchange. The incoming lines are
  // sanitized. Requires 0 <= index and index + count <= GetCount().
  void ExchangeLines(int index, int count, QStringList &lines);
  int Add(const QString &line);
  void Clear();

  QString GetText() const;
  // Replaces every line by splitting text at CR LF, LF and CR, and votes the line break.
  // altered (optional) tells whether a line had to be sanitized or cut.
  void SetText(QStringView text, bool *altered = nullptr);

  QString LineBreak() const;
  void SetLineBreak(QStringView lineBreak);
  TMELineEnding LineEnding() const { return FLineBreak; }

  const TEncoding *GetEncoding() const;
  void SetEncoding(const TEncoding *encoding);
  bool HasBOM() const { return FHasBOM; }
  void SetHasBOM(bool hasBOM) { FHasBOM = hasBOM; }

  // Takes over lines already sanitized elsewhere, without copying; lines is left null.
  void AdoptLines(std::unique_ptr<QStringList> &lines, TMELineEnding lineEnding);

  // Reads and decodes a whole file, detecting the encoding when none is given. On a read error the
  // lines stay as they were and false is returned with the message. altered as in SetText, and
  // also set when invalid UTF-8 was replaced or an odd UTF-16 byte dropped.
  bool LoadFromFile(const QString &fileName, QString *error, const TEncoding *encoding = nullptr,
                    bool *altered = nullptr);

  // Direct read access for whole-document walks (saving, searching).
  const QStringList &Lines() const { return FLines; }

  static TMELineEnding LineEndingOf(QStringView lineBreak);
  static QString LineBreakOf(TMELineEnding ending);
  // Control characters other than TAB, and DEL, become U+00B7; a clean line is returned as is.
  static QString Sanitize(const QString &line);
  static bool NeedsSanitize(QStringView line);
  static void SanitizeInPlace(QString &line);

 private:
  QStringList FLines;
  TMELineEnding FLineBreak = leCRLF;
  const TEncoding *FEncoding;
  bool FHasBOM = false;
};

// Line-break counts and the vote shared by every splitter: LF wins when it beats CR LF and is no
// rarer than CR; CR wins when it beats both; CR LF otherwise, also without any break.
struct TBreakCounts {
  qsizetype CrLf = 0, Lf = 0, Cr = 0;
  TMELineEnding Vote() const;
};

// Appends one split range as lines: a range over KMaxLineLength code units becomes several lines
// (a piece never ends between the halves of a surrogate pair). Sanitizes each piece. Returns true
// when the range was cut or sanitized.
bool AppendLineChunked(QStringList &list, QString &&range);
