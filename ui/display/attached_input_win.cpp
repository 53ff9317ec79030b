#include "ui/display/attached_input_win.h"

#include <iterator>

namespace stats {

DetachedInput::DetachedInput(DWORD displayThread, std::initializer_list<DWORD> hostThreads) {
  for (const DWORD host : hostThreads) {
    if (host == 0 || host == displayThread) continue;
    // The system refuses to let go of an attach that is not there.
    for (const Attach attach : {Attach{host, displayThread}, Attach{displayThread, host}}) {
      if (m_nCount < static_cast<int>(std::size(m_attaches)) &&
          AttachThreadInput(attach.from, attach.to, FALSE)) {
        m_attaches[m_nCount++] = attach;
      }
    }
  }
}

void DetachedInput::Restore() {
  for (int i = 0; i < m_nCount; ++i) {
    AttachThreadInput(m_attaches[i].from, m_attaches[i].to, TRUE);
  }
  m_nCount = 0;
}

}  // namespace stats
