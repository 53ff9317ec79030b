#include "ui/display/attached_input_win.h"

#include <tlhelp32.h>

#include "platform/win32_handles.h"

namespace stats {

void LetGoOfAttachedInput() {
  // The system does not tell which threads share the queue: every thread of
  // the process is let go of, and one that was never attached refuses.
  const UniqueKernelObject threads(OrNull(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)));
  if (!threads) return;
  const DWORD self = GetCurrentThreadId();
  const DWORD process = GetCurrentProcessId();
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(threads.get(), &entry); more;
       more = Thread32Next(threads.get(), &entry)) {
    if (entry.th32OwnerProcessID != process || entry.th32ThreadID == self) continue;
    AttachThreadInput(self, entry.th32ThreadID, FALSE);
    AttachThreadInput(entry.th32ThreadID, self, FALSE);
  }
}

}  // namespace stats
