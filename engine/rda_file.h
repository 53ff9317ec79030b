#pragma once
// The RDA district list file: region lines and district lines "XX-NN<TAB>name".
#include <cstddef>
#include <string>
#include <vector>

namespace stats {

inline constexpr const char* kRdaFilePath = ".\\Plugins\\rda_rus.dat";

// The code one line contributes, or false when the line contributes nothing:
// lines without a "-", or whose first "-" is their first character, are
// skipped; otherwise the first two and the fourth and fifth of the line's
// first five characters (overlapping on shorter lines) form the code.
bool RdaCodeOfLine(const std::string& line, std::string& code);

// The real list has about 2,600 districts. A file may hold at most this many
// codes: the rest of a longer (corrupted or hostile) file is ignored, so that
// the list stays small and the reset quick whatever the file holds.
inline constexpr std::size_t kMaxRdaCodes = 100000;

// The codes of a whole file's bytes, in file order, the first `maxCodes` of
// them. Lines end with LF or CR LF (a CR alone is part of the line); a NUL
// byte ends a line's text as it would for a C string.
std::vector<std::string> ParseRdaFile(const std::string& bytes,
                                      std::size_t maxCodes = kMaxRdaCodes);

}  // namespace stats
