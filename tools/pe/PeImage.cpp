#include "PeImage.h"

#include <QtEndian>

#include <algorithm>

namespace {
constexpr quint16 KPe32Magic = 0x10B;
constexpr quint16 KPe32PlusMagic = 0x20B;
constexpr quint32 KMaxDirectories = 16;
constexpr qsizetype KSectionHeaderSize = 40;
}  // namespace

std::optional<quint16> ReadU16(QByteArrayView bytes, qsizetype offset) {
  if (offset < 0 || offset > bytes.size() - 2) return std::nullopt;
  return qFromLittleEndian<quint16>(bytes.data() + offset);
}

std::optional<quint32> ReadU32(QByteArrayView bytes, qsizetype offset) {
  if (offset < 0 || offset > bytes.size() - 4) return std::nullopt;
  return qFromLittleEndian<quint32>(bytes.data() + offset);
}

std::optional<TPeImage> TPeImage::Parse(QByteArrayView bytes) {
  if (!bytes.startsWith("MZ")) return std::nullopt;
  const std::optional<quint32> peOffset = ReadU32(bytes, 0x3C);
  if (!peOffset || qsizetype(*peOffset) > bytes.size() - 4 || bytes.sliced(*peOffset, 4) != QByteArrayView("PE\0\0", 4))
    return std::nullopt;
  const qsizetype coff = qsizetype(*peOffset) + 4;
  const std::optional<quint16> sectionCount = ReadU16(bytes, coff + 2);
  const std::optional<quint16> optionalSize = ReadU16(bytes, coff + 16);
  if (!sectionCount || !optionalSize) return std::nullopt;
  TPeImage image;
  image.FBytes = bytes;
  image.FOptionalHeader = coff + 20;
  const std::optional<quint16> magic = ReadU16(bytes, image.FOptionalHeader);
  if (!magic || (*magic != KPe32Magic && *magic != KPe32PlusMagic)) return std::nullopt;
  // PE32+ widens the image base and the stack and heap sizes: its directories start 16 bytes later.
  const qsizetype countOffset = image.FOptionalHeader + (*magic == KPe32PlusMagic ? 108 : 92);
  image.FDirectories = countOffset + 4;
  const std::optional<quint32> directoryCount = ReadU32(bytes, countOffset);
  if (!directoryCount || countOffset + 4 > image.FOptionalHeader + *optionalSize) return std::nullopt;
  // Only directories inside the optional header count, whatever the count field claims.
  const quint32 room = quint32((image.FOptionalHeader + *optionalSize - image.FDirectories) / 8);
  image.FDirectoryCount = std::min({*directoryCount, KMaxDirectories, room});
  const qsizetype sectionTable = image.FOptionalHeader + *optionalSize;
  for (int i = 0; i < *sectionCount; ++i) {
    const qsizetype header = sectionTable + i * KSectionHeaderSize;
    const std::optional<quint32> virtualSize = ReadU32(bytes, header + 8);
    const std::optional<quint32> virtualAddress = ReadU32(bytes, header + 12);
    const std::optional<quint32> rawSize = ReadU32(bytes, header + 16);
    const std::optional<quint32> rawOffset = ReadU32(bytes, header + 20);
    if (!virtualSize || !virtualAddress || !rawSize || !rawOffset) return std::nullopt;
    image.FSections.append({*virtualAddress, *virtualSize, *rawSize, *rawOffset});
  }
  return image;
}

TPeImage::TDirectory TPeImage::Directory(int index) const {
  if (index < 0 || quint32(index) >= FDirectoryCount) return {};
  const qsizetype entry = DirectoryEntryOffset(index);
  return {ReadU32(FBytes, entry).value_or(0), ReadU32(FBytes, entry + 4).value_or(0)};
}

qsizetype TPeImage::DirectoryEntryOffset(int index) const {
  if (index < 0 || quint32(index) >= FDirectoryCount) return -1;
  return FDirectories + qsizetype(index) * 8;
}

std::optional<QByteArrayView> TPeImage::AtRva(quint32 rva, quint32 size) const {
  for (const TSection &section : FSections) {
    const quint64 extent = qMax(section.VirtualSize, section.RawSize);
    if (rva < section.VirtualAddress || quint64(rva) >= quint64(section.VirtualAddress) + extent) continue;
    const quint64 into = rva - section.VirtualAddress;
    if (into >= section.RawSize) return std::nullopt;
    const quint64 start = quint64(section.RawOffset) + into;
    if (start >= quint64(FBytes.size())) return std::nullopt;
    const quint64 available = qMin<quint64>(section.RawSize - into, quint64(FBytes.size()) - start);
    return FBytes.sliced(qsizetype(start), qsizetype(qMin<quint64>(size, available)));
  }
  return std::nullopt;
}
