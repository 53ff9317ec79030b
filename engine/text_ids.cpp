#include "engine/text_ids.h"

namespace stats {

uint32_t TextIds::Intern(std::string_view text) {
  auto found = m_ids.find(text);
  if (found != m_ids.end()) return found->second;
  const auto id = static_cast<uint32_t>(m_texts.size());
  m_texts.emplace_back(text);
  m_ids.emplace(std::string(text), id);
  return id;
}

uint32_t TextIds::Find(std::string_view text) const {
  auto found = m_ids.find(text);
  return found != m_ids.end() ? found->second : kUnknown;
}

void TextIds::Clear() {
  m_ids.clear();
  m_texts.clear();
  Intern("");
}

}  // namespace stats
