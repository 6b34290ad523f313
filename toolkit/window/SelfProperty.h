// The window property "SELF_" that ties a window to its control. Every message the
// toolkit dispatches looks it up, and a property lookup can be a round trip to the
// window server (tens of microseconds under Wine), so the property is mirrored in the
// process: it is set and removed only through these functions, and read from the mirror.
#pragma once

#include <windows.h>

namespace toolkit {

class TControl;

void setSelfProperty(HWND window, TControl* control);
TControl* selfProperty(HWND window);
void removeSelfProperty(HWND window);
// The system drops a window's properties with the window; the mirror follows at
// WM_NCDESTROY, whoever handled that message.
void forgetSelfProperty(HWND window);

}  // namespace toolkit
