#pragma once
// A host may attach its input to the display thread (AttachThreadInput, the
// usual way to take the foreground back). The two threads then share one
// input queue, and an activation change on the display thread sends its
// messages to the host's window and waits for them: while the host's thread
// waits for the display to end, serving nothing, that wait would reach its
// bound.
#include <windows.h>

#include <initializer_list>

namespace stats {

// Host's thread, before the display's stop: lets go of every attach between
// the display thread and the given threads of the host, in either
// direction, and remembers which there were, so that a display that would
// not end goes on as the host left it.
class DetachedInput {
 public:
  DetachedInput(DWORD displayThread, std::initializer_list<DWORD> hostThreads);
  DetachedInput(const DetachedInput&) = delete;
  DetachedInput& operator=(const DetachedInput&) = delete;

  // Attaches again what was let go of.
  void Restore();

 private:
  struct Attach {
    DWORD from;
    DWORD to;
  };
  Attach m_attaches[4]{};  // two threads of the host, both directions
  int m_nCount = 0;
};

}  // namespace stats
