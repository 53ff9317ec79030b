#include "engine/code_list.h"

namespace stats {

void CodeList::Append(std::string code) {
  m_index.insert(code);
  m_codes.push_back(std::move(code));
}

void CodeList::Clear() {
  m_codes.clear();
  m_index.clear();
}

bool CodeList::Contains(std::string_view code) const {
  // Codes are short, so the key is built without a heap allocation.
  return m_index.find(std::string(code)) != m_index.end();
}

}  // namespace stats
