// The time from a key reaching the converter's level field to both outputs updated:
// the whole chain runs synchronously inside the character message.
#include <windows.h>

#include <memory>

#include "app/TClassMainForm_250BB10.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "KeyLoop.h"
#include "toolkit/window/Application.h"

int wmain() {
    toolkit::initCommonControls(0xFF);
    auto converter = std::make_unique<app::TClassMainForm_250BB10>();
    dataflow::enableEvents();
    dataflow::runInitProcs();
    bench::measureKeys(converter->levelEdit->control->handle());
    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    return 0;
}
