#pragma once
// A Windows executable image (PE32 or PE32+) over its file's bytes. Every offset and size read from
// the file is checked against the bytes before it is used, so a damaged or hostile file reads as
// "not an executable" or as missing the part asked for, never past its end.
#include <QByteArrayView>
#include <QList>

#include <optional>

// Little-endian fields at an offset; nullopt past the end.
std::optional<quint16> ReadU16(QByteArrayView bytes, qsizetype offset);
std::optional<quint32> ReadU32(QByteArrayView bytes, qsizetype offset);

class TPeImage {
 public:
  // The data directories by index, as the format numbers them.
  static constexpr int KResourceDirectory = 2;
  static constexpr int KCertificateDirectory = 4;

  struct TDirectory {
    quint32 Address = 0;  // an RVA, except for the certificate table, where it is a file offset
    quint32 Size = 0;
  };

  static std::optional<TPeImage> Parse(QByteArrayView bytes);

  QByteArrayView Bytes() const { return FBytes; }
  // {0, 0} for a directory the image does not have.
  TDirectory Directory(int index) const;
  // Where the header's checksum and a directory's entry lie in the file (the signature's digest
  // leaves them out); -1 for a directory past the image's count.
  qsizetype ChecksumOffset() const { return FOptionalHeader + 64; }
  qsizetype DirectoryEntryOffset(int index) const;
  // The file bytes of up to size bytes at rva, as far as one section's stored data holds them;
  // nullopt when rva lies in no section's stored data.
  std::optional<QByteArrayView> AtRva(quint32 rva, quint32 size) const;

 private:
  struct TSection {
    quint32 VirtualAddress;
    quint32 VirtualSize;
    quint32 RawSize;
    quint32 RawOffset;
  };

  QByteArrayView FBytes;
  qsizetype FOptionalHeader = 0;
  qsizetype FDirectories = 0;
  quint32 FDirectoryCount = 0;
  QList<TSection> FSections;
};
