#include "engine/text_ids.h"

namespace stats {

uint32_t TextIds::Intern(std::string_view text) {
  if (text.empty()) return 0;
  if (m_arrTexts[m_nLastId] == text) return m_nLastId;
  auto found = m_mapIds.find(text);
  if (found != m_mapIds.end()) return m_nLastId = found->second;
  const auto id = static_cast<uint32_t>(m_arrTexts.size());
  m_arrTexts.emplace_back(text);
  m_mapIds.emplace(std::string(text), id);
  return m_nLastId = id;
}

uint32_t TextIds::Find(std::string_view text) const {
  auto found = m_mapIds.find(text);
  return found != m_mapIds.end() ? found->second : kUnknown;
}

void TextIds::Clear() {
  m_mapIds.clear();
  m_arrTexts.assign(1, std::string());
  m_mapIds.emplace(std::string(), 0);
  m_nLastId = 0;
}

}  // namespace stats
