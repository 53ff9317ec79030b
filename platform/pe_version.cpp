#include "platform/pe_version.h"

#include <cstdint>

namespace stats {
namespace {

// Offsets and values of the executable format that the walk needs.
constexpr uint64_t kLfanewOffset = 0x3C;
constexpr uint64_t kFileHeaderSize = 20;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kVersionResourceType = 16;
constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BDu;
constexpr uint64_t kFixedInfoSize = 52;
constexpr char kVersionKey[] = "VS_VERSION_INFO";

// Little-endian reads that fail instead of reading past the end.
class Bytes {
 public:
  explicit Bytes(const std::string& bytes) : m_strBytes(bytes) {}

  uint64_t size() const { return m_strBytes.size(); }
  bool Has(uint64_t offset, uint64_t count) const {
    return offset <= size() && count <= size() - offset;
  }
  bool U16(uint64_t offset, uint16_t& value) const {
    if (!Has(offset, 2)) return false;
    value = static_cast<uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
    return true;
  }
  bool U32(uint64_t offset, uint32_t& value) const {
    if (!Has(offset, 4)) return false;
    value = Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 |
            static_cast<uint32_t>(Byte(offset + 3)) << 24;
    return true;
  }

 private:
  uint32_t Byte(uint64_t offset) const { return static_cast<unsigned char>(m_strBytes[offset]); }
  const std::string& m_strBytes;
};

struct Section {
  uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

// The headers as far as the walk needs them: where the resources start and
// the section table that turns their addresses into file offsets.
struct Image {
  uint32_t resourceRva = 0;
  uint64_t sectionTable = 0;
  uint16_t sectionCount = 0;
};

bool ReadImage(const Bytes& file, Image& image) {
  uint16_t dosMagic;
  uint32_t peOffset, peSignature;
  if (!file.U16(0, dosMagic) || dosMagic != 0x5A4D) return false;  // "MZ"
  if (!file.U32(kLfanewOffset, peOffset)) return false;
  if (!file.U32(peOffset, peSignature) || peSignature != 0x00004550) return false;  // "PE\0\0"

  const uint64_t fileHeader = uint64_t{peOffset} + 4;
  uint16_t optionalSize, magic;
  if (!file.U16(fileHeader + 2, image.sectionCount)) return false;
  if (!file.U16(fileHeader + 16, optionalSize)) return false;
  const uint64_t optional = fileHeader + kFileHeaderSize;
  if (!file.U16(optional, magic)) return false;

  // The data directories follow the fields whose size differs between the
  // 32-bit and the 64-bit form of the optional header.
  uint64_t countOffset;
  if (magic == kMagicPe32) {
    countOffset = 92;
  } else if (magic == kMagicPe32Plus) {
    countOffset = 108;
  } else {
    return false;
  }
  uint32_t directoryCount;
  if (!file.U32(optional + countOffset, directoryCount)) return false;
  if (directoryCount <= kResourceDirectoryIndex) return false;
  const uint64_t resourceEntry = optional + countOffset + 4 + 8 * kResourceDirectoryIndex;
  if (resourceEntry + 8 > optional + optionalSize) return false;
  uint32_t resourceSize;
  if (!file.U32(resourceEntry, image.resourceRva) || !file.U32(resourceEntry + 4, resourceSize))
    return false;
  if (image.resourceRva == 0 || resourceSize == 0) return false;

  image.sectionTable = optional + optionalSize;
  return file.Has(image.sectionTable, kSectionHeaderSize * image.sectionCount);
}

// The file offset of `count` bytes at an address, when one section holds
// them all in the file.
bool RvaToOffset(const Bytes& file, const Image& image, uint32_t rva, uint64_t count,
                 uint64_t& offset) {
  for (uint16_t i = 0; i < image.sectionCount; ++i) {
    const uint64_t header = image.sectionTable + kSectionHeaderSize * i;
    Section s;
    if (!file.U32(header + 8, s.virtualSize) || !file.U32(header + 12, s.virtualAddress) ||
        !file.U32(header + 16, s.rawSize) || !file.U32(header + 20, s.rawOffset))
      return false;
    // Bytes beyond the section's raw data exist only in memory.
    const uint64_t start = s.virtualAddress;
    const uint64_t mapped = s.virtualSize != 0 ? s.virtualSize : s.rawSize;
    if (rva < start || rva >= start + mapped) continue;
    const uint64_t within = rva - start;
    if (within + count > s.rawSize) return false;
    offset = uint64_t{s.rawOffset} + within;
    return file.Has(offset, count);
  }
  return false;
}

// One resource directory entry's target: another directory, or (at the last
// level) a data entry; both are offsets from the start of the resources.
struct Entry {
  bool isDirectory;
  uint64_t offset;
};

// The entry with the numeric id, or the first entry when no id is asked.
bool FindEntry(const Bytes& file, uint64_t resources, uint64_t directory, const uint32_t* id,
               Entry& found) {
  uint16_t named, numbered;
  if (!file.U16(directory + 12, named) || !file.U16(directory + 14, numbered)) return false;
  const uint64_t first = directory + 16;
  const uint32_t count = uint32_t{named} + numbered;
  // Named entries come first; an id is looked for among the numbered ones.
  for (uint32_t i = id != nullptr ? named : 0; i < count; ++i) {
    uint32_t name, target;
    if (!file.U32(first + 8 * i, name) || !file.U32(first + 8 * i + 4, target)) return false;
    if (id != nullptr && ((name & kHighBit) != 0 || name != *id)) continue;
    found = {(target & kHighBit) != 0, resources + (target & ~kHighBit)};
    return true;
  }
  return false;
}

// The fixed file information in a VS_VERSIONINFO block: the header words, the
// UTF-16 key, padding to a 32-bit boundary, then the fixed part.
std::optional<FileVersion> ReadVersionBlock(const Bytes& file, uint64_t block, uint32_t size) {
  uint16_t length, valueLength;
  if (!file.U16(block, length) || !file.U16(block + 2, valueLength)) return std::nullopt;
  if (length > size || valueLength < kFixedInfoSize) return std::nullopt;
  uint64_t at = block + 6;
  for (const char c : kVersionKey) {  // the terminating zero included
    uint16_t unit;
    if (!file.U16(at, unit) || unit != static_cast<unsigned char>(c)) return std::nullopt;
    at += 2;
  }
  at = block + ((at - block + 3) & ~uint64_t{3});
  if (at + kFixedInfoSize > block + length) return std::nullopt;
  uint32_t signature, versionMs, versionLs;
  if (!file.U32(at, signature) || signature != kFixedInfoSignature) return std::nullopt;
  if (!file.U32(at + 8, versionMs) || !file.U32(at + 12, versionLs)) return std::nullopt;
  return FileVersion{static_cast<uint16_t>(versionMs >> 16), static_cast<uint16_t>(versionMs),
                     static_cast<uint16_t>(versionLs >> 16), static_cast<uint16_t>(versionLs)};
}

}  // namespace

std::optional<FileVersion> ReadPeFileVersion(const std::string& bytes) {
  const Bytes file(bytes);
  Image image;
  if (!ReadImage(file, image)) return std::nullopt;

  // The resource tree: type, then name, then language, then the data entry.
  uint64_t resources;
  if (!RvaToOffset(file, image, image.resourceRva, 16, resources)) return std::nullopt;
  Entry type, name, language;
  if (!FindEntry(file, resources, resources, &kVersionResourceType, type) || !type.isDirectory)
    return std::nullopt;
  if (!FindEntry(file, resources, type.offset, nullptr, name) || !name.isDirectory)
    return std::nullopt;
  if (!FindEntry(file, resources, name.offset, nullptr, language) || language.isDirectory)
    return std::nullopt;

  uint32_t dataRva, dataSize;
  if (!file.U32(language.offset, dataRva) || !file.U32(language.offset + 4, dataSize))
    return std::nullopt;
  uint64_t data;
  if (!RvaToOffset(file, image, dataRva, dataSize, data)) return std::nullopt;
  return ReadVersionBlock(file, data, dataSize);
}

}  // namespace stats
