#pragma once
// The simulator's exit codes, which scripts tell apart.
namespace orvosim {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;    // bad arguments, unreadable files, no plug-in
inline constexpr int kExitTimeout = 3;  // the run did not end in time (a hang)
inline constexpr int kExitSession = 4;  // a session command could not be done
inline constexpr int kExitCrash = 5;    // a fault or an abort anywhere in the process

}  // namespace orvosim
