#pragma once
// A list of codes kept in the order they were added, with a membership test
// that does not scan the list (the exchange check runs on every keystroke).
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/text_hash.h"

namespace stats {

class CodeList {
 public:
  void Append(std::string code);
  void Clear();
  bool Contains(std::string_view code) const;
  std::size_t size() const { return m_arrCodes.size(); }
  const std::string& operator[](std::size_t i) const { return m_arrCodes[i]; }
  const std::vector<std::string>& codes() const { return m_arrCodes; }

 private:
  std::vector<std::string> m_arrCodes;
  std::unordered_set<std::string, TextHash, std::equal_to<>> m_setIndex;
};

}  // namespace stats
