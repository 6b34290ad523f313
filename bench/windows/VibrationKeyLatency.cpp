// The time from a key reaching the vibration program's value field to its whole table
// and the display updated: the chain runs synchronously inside the character message.
#include <windows.h>

#include <memory>

#include "KeyLoop.h"
#include "components/visual/ProgramRun.h"
#include "examples/vibration/TClassVibrationForm.h"

int wmain() {
    components::TProgramModules modules;
    auto vibration = std::make_unique<vibration::TClassVibrationForm>();
    components::startMainForm(*vibration->mainForm);
    bench::measureKeys(vibration->valueEdit->control->handle(), "key to the whole table");
    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    return 0;
}
