#include "platform/lock.h"

namespace stats {

Lock::Lock() noexcept = default;
Lock::~Lock() = default;

void Lock::lock() noexcept { m_mutex.lock(); }
void Lock::unlock() noexcept { m_mutex.unlock(); }

}  // namespace stats
