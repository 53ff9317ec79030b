#pragma once
// The hash of the module's text sets and maps: transparent, so that a
// string_view looks a text up without making a string of it.
#include <cstddef>
#include <functional>
#include <string_view>

namespace stats {

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

}  // namespace stats
