// The long form of a full path: which paths get the "\\?\" prefix, and
// which stay as they are because the prefix would change what they name.
#include <gtest/gtest.h>

#include <string>

#include "platform/long_path.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(LongPathTest, PrefixesDrivePathsAndSharesOnly) {
  const struct {
    const wchar_t* full;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\Orvo\\Plugins\\KESTREL-RTTY.ini", L"\\\\?\\C:\\Orvo\\Plugins\\KESTREL-RTTY.ini"},
      {L"z:\\err.txt", L"\\\\?\\z:\\err.txt"},
      {L"C:\\", L"\\\\?\\C:\\"},
      {L"\\\\server\\share\\Orvo\\err.txt", L"\\\\?\\UNC\\server\\share\\Orvo\\err.txt"},
      // Already long, or a device: the prefix would name something else.
      {L"\\\\?\\C:\\Orvo\\err.txt", L"\\\\?\\C:\\Orvo\\err.txt"},
      {L"\\\\?\\UNC\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
      {L"\\\\.\\CON", L"\\\\.\\CON"},
      // Not full: left to the system's own parsing.
      {L"Plugins\\rda_rus.dat", L"Plugins\\rda_rus.dat"},
      {L"C:err.txt", L"C:err.txt"},
      {L"\\Orvo\\err.txt", L"\\Orvo\\err.txt"},
      {L"\\\\\\x", L"\\\\\\x"},
      {L"1:\\x", L"1:\\x"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Narrow(stats::ExtendedLengthPath(c.full)), Narrow(c.expected)) << Narrow(c.full);
  }
}

}  // namespace
