#pragma once
// The display's last resorts, made visible: a wait of the host's thread for
// the display thread that reached its bound, and a display thread ended
// from outside. Neither should happen in normal use; each is counted and
// traced for a debugger or a debug-output viewer as
// "Stats.dll: last resort <n>: <what>", so that tests and operators see it.
namespace stats {

// Safe under the loader's lock: no allocation, no library loaded.
void NoteLastResort(const char* what) noexcept;

}  // namespace stats
