// ReadPeFileVersion: the fixed file version found by walking an image's
// headers, section table and resource tree, and nothing for any image that
// lacks a part of that road or is cut short.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pe_image_builder.h"
#include "platform/pe_version.h"

namespace {

using pe_test::BuildImage;
using pe_test::Image;
using pe_test::ImageLayout;
using pe_test::kIconType;
using pe_test::kManifestType;
using pe_test::kVersionType;
using pe_test::Put16;
using pe_test::Put32;
using stats::FileVersion;
using stats::ReadPeFileVersion;

std::string Text(const std::optional<FileVersion>& v) {
  if (!v) return "nothing";
  return std::to_string(v->major) + "." + std::to_string(v->minor) + "." +
         std::to_string(v->third) + "." + std::to_string(v->fourth);
}

struct FoundCase {
  const char* name;
  ImageLayout layout;
  FileVersion expected;
};

TEST(PeVersionTest, FindsTheFixedFileVersionOfTheVersionResource) {
  const FoundCase cases[] = {
      {"PE32, 2.20", {false, true, false, {{kVersionType, {2, 20, 0, 0}}}}, {2, 20, 0, 0}},
      {"PE32, 3.1.4.0", {false, true, false, {{kVersionType, {3, 1, 4, 0}}}}, {3, 1, 4, 0}},
      {"PE32+, 3.1.4.0", {true, true, false, {{kVersionType, {3, 1, 4, 0}}}}, {3, 1, 4, 0}},
      {"all four words at their widest",
       {false, true, false, {{kVersionType, {65535, 65534, 65533, 65532}}}},
       {65535, 65534, 65533, 65532}},
      {"version type after icon, before manifest",
       {false, true, false,
        {{kIconType, {9, 9, 9, 9}}, {kVersionType, {2, 20, 1, 5}}, {kManifestType, {8, 8, 8, 8}}}},
       {2, 20, 1, 5}},
      {"a named type stands before the numbered ones",
       {false, true, true, {{kIconType, {9, 9, 9, 9}}, {kVersionType, {4, 0, 2, 1}}}},
       {4, 0, 2, 1}},
      {"PE32+, version type last",
       {true, true, false, {{kIconType, {9, 9, 9, 9}}, {kVersionType, {2, 5, 0, 3}}}},
       {2, 5, 0, 3}},
  };
  for (const FoundCase& c : cases) {
    const std::optional<FileVersion> got = ReadPeFileVersion(BuildImage(c.layout).bytes);
    ASSERT_TRUE(got.has_value()) << c.name;
    EXPECT_EQ(got->major, c.expected.major) << c.name;
    EXPECT_EQ(got->minor, c.expected.minor) << c.name;
    EXPECT_EQ(got->third, c.expected.third) << c.name;
    EXPECT_EQ(got->fourth, c.expected.fourth) << c.name;
  }
}

struct NothingCase {
  const char* name;
  ImageLayout layout;
};

TEST(PeVersionTest, ImagesWithoutAVersionResourceGiveNothing) {
  const NothingCase cases[] = {
      {"no resource directory", {false, false, false, {{kVersionType, {2, 20, 0, 0}}}}},
      {"PE32+, no resource directory", {true, false, false, {{kVersionType, {2, 20, 0, 0}}}}},
      {"resources without a version type",
       {false, true, false, {{kIconType, {2, 20, 0, 0}}, {kManifestType, {3, 1, 4, 0}}}}},
      {"empty resource tree", {false, true, false, {}}},
      {"only a named type", {false, true, true, {}}},
  };
  for (const NothingCase& c : cases) {
    EXPECT_EQ(Text(ReadPeFileVersion(BuildImage(c.layout).bytes)), "nothing") << c.name;
  }
}

TEST(PeVersionTest, TextsThatAreNoImageGiveNothing) {
  const std::pair<const char*, std::string> cases[] = {
      {"empty", std::string()},
      {"one byte", std::string("M")},
      {"MZ only", std::string("MZ")},
      {"64 zero bytes", std::string(64, '\0')},
      {"text file", std::string("[Settings]\r\nClaimed=17\r\n")},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_EQ(Text(ReadPeFileVersion(bytes)), "nothing") << name;
  }
}

struct DamageCase {
  const char* name;
  std::function<void(Image&)> damage;
  const char* expected = "nothing";  // or the version still read at an exact edge
};

uint32_t Get32(const std::string& b, std::size_t at) {
  uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(b[at + k]);
  return v;
}

// One byte or word changed in an otherwise good 3.1.4.0 image.
TEST(PeVersionTest, DamagedImagesGiveNothingAndExactEdgesStillRead) {
  const DamageCase cases[] = {
      {"DOS magic", [](Image& i) { i.bytes[1] = 'X'; }},
      {"e_lfanew beyond the end", [](Image& i) { Put32(i.bytes, 0x3C, 0xFFFFFFF0u); }},
      {"e_lfanew into the DOS header", [](Image& i) { Put32(i.bytes, 0x3C, 0x10); }},
      {"PE signature", [](Image& i) { i.bytes[i.peOffset + 1] = 'X'; }},
      {"optional header magic", [](Image& i) { Put16(i.bytes, i.optionalHeader, 0x107); }},
      {"only two data directories",
       [](Image& i) { Put32(i.bytes, i.optionalHeader + 92, 2); }},
      {"section count far beyond the file",
       [](Image& i) { Put16(i.bytes, i.peOffset + 6, 0xFFFF); }},
      {"no sections", [](Image& i) { Put16(i.bytes, i.peOffset + 6, 0); }},
      {"resource section's raw data beyond the end",
       [](Image& i) { Put32(i.bytes, i.resourceSectionHeader + 20, 0x7FFFFF00u); }},
      {"resource section's raw size too small for the tree",
       [](Image& i) { Put32(i.bytes, i.resourceSectionHeader + 16, 8); }},
      {"resource address in no section",
       [](Image& i) { Put32(i.bytes, i.optionalHeader + 96 + 16, 0x9000); }},
      {"type entry leads to a data entry, not a directory",
       [](Image& i) { Put32(i.bytes, i.rootEntries + 4, 0x10); }},
      {"type directory offset beyond the end",
       [](Image& i) { Put32(i.bytes, i.rootEntries + 4, 0xFFFFFFFFu); }},
      {"type directory points at itself",
       [](Image& i) { Put32(i.bytes, i.rootEntries + 4, 0x80000000u); }},
      {"numbered entry count beyond the end",
       [](Image& i) { Put16(i.bytes, i.resourceStart + 14, 0xFFFF); Put32(i.bytes, i.rootEntries, 3); }},
      {"data address outside every section",
       [](Image& i) { Put32(i.bytes, i.versionDataEntry, 0x7FFFFFF0u); }},
      {"data size beyond the section",
       [](Image& i) { Put32(i.bytes, i.versionDataEntry + 4, 0x10000); }},
      {"data size smaller than the block",
       [](Image& i) { Put32(i.bytes, i.versionDataEntry + 4, 60); }},
      {"block length too short for the fixed part",
       [](Image& i) { Put16(i.bytes, i.versionBlock, 60); }},
      {"no fixed part (value length 0)", [](Image& i) { Put16(i.bytes, i.versionBlock + 2, 0); }},
      {"key misspelt", [](Image& i) { Put16(i.bytes, i.versionBlock + 6 + 2 * 14, 'P'); }},
      {"key without its terminator",
       [](Image& i) { Put16(i.bytes, i.versionBlock + 6 + 2 * 15, 'X'); }},
      {"fixed part's signature", [](Image& i) { Put32(i.bytes, i.versionBlock + 40, 0xFEEF04BEu); }},
      {"resource section's raw data ending exactly at the version block",
       [](Image& i) {
         const uint32_t rawOffset = Get32(i.bytes, i.resourceSectionHeader + 20);
         Put32(i.bytes, i.resourceSectionHeader + 16,
               static_cast<uint32_t>(i.versionBlockEnd) - rawOffset);
       },
       "3.1.4.0"},
  };
  for (const DamageCase& c : cases) {
    Image image = BuildImage({false, true, false, {{kVersionType, {3, 1, 4, 0}}}});
    ASSERT_EQ(Text(ReadPeFileVersion(image.bytes)), "3.1.4.0") << "undamaged image for " << c.name;
    c.damage(image);
    EXPECT_EQ(Text(ReadPeFileVersion(image.bytes)), c.expected) << c.name;
  }
}

// Every prefix of a good image: nothing while the version block is not
// whole, and never a version other than the image's own.
TEST(PeVersionTest, TruncationAtEveryOffsetNeverGivesAWrongVersion) {
  for (bool pe32Plus : {false, true}) {
    const Image image =
        BuildImage({pe32Plus, true, true, {{kIconType, {9, 9, 9, 9}}, {kVersionType, {2, 20, 0, 0}}}});
    ASSERT_EQ(Text(ReadPeFileVersion(image.bytes)), "2.20.0.0") << "whole image, PE32+ " << pe32Plus;
    for (std::size_t length = 0; length < image.bytes.size(); ++length) {
      const std::string got = Text(ReadPeFileVersion(image.bytes.substr(0, length)));
      if (length < image.versionBlockEnd) {
        EXPECT_EQ(got, "nothing") << "cut to " << length << " bytes, PE32+ " << pe32Plus;
      } else {
        EXPECT_TRUE(got == "nothing" || got == "2.20.0.0")
            << "cut to " << length << " bytes gave " << got << ", PE32+ " << pe32Plus;
      }
    }
  }
}

// Random damage must never make the reader leave the bytes it was given
// (the sanitizer build catches that); the answer is either nothing or a
// version, both fine here.
TEST(PeVersionTest, RandomlyDamagedImagesAreReadSafely) {
  const Image image = BuildImage(
      {false, true, true, {{kIconType, {9, 9, 9, 9}}, {kVersionType, {3, 1, 4, 0}}}});
  std::mt19937 random(20240601);
  std::uniform_int_distribution<std::size_t> header(0, image.bytes.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  int versions = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = image.bytes;
    for (int n = 0; n < 4; ++n) bytes[header(random)] = static_cast<char>(byte(random));
    if (ReadPeFileVersion(bytes)) ++versions;
  }
  // Most single-byte hits land in padding, so most images stay readable.
  EXPECT_GT(versions, 0) << "no randomly damaged image was read at all";
}

}  // namespace
