#pragma once
// A small executable image assembled byte by byte for the tests: DOS header,
// PE headers (32- or 64-bit optional header), a code section and a resource
// section whose tree holds the resource types asked for. Every version
// resource carries a VS_VERSIONINFO block with the fixed file information.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pe_test {

constexpr uint32_t kVersionType = 16;
constexpr uint32_t kIconType = 3;
constexpr uint32_t kManifestType = 24;

struct Resource {
  uint32_t type;
  stats::FileVersion version;  // the fixed file version of its version block
};

struct ImageLayout {
  bool pe32Plus = false;
  bool resourceDirectory = true;  // data directory 2 filled in
  bool namedTypeFirst = false;    // a type named by a string before the numbered ones
  std::vector<Resource> resources;
};

// Where the parts of a built image lie, for tests that damage or cut it.
struct Image {
  std::string bytes;
  std::size_t peOffset = 0;
  std::size_t optionalHeader = 0;
  std::size_t resourceSectionHeader = 0;
  std::size_t resourceStart = 0;      // file offset of the resource tree
  std::size_t rootEntries = 0;        // first entry of the root directory
  std::size_t versionDataEntry = 0;   // data entry of the first version resource
  std::size_t versionBlock = 0;       // its VS_VERSIONINFO block
  std::size_t versionBlockEnd = 0;
};

inline void Put16(std::string& b, std::size_t at, uint32_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& b, std::size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

inline std::size_t Align(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// VS_VERSIONINFO with no children: three words, the UTF-16 key with its
// terminator, two bytes of padding to a 32-bit boundary, the fixed part.
inline std::string VersionBlock(const stats::FileVersion& v) {
  const char key[] = "VS_VERSION_INFO";
  const std::size_t keyEnd = 6 + 2 * sizeof key;  // 38
  const std::size_t fixed = Align(keyEnd, 4);     // 40
  std::string b(fixed + 52, '\0');
  Put16(b, 0, static_cast<uint32_t>(b.size()));
  Put16(b, 2, 52);
  Put16(b, 4, 0);
  for (std::size_t i = 0; i < sizeof key; ++i) Put16(b, 6 + 2 * i, static_cast<unsigned char>(key[i]));
  const uint32_t words[13] = {0xFEEF04BDu, 0x00010000u,
                              uint32_t{v.major} << 16 | v.minor, uint32_t{v.third} << 16 | v.fourth,
                              uint32_t{v.major} << 16 | v.minor, uint32_t{v.third} << 16 | v.fourth,
                              0x3F, 0, 0x40004, 1, 0, 0, 0};
  for (int i = 0; i < 13; ++i) Put32(b, fixed + 4 * static_cast<std::size_t>(i), words[i]);
  return b;
}

inline Image BuildImage(const ImageLayout& layout) {
  constexpr std::size_t kPeOffset = 0x80;
  constexpr uint32_t kCodeRva = 0x1000, kCodeRaw = 0x200, kCodeSize = 0x200;
  constexpr uint32_t kResourceRva = 0x3000, kResourceRaw = 0x400;

  Image image;
  // The resource tree: root, then per type a name directory, a language
  // directory and a data entry, then the type name string, then the data.
  const std::size_t types = layout.resources.size() + (layout.namedTypeFirst ? 1 : 0);
  const std::size_t rootSize = 16 + 8 * types;
  const std::size_t perType = 24 + 24 + 16;
  const std::size_t nameString = rootSize + perType * types;
  const char16_t typeName[] = u"CUSTOM";
  std::size_t dataAt = Align(nameString + 2 + 2 * 6, 4);
  std::string tree(dataAt, '\0');
  const std::size_t named = layout.namedTypeFirst ? 1 : 0;
  Put16(tree, 12, static_cast<uint32_t>(named));
  Put16(tree, 14, static_cast<uint32_t>(layout.resources.size()));
  Put16(tree, nameString, 6);
  for (std::size_t i = 0; i < 6; ++i) Put16(tree, nameString + 2 + 2 * i, typeName[i]);

  std::vector<std::string> blobs;
  std::vector<std::size_t> blobAt;
  for (std::size_t t = 0; t < types; ++t) {
    const bool isNamed = t < named;
    const stats::FileVersion version =
        isNamed ? stats::FileVersion{7, 7, 7, 7} : layout.resources[t - named].version;
    const std::size_t entry = 16 + 8 * t;
    const std::size_t nameDir = rootSize + perType * t;
    const std::size_t langDir = nameDir + 24;
    const std::size_t dataEntry = langDir + 24;
    Put32(tree, entry, isNamed ? 0x80000000u | static_cast<uint32_t>(nameString)
                               : layout.resources[t - named].type);
    Put32(tree, entry + 4, 0x80000000u | static_cast<uint32_t>(nameDir));
    Put16(tree, nameDir + 14, 1);
    Put32(tree, nameDir + 16, 1);
    Put32(tree, nameDir + 20, 0x80000000u | static_cast<uint32_t>(langDir));
    Put16(tree, langDir + 14, 1);
    Put32(tree, langDir + 16, 0x409);
    Put32(tree, langDir + 20, static_cast<uint32_t>(dataEntry));
    // Every resource carries a well-formed version block, so a reader that
    // takes the wrong type finds a wrong version rather than nothing.
    blobs.push_back(VersionBlock(version));
    blobAt.push_back(dataAt);
    Put32(tree, dataEntry, kResourceRva + static_cast<uint32_t>(dataAt));
    Put32(tree, dataEntry + 4, static_cast<uint32_t>(blobs.back().size()));
    if (!isNamed && layout.resources[t - named].type == kVersionType && image.versionBlock == 0) {
      image.versionDataEntry = kResourceRaw + dataEntry;
      image.versionBlock = kResourceRaw + dataAt;
      image.versionBlockEnd = image.versionBlock + blobs.back().size();
    }
    dataAt = Align(dataAt + blobs.back().size(), 4);
  }
  tree.resize(dataAt, '\0');
  for (std::size_t i = 0; i < blobs.size(); ++i) tree.replace(blobAt[i], blobs[i].size(), blobs[i]);

  const uint32_t resourceRawSize = static_cast<uint32_t>(Align(tree.size(), 0x200));
  std::string& b = image.bytes;
  b.assign(kResourceRaw + resourceRawSize, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  Put32(b, 0x3C, kPeOffset);
  std::memcpy(&b[kPeOffset], "PE\0\0", 4);
  const std::size_t fileHeader = kPeOffset + 4;
  const std::size_t optionalSize = layout.pe32Plus ? 240 : 224;
  Put16(b, fileHeader, layout.pe32Plus ? 0x8664 : 0x14C);
  Put16(b, fileHeader + 2, 2);
  Put16(b, fileHeader + 16, static_cast<uint32_t>(optionalSize));
  Put16(b, fileHeader + 18, 0x0102);
  const std::size_t optional = fileHeader + 20;
  Put16(b, optional, layout.pe32Plus ? 0x20B : 0x10B);
  const std::size_t directories = optional + (layout.pe32Plus ? 112 : 96);
  Put32(b, directories - 4, 16);
  if (layout.resourceDirectory) {
    Put32(b, directories + 16, kResourceRva);
    Put32(b, directories + 20, static_cast<uint32_t>(tree.size()));
  }
  const std::size_t sections = optional + optionalSize;
  std::memcpy(&b[sections], ".text", 5);
  Put32(b, sections + 8, kCodeSize);
  Put32(b, sections + 12, kCodeRva);
  Put32(b, sections + 16, kCodeSize);
  Put32(b, sections + 20, kCodeRaw);
  std::memcpy(&b[sections + 40], ".rsrc", 5);
  Put32(b, sections + 48, static_cast<uint32_t>(tree.size()));
  Put32(b, sections + 52, kResourceRva);
  Put32(b, sections + 56, resourceRawSize);
  Put32(b, sections + 60, kResourceRaw);
  b.replace(kResourceRaw, tree.size(), tree);

  image.peOffset = kPeOffset;
  image.optionalHeader = optional;
  image.resourceSectionHeader = sections + 40;
  image.resourceStart = kResourceRaw;
  image.rootEntries = kResourceRaw + 16;
  return image;
}

// An image whose only resource is a version resource with this version.
inline std::string ImageWithVersion(stats::FileVersion version, bool pe32Plus = false) {
  return BuildImage({pe32Plus, true, false, {{kVersionType, version}}}).bytes;
}

}  // namespace pe_test
