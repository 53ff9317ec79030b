#pragma once
// Reading and changing the text of an INI file the way the private-profile
// functions treat it: sections and keys compared without regard to case,
// blanks around keys and values ignored.
#include <optional>
#include <string>

namespace stats {

std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);

// The text with the key set (added at the end of its section, or in a new
// section at the end of the file); lines end with CR LF.
std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value);

}  // namespace stats
