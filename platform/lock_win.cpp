#include "platform/lock.h"

#include <windows.h>

#include <new>

namespace stats {
namespace {

static_assert(sizeof(CRITICAL_SECTION) <= 6 * sizeof(void*), "Lock's storage is too small");
static_assert(alignof(CRITICAL_SECTION) <= alignof(void*), "Lock's storage is misaligned");

CRITICAL_SECTION* Section(unsigned char* storage) {
  return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

}  // namespace

// Cannot fail from Windows Vista on; on XP only when the system is out of
// memory, which the module could not survive anyway.
Lock::Lock() noexcept { InitializeCriticalSection(new (m_section) CRITICAL_SECTION{}); }
// Gives back the debug record (and any wait event) the system attached.
Lock::~Lock() { DeleteCriticalSection(Section(m_section)); }

void Lock::lock() noexcept { EnterCriticalSection(Section(m_section)); }
void Lock::unlock() noexcept { LeaveCriticalSection(Section(m_section)); }

}  // namespace stats
