// Globals of the control core shared by its parts.
#pragma once

#include <windows.h>

#include "toolkit/window/TControl.h"

namespace toolkit {

extern TControl* creatingWindow;  // the control whose window is being created
extern HCURSOR screenCursor;      // overrides every control's cursor when set
// Global hooks: a first-chance look at every message (the paint filter of buffered
// painting), one after each window creation, and the realign procedure of layout.
extern TMessageHandler firstChanceHook;
extern void (*afterCreateHook)(TControl& control);
extern void (*realignProc)(TControl* control);

// The handler newControl attaches to every child control (message dispatch).
bool childControlHandler(void* context, TControl& control, TMsg& msg);

}  // namespace toolkit
