#pragma once
// Wall-clock milliseconds on the performance counter, for what the
// simulator reports it measured (an unload, a load).
#include <windows.h>

namespace orvosim {

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceCounter(&m_start); }

  unsigned long Milliseconds() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<unsigned long>((now.QuadPart - m_start.QuadPart) * 1000 /
                                      frequency.QuadPart);
  }

 private:
  LARGE_INTEGER m_start;
};

}  // namespace orvosim
