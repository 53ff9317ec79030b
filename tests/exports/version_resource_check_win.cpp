// The module's version resource read back as Explorer's Details tab reads
// it, through the system's version functions: the fixed file and product
// versions, and the texts of its string table.
//
//   version_resource_check <Stats.dll> <version, as a.b.c.d>
//
// $STATS_DLL, when set, names the DLL instead (as for the host tests).
// Exit status 0 when every value is as expected.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "stats_module_win.h"

namespace {

constexpr const char* kProductName = "KESTREL-RTTY scoring plug-in";
constexpr const char* kFileName = "Stats.dll";

int g_failures = 0;

void Expect(bool holds, const std::string& what) {
  if (holds) return;
  std::printf("FAIL: %s\n", what.c_str());
  ++g_failures;
}

std::string VersionText(DWORD high, DWORD low) {
  char text[64];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned{HIWORD(high)}, unsigned{LOWORD(high)},
                unsigned{HIWORD(low)}, unsigned{LOWORD(low)});
  return text;
}

// A value of the string table in the resource's first language ("" when
// missing).
std::string StringValue(std::vector<char>& block, const char* name) {
  WORD* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 2 * sizeof(WORD)) {
    return "";
  }
  char query[128];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation[0],
                translation[1], name);
  char* value = nullptr;
  if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&value), &length) ||
      value == nullptr) {
    return "";
  }
  return value;
}

void CheckFixedInfo(std::vector<char>& block, const std::string& version) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    Expect(false, "no fixed version information");
    return;
  }
  Expect(fixed->dwSignature == VS_FFI_SIGNATURE, "fixed information without its signature");
  const std::string file = VersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
  const std::string product = VersionText(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  Expect(file == version, "file version " + file + ", expected " + version);
  Expect(product == version, "product version " + product + ", expected " + version);
  Expect(fixed->dwFileType == VFT_DLL, "file type is not a DLL");
}

void CheckStrings(std::vector<char>& block, const std::string& version) {
  const auto expectValue = [&](const char* name, const std::string& expected) {
    const std::string value = StringValue(block, name);
    Expect(value == expected, std::string(name) + " \"" + value + "\", expected \"" + expected + "\"");
  };
  expectValue("ProductName", kProductName);
  expectValue("FileVersion", version);
  expectValue("ProductVersion", version);
  expectValue("OriginalFilename", kFileName);
  Expect(!StringValue(block, "FileDescription").empty(), "no FileDescription");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <Stats.dll> <version>\n", argv[0]);
    return 2;
  }
  const std::string path = host::StatsDllPath(argv[1]);
  const std::string version = argv[2];
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) {
    std::printf("FAIL: %s has no version resource (error %lu)\n", path.c_str(), GetLastError());
    return 1;
  }
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
    std::printf("FAIL: %s: version information unreadable (error %lu)\n", path.c_str(),
                GetLastError());
    return 1;
  }
  CheckFixedInfo(block, version);
  CheckStrings(block, version);
  if (g_failures != 0) return 1;
  std::printf("PASS: %s carries version %s of \"%s\"\n", path.c_str(), version.c_str(),
              kProductName);
  return 0;
}
