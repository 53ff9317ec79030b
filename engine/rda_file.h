#pragma once
// The RDA district list file: region lines and district lines "XX-NN<TAB>name".
#include <string>
#include <vector>

namespace stats {

inline constexpr const char* kRdaFilePath = ".\\Plugins\\rda_rus.dat";

// The code one line contributes, or false when the line contributes nothing:
// lines without a "-", or whose first "-" is their first character, are
// skipped; otherwise the first two and the fourth and fifth of the line's
// first five characters (overlapping on shorter lines) form the code.
bool RdaCodeOfLine(const std::string& line, std::string& code);

// Every code of a whole file's bytes, in file order. Lines end with LF or
// CR LF (a CR alone is part of the line); a NUL byte ends a line's text as
// it would for a C string.
std::vector<std::string> ParseRdaFile(const std::string& bytes);

}  // namespace stats
