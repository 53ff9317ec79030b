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
#include <string>
#include <string_view>
#include <vector>

namespace orvosim {

enum class SessionVerb { Call, Freq, Add, Remove, Result, Command, Tick, Wait, Shot };

enum class TickTarget { Moscow, Rda };

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
  int ms = 0;        // Wait
  TickTarget tick = TickTarget::Moscow;
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
