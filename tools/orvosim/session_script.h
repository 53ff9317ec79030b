#pragma once
// A scripted operator session: what the operator does in the host while the
// plug-in's windows are shown. One command per line; blank lines and lines
// starting with '#' are comments; words are separated by blanks or tabs.
//
//   call [CALL]                  types CALL into the entry field, one
//                                character at a time (no CALL: clears it)
//   freq HZ                      tunes the radio
//   add CALL BAND MODE HH:MM RCVD [PREFIX]
//   remove CALL BAND MODE HH:MM RCVD [PREFIX]
//                                logs or deletes a QSO
//   result                       asks for the result
//   command TEXT                 sends a display command (SHOWINFO, HIDEINFO)
//   tick moscow|rda              clicks a check box of the information window
//   wait MS                      lets MS milliseconds pass
//   shot NAME                    saves pictures of the plug-in's windows
//   reset                        resets the contest as at the start
//   unload                       unloads the plug-in (FreeLibrary)
//   load                         loads it again and binds its exports
//   pace prompt|blocking MS|ownloop MS
//                                how the host's automation members answer:
//                                at once, after MS blocked, or after MS of
//                                their own message loop
//   unload-inside                the next call to the host's automation
//                                object unloads the plug-in from inside
//                                its wait
#include <string>
#include <string_view>
#include <vector>

namespace orvosim {

enum class SessionVerb {
  Call,
  Freq,
  Add,
  Remove,
  Result,
  Command,
  Tick,
  Wait,
  Shot,
  Reset,
  Unload,
  Load,
  Pace,
  UnloadInside
};

enum class TickTarget { Moscow, Rda };

enum class PaceKind { Prompt, Blocking, OwnLoop };

struct SessionQso {
  std::string call, band, mode, rcvd;
  std::string prefix;  // empty: the simulator derives it from the call
  int hour = 0, minute = 0;
};

struct SessionCommand {
  SessionVerb verb = SessionVerb::Result;
  int line = 0;      // 1-based line of the script
  std::string text;  // Call: the call; Command: the command; Shot: the name
  double hz = 0.0;   // Freq
  int ms = 0;        // Wait; Pace (0 for prompt)
  TickTarget tick = TickTarget::Moscow;
  PaceKind pace = PaceKind::Prompt;
  SessionQso qso;  // Add, Remove
};

// False with "line N: ..." in `error` for the first line that is not a
// command of the forms above. `commands` then holds the lines before it.
bool ParseSessionScript(std::string_view script, std::vector<SessionCommand>& commands,
                        std::string& error);

// What the entry field shows while the operator types a call: "R", "R3",
// "R3A", ... each one character longer, the whole call last.
std::vector<std::string> TypedPrefixes(const std::string& call);

}  // namespace orvosim
