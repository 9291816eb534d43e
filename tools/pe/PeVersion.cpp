#include "PeVersion.h"

#include "PeImage.h"
#include "tools/net/HtmlTags.h"

namespace {

constexpr quint32 KVersionType = 16;
constexpr quint32 KSubdirectory = 0x80000000u;
constexpr int KMaxEntries = 4096;

qsizetype AlignFour(qsizetype offset) { return (offset + 3) & ~qsizetype(3); }

// One node of the resource directory tree: the entry with that id, or the first entry when id is
// unset; its offset field (a subdirectory's offset with the high bit, else a data entry's).
std::optional<quint32> DirectoryEntry(QByteArrayView tree, quint32 directory, std::optional<quint32> id) {
  const std::optional<quint16> named = ReadU16(tree, qsizetype(directory) + 12);
  const std::optional<quint16> ids = ReadU16(tree, qsizetype(directory) + 14);
  if (!named || !ids) return std::nullopt;
  const int count = qMin(int(*named) + int(*ids), KMaxEntries);
  for (int i = 0; i < count; ++i) {
    const qsizetype entry = qsizetype(directory) + 16 + qsizetype(i) * 8;
    const std::optional<quint32> name = ReadU32(tree, entry);
    const std::optional<quint32> offset = ReadU32(tree, entry + 4);
    if (!name || !offset) return std::nullopt;
    if (!id || (!(*name & KSubdirectory) && *name == *id)) return offset;
  }
  return std::nullopt;
}

std::optional<QByteArrayView> VersionResource(const TPeImage &image) {
  const TPeImage::TDirectory resources = image.Directory(TPeImage::KResourceDirectory);
  if (resources.Address == 0 || resources.Size == 0) return std::nullopt;
  const std::optional<QByteArrayView> tree = image.AtRva(resources.Address, resources.Size);
  if (!tree) return std::nullopt;
  // Type, then name, then language: the first name and the first language of the version type.
  std::optional<quint32> node = DirectoryEntry(*tree, 0, KVersionType);
  for (int level = 0; level < 2 && node; ++level) {
    if (!(*node & KSubdirectory)) return std::nullopt;
    node = DirectoryEntry(*tree, *node & ~KSubdirectory, std::nullopt);
  }
  if (!node || (*node & KSubdirectory)) return std::nullopt;
  const std::optional<quint32> dataRva = ReadU32(*tree, *node);
  const std::optional<quint32> dataSize = ReadU32(*tree, qsizetype(*node) + 4);
  if (!dataRva || !dataSize) return std::nullopt;
  return image.AtRva(*dataRva, *dataSize);
}

// A node of the version resource: wLength, wValueLength, wType, a zero-ended UTF-16 key, padding,
// the value, padding, then the children up to wLength.
struct TVersionBlock {
  qsizetype Begin = 0;
  qsizetype End = 0;
  quint16 ValueLength = 0;
  quint16 Type = 0;
  QString Key;
  qsizetype Value = 0;  // where the value starts, after the key's padding
};

// Zero-ended UTF-16 text from offset, read no further than end.
QString Utf16Until(QByteArrayView data, qsizetype offset, qsizetype end, qsizetype *after = nullptr) {
  QString text;
  qsizetype i = offset;
  for (; i + 2 <= end; i += 2) {
    const char16_t unit = char16_t(*ReadU16(data, i));
    if (unit == 0) {
      i += 2;
      break;
    }
    text += QChar(unit);
  }
  if (after) *after = i;
  return text;
}

std::optional<TVersionBlock> ReadBlock(QByteArrayView data, qsizetype begin, qsizetype limit) {
  const std::optional<quint16> length = ReadU16(data, begin);
  const std::optional<quint16> valueLength = ReadU16(data, begin + 2);
  const std::optional<quint16> type = ReadU16(data, begin + 4);
  if (!length || !valueLength || !type || *length < 6 || begin + *length > limit) return std::nullopt;
  TVersionBlock block;
  block.Begin = begin;
  block.End = begin + *length;
  block.ValueLength = *valueLength;
  block.Type = *type;
  qsizetype afterKey = 0;
  block.Key = Utf16Until(data, begin + 6, block.End, &afterKey);
  block.Value = qMin(AlignFour(afterKey), block.End);
  return block;
}

// Where a block's children start: after its value (counted in units for text, in bytes otherwise).
qsizetype ChildrenStart(const TVersionBlock &block) {
  const qsizetype valueBytes = block.Type == 1 ? qsizetype(block.ValueLength) * 2 : block.ValueLength;
  return qMin(AlignFour(block.Value + valueBytes), block.End);
}

template <typename TVisit>
void ForEachChild(QByteArrayView data, const TVersionBlock &parent, TVisit &&visit) {
  qsizetype at = ChildrenStart(parent);
  while (at + 6 <= parent.End) {
    const std::optional<TVersionBlock> child = ReadBlock(data, at, parent.End);
    if (!child) return;
    visit(*child);
    at = AlignFour(child->End);
  }
}

void ReadStringFileInfo(QByteArrayView data, const TVersionBlock &block, TPeVersionInfo &info) {
  ForEachChild(data, block, [&](const TVersionBlock &table) {
    TVersionStringTable strings{table.Key, {}};
    ForEachChild(data, table, [&](const TVersionBlock &string) {
      // The value runs to its zero or the block's end, whatever wValueLength claims.
      strings.Strings.append({string.Key, Utf16Until(data, string.Value, string.End)});
    });
    info.Tables.append(strings);
  });
}

void ReadVarFileInfo(QByteArrayView data, const TVersionBlock &block, TPeVersionInfo &info) {
  ForEachChild(data, block, [&](const TVersionBlock &var) {
    if (!SameAsciiCaseless(var.Key, u"Translation")) return;
    const qsizetype end = qMin(var.Value + qsizetype(var.ValueLength), var.End);
    for (qsizetype at = var.Value; at + 4 <= end; at += 4) info.Translations.append(*ReadU32(data, at));
  });
}

QString TableKey(quint32 translation) {
  return QString::asprintf("%.4X%.4X", translation & 0xFFFF, translation >> 16);
}

}  // namespace

std::optional<TPeVersionInfo> ReadPeVersionInfo(QByteArrayView image) {
  const std::optional<TPeImage> pe = TPeImage::Parse(image);
  if (!pe) return std::nullopt;
  const std::optional<QByteArrayView> data = VersionResource(*pe);
  if (!data) return std::nullopt;
  const std::optional<TVersionBlock> root = ReadBlock(*data, 0, data->size());
  if (!root || !SameAsciiCaseless(root->Key, u"VS_VERSION_INFO")) return std::nullopt;
  TPeVersionInfo info;
  ForEachChild(*data, *root, [&](const TVersionBlock &child) {
    if (SameAsciiCaseless(child.Key, u"StringFileInfo")) ReadStringFileInfo(*data, child, info);
    else if (SameAsciiCaseless(child.Key, u"VarFileInfo")) ReadVarFileInfo(*data, child, info);
  });
  return info;
}

std::optional<QString> VersionString(const TPeVersionInfo &info, QStringView field) {
  if (info.Translations.isEmpty()) return std::nullopt;
  const QString key = TableKey(info.Translations.first());
  for (const TVersionStringTable &table : info.Tables) {
    if (!SameAsciiCaseless(table.Key, key)) continue;
    for (const auto &[name, value] : table.Strings)
      if (SameAsciiCaseless(name, field)) return value;
  }
  return std::nullopt;
}
