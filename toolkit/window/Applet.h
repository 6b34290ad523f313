// The application window, whose first child form is the program's main window, and the
// state of the message loop around it.
#pragma once

namespace toolkit {

class TControl;

extern TControl* applet;       // none before run and after termination
extern bool appletRunning;     // while run is active
extern bool appletTerminated;  // once termination has begun; never cleared
extern bool appletCreated;     // an application window exists (newApplet ran)

}  // namespace toolkit
