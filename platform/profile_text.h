#pragma once
// Reading and changing the text of an INI file the way the private-profile
// functions treat it: sections and keys compared without regard to case,
// blanks around keys and values ignored, the first of two equal keys the one
// that counts. The Windows module reads and writes its settings file with
// these over its own file functions, which reach paths of any length.
#include <optional>
#include <string>

namespace stats {

// The value as it stands in the text.
std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);

// The value as GetPrivateProfileString returns it: one pair of quotes
// around the whole value, both single or both double, is taken off.
std::optional<std::string> ReadProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);

// The text with the key set (added at the end of its section, or in a new
// section at the end of the file); lines end with CR LF.
std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value);

}  // namespace stats
