#pragma once
// The simulator never ends quietly in a bad way: a fault on any thread (the
// plug-in's display thread running into an unloaded module, say) or an
// abort ends it at once with kExitCrash and a line "orvosim: crash: ..." on
// stderr; a run that hangs ends after its time with kExitTimeout. Both end
// the process with TerminateProcess, not ExitProcess: after a fault or in a
// hang the loader lock may be held for ever, and ExitProcess would wait for
// it to detach the DLLs.
#include "platform/win32_handles.h"

namespace orvosim {

// From now on, for the whole process.
void ReportCrashes();

// A thread that ends the process after `seconds`; the handle owns it.
stats::UniqueKernelObject StartWatchdog(unsigned long seconds);

}  // namespace orvosim
