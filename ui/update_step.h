#pragma once
// The update step that the information window runs when its timer fires:
// reopens the windows the settings ask for, reads the call and the frequency
// from the host, takes one snapshot of the contest state and brings rows,
// captions, ticks and the RDA window's button up to date. Window-free: the
// host and the windows are reached through their ports.
namespace stats {

// The settings that say which district windows were open ("1") or closed
// through the information window's boxes ("0").
inline constexpr const char* kMoscowShownKey = "RusObl";
inline constexpr const char* kRdaShownKey = "DXCC";

class DisplayWindows;
class HostLink;
class Platform;

// `host` is null when the display found no host. A host call that fails
// ends the step where it is; what was done before stays done.
void RunUpdateStep(Platform& platform, HostLink* host, DisplayWindows& windows);

}  // namespace stats
