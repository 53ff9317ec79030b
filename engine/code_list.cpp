#include "engine/code_list.h"

namespace stats {

void CodeList::Append(std::string code) {
  m_setIndex.insert(code);
  m_arrCodes.push_back(std::move(code));
}

void CodeList::Clear() {
  m_arrCodes.clear();
  m_setIndex.clear();
}

bool CodeList::Contains(std::string_view code) const {
  return m_setIndex.find(code) != m_setIndex.end();
}

}  // namespace stats
