#pragma once
// The plug-in's display windows as the host finds them: dialogs (class
// "#32770") of this process, told apart by a control each of them carries.
#include <windows.h>

namespace orvosim {

enum class ModuleWindow { Information, Moscow, Rda };

inline constexpr int kMoscowBoxId = 1121;  // information window: "Moscow region"
inline constexpr int kRdaBoxId = 1122;     // information window: "RDA"

// A visible top-level window of this process showing that module window;
// null when none is shown.
HWND FindModuleWindow(ModuleWindow which);

// The picture file's suffix: "info", "moscow", "rda".
const char* ModuleWindowName(ModuleWindow which);

}  // namespace orvosim
