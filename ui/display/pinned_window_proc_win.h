#pragma once
// The courier's window procedure, which keeps the module mapped while a
// request runs. A host may unload the module from inside the member the
// courier calls (a member that waits with a loop of its own, whose timer
// switches the contest): its FreeLibrary then only drops a reference, and
// the procedure drops the last one after its last instruction of the
// module, returning from FreeLibrary straight into the system's dispatch.
#include <windows.h>

extern "C" {

// The body, written in C++: handles `message`, stores the procedure's
// result in `*result`, and returns a reference to the module that it took
// (GetModuleHandleEx) for the procedure to drop, or null. When it returns a
// reference, `*result` is lost: FreeLibrary's own result is returned in its
// place, so a body takes one only for posted messages.
HMODULE __stdcall stats_CourierBody(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT* result);

LRESULT __stdcall stats_PinnedCourierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}
