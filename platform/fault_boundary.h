#pragma once
// The module's boundaries towards the host and the system: nothing thrown
// inside may unwind into their frames (the exports, the display thread's
// entry, the dialog procedure). What is caught is swallowed, so the caller
// gets the entry point's neutral answer, and traced through the platform,
// so the fault is not lost without a word.
namespace stats {

// Traces the exception being handled under `where` (the entry point's
// name); the text of a std::exception is kept. Call only from a handler.
// Never throws: tracing must not carry a fault across the boundary.
void TraceCaughtFault(const char* where) noexcept;

// `body()`, or `fallback` when it throws; a fault is traced under `where`.
template <typename Result, typename Body>
Result Shielded(const char* where, Result fallback, Body&& body) {
  try {
    return body();
  } catch (...) {
    TraceCaughtFault(where);
    return fallback;
  }
}

}  // namespace stats
