// The debug message shown as a modal box with the caption "String-Debug" and one OK
// button, owned by the application window.
#pragma once

namespace components {

// Makes the box the debug message's destination; a windowed program's start-up calls it.
void installDebugMessageBox();

}  // namespace components
