// The handlers that newApplet and newForm attach: what makes the application window and
// a form behave as such.
#pragma once

#include "toolkit/window/TControl.h"

namespace toolkit {

bool appletHandler(void* context, TControl& control, TMsg& msg);
bool formHandler(void* context, TControl& control, TMsg& msg);

}  // namespace toolkit
