// The program's message loop around one application window, the applet, whose first
// child form is the main window.
#pragma once

#include <cstdint>

#include "toolkit/window/Applet.h"
#include "toolkit/window/TControl.h"

namespace toolkit {

void initCommonControls(std::uint32_t flags);
// Runs the loop until termination; appletVariable holds none afterwards.
void run(TControl*& appletVariable);
bool processMessage(TControl* appWindow);
void processMessages(TControl* appWindow);
void terminateExecution(TControl*& appletVariable);

// How often initCommonControls has loaded the common-controls library (for tests).
int commonControlsLoads();

}  // namespace toolkit
