#include "engine/text_ids.h"

namespace stats {

uint32_t TextIds::Intern(std::string_view text) {
  if (text.empty()) return 0;
  if (m_texts[m_lastId] == text) return m_lastId;
  auto found = m_ids.find(text);
  if (found != m_ids.end()) return m_lastId = found->second;
  const auto id = static_cast<uint32_t>(m_texts.size());
  m_texts.emplace_back(text);
  m_ids.emplace(std::string(text), id);
  return m_lastId = id;
}

uint32_t TextIds::Find(std::string_view text) const {
  auto found = m_ids.find(text);
  return found != m_ids.end() ? found->second : kUnknown;
}

void TextIds::Clear() {
  m_ids.clear();
  m_texts.assign(1, std::string());
  m_ids.emplace(std::string(), 0);
  m_lastId = 0;
}

}  // namespace stats
