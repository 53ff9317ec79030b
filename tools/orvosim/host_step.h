#pragma once
// The host works in steps, one per message of its loop, as a host's message
// handlers do: between two steps the loop serves whatever came meanwhile
// (the plug-in's calls to the automation object among it).
#include <functional>

namespace orvosim {

struct HostStep {
  enum class Kind {
    Next,   // the next step comes as soon as the loop gets to it
    After,  // the next step comes `ms` later
    Stop    // no more steps: the loop ends
  };
  Kind kind = Kind::Next;
  unsigned long ms = 0;

  static HostStep Next() { return {Kind::Next, 0}; }
  static HostStep After(unsigned long ms) { return {Kind::After, ms}; }
  static HostStep Stop() { return {Kind::Stop, 0}; }
};

// Does one step and says what comes next.
using StepSource = std::function<HostStep()>;

}  // namespace orvosim
