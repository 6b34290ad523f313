// The program's message loop around one application window, the applet, whose first
// child form is the main window.
#pragma once

#include <cstdint>

#include "toolkit/TControl.h"

namespace toolkit {

extern TControl* applet;       // none before run and after termination
extern bool appletRunning;     // while run is active
extern bool appletTerminated;  // once termination has begun; never cleared
extern bool appletCreated;     // an application window exists (newApplet ran)

void initCommonControls(std::uint32_t flags);
// Runs the loop until termination; appletVariable holds none afterwards.
void run(TControl*& appletVariable);
bool processMessage(TControl* appWindow);
void processMessages(TControl* appWindow);
void terminateExecution(TControl*& appletVariable);

// How often initCommonControls has loaded the common-controls library (for tests).
int commonControlsLoads();

// The handlers newApplet and newForm attach.
bool appletHandler(void* context, TControl& control, TMsg& msg);
bool formHandler(void* context, TControl& control, TMsg& msg);

}  // namespace toolkit
