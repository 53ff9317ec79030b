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
  return m_index.find(code) != m_index.end();
}

}  // namespace stats
