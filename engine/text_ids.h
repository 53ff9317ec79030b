#pragma once
// Small integer ids for texts, so that the log can be counted and searched
// by number instead of by comparing texts. Id 0 is always the empty text.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/text_hash.h"

namespace stats {

class TextIds {
 public:
  static constexpr uint32_t kUnknown = UINT32_MAX;

  TextIds() { Clear(); }

  // The text's id, added when the text is new.
  uint32_t Intern(std::string_view text);
  // The text's id, or kUnknown when it was never interned.
  uint32_t Find(std::string_view text) const;
  const std::string& Text(uint32_t id) const { return m_arrTexts[id]; }
  std::size_t size() const { return m_arrTexts.size(); }
  void Clear();

 private:
  std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>> m_mapIds;
  std::vector<std::string> m_arrTexts;
  // The last text interned: bands and modes repeat from QSO to QSO.
  uint32_t m_nLastId = 0;
};

}  // namespace stats
