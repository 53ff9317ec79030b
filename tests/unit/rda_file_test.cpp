// The RDA district list file: the line rule, line ends and odd bytes.
#include "engine/rda_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Codes = std::vector<std::string>;

std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

struct LineCase {
  std::string line;
  bool contributes;
  std::string code;
};

TEST(RdaLine, FirstTwoAndFourthFifthOfTheFirstFiveCharacters) {
  const LineCase cases[] = {
      {"AB-01\tAbinsky district", true, "AB01"},
      {"AB-01", true, "AB01"},
      {"ab-01", true, "ab01"},          // no case conversion
      {"AB-01-02", true, "AB01"},
      {"AB-01 ", true, "AB01"},
      {"  -01", true, "  01"},          // no trimming
      {"ABCD-01", true, "ABD-"},        // first "-" at position 4
      {"ABCDE-F", true, "ABDE"},        // first "-" at position 5: cut before it
      {"ABCDEFGH-", true, "ABDE"},
      {"A-B-C", true, "A--C"},
      {"AB-0", true, "AB-0"},           // four characters: "AB" + "-0"
      {"AB-", true, "ABB-"},            // three: "AB" + "B-"
      {"A-", true, "A-A-"},             // two: the two characters twice
      {"AB01", false, ""},              // no hyphen
      {"Adygea Republic", false, ""},
      {"-AB01", false, ""},             // hyphen first
      {"-", false, ""},
      {"--01", false, ""},
      {"", false, ""},
  };
  for (const LineCase& c : cases) {
    std::string code = "untouched";
    const bool contributes = stats::RdaCodeOfLine(c.line, code);
    EXPECT_EQ(contributes, c.contributes) << "line \"" << Printable(c.line) << "\"";
    if (c.contributes) {
      EXPECT_EQ(code, c.code) << "line \"" << Printable(c.line) << "\"";
      EXPECT_EQ(code.size(), 4u) << "line \"" << Printable(c.line) << "\"";
    }
  }
}

struct FileCase {
  const char* name;
  std::string bytes;
  Codes codes;
};

std::string AllByteValues() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(RdaFile, EveryLineFollowsTheLineRule) {
  using namespace std::string_literals;
  const FileCase cases[] = {
      {"CR LF", "AB-01\r\nCD-02\r\n", {"AB01", "CD02"}},
      {"LF", "AB-01\nCD-02\n", {"AB01", "CD02"}},
      {"no final line end", "AB-01\nCD-02", {"AB01", "CD02"}},
      {"no final line end, CR LF", "AB-01\r\nCD-02", {"AB01", "CD02"}},
      {"mixed line ends", "AB-01\r\nCD-02\nEF-03", {"AB01", "CD02", "EF03"}},
      // The CR of a CR LF is no part of a short line.
      {"short lines with CR LF", "A-\r\nAB-\r\n", {"A-A-", "ABB-"}},
      // Read as text, a CR ends nothing without its LF: it stays in the line.
      {"short final line with CR", "AB-\r", {"AB-\r"}},
      {"final line with CR", "AB-01\r", {"AB01"}},
      {"lone CR inside a line", "AB-01\rCD-02\n", {"AB01"}},
      {"empty file", "", {}},
      {"blank lines", "\n\r\n\n", {}},
      {"region and district lines",
       "Adygea Republic\r\nAD-01\tMaykop\r\n-AD-02\r\nAD-03 Koshekhabl\r\n",
       {"AD01", "AD03"}},
      {"repeats kept in file order", "CD-02\nAB-01\nCD-02\n", {"CD02", "AB01", "CD02"}},
      {"lower case kept", "ab-01\n", {"ab01"}},
      // A NUL ends the line's text.
      {"NUL before the hyphen", "AB\0-01\nCD-02\n"s, {"CD02"}},
      {"NUL after the hyphen", "AB-0\0" "1\nCD-02"s, {"AB-0", "CD02"}},
      {"NUL first", "\0AB-01\nCD-02"s, {"CD02"}},
      {"NUL-only line", "\0\0\0\nCD-02"s, {"CD02"}},
      {"Cyrillic bytes", "\xC0\xC1-01\n", {"\xC0\xC1" "01"}},
      // Bytes 0..9 form a line that begins with NUL; bytes 11..255 form a
      // line whose first hyphen (byte 45) is far in: bytes 11, 12, 14, 15.
      {"every byte value", AllByteValues(), {"\x0B\x0C\x0E\x0F"}},
  };
  for (const FileCase& c : cases) {
    EXPECT_EQ(stats::ParseRdaFile(c.bytes), c.codes) << c.name << ": \"" << Printable(c.bytes)
                                                     << "\"";
  }
}

TEST(RdaFile, VeryLongLinesContributeOnlyTheirFirstFiveCharacters) {
  const std::string longDistrict = "XY-77" + std::string(200000, 'z') + "\r\n";
  const std::string longHyphenLater = std::string(100000, 'Q') + "-01\n";
  const std::string longWithoutHyphen = std::string(300000, 'A') + "\n";
  EXPECT_EQ(stats::ParseRdaFile(longDistrict + longHyphenLater + longWithoutHyphen + "AB-01"),
            (Codes{"XY77", "QQQQ", "AB01"}))
      << "a 200005-byte district line, a 100003-byte line with a late hyphen, a 300000-byte line "
         "without one";
}

TEST(RdaFile, BinaryJunkNeverBreaksTheParser) {
  // Pseudo-random bytes from a fixed linear congruential sequence; every
  // code that comes out must still be four bytes long.
  std::string junk;
  uint32_t state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1103515245u + 12345u;
    junk += static_cast<char>(state >> 24);
  }
  for (const std::string& code : stats::ParseRdaFile(junk)) {
    EXPECT_EQ(code.size(), 4u) << "code \"" << Printable(code) << "\" from junk";
  }
}

TEST(RdaFile, CodesBeyondTheBoundAreIgnored) {
  const struct {
    std::size_t lines;
    std::size_t maxCodes;
    std::size_t expected;
  } cases[] = {{0, 3, 0}, {2, 3, 2}, {3, 3, 3}, {4, 3, 3}, {10, 0, 0}, {10, 1, 1}};
  for (const auto& c : cases) {
    std::string bytes = "Region\n";
    Codes all;
    for (std::size_t k = 0; k < c.lines; ++k) {
      const std::string code =
          "A" + std::string(1, static_cast<char>('A' + k)) + "0" + std::to_string(k % 10);
      bytes += code.substr(0, 2) + "-" + code.substr(2) + "\tname\n";
      all.push_back(code);
    }
    const Codes expected(all.begin(), all.begin() + static_cast<long>(c.expected));
    EXPECT_EQ(stats::ParseRdaFile(bytes, c.maxCodes), expected)
        << c.lines << " district lines, at most " << c.maxCodes << " codes";
  }
}

}  // namespace
