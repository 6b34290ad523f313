// The time from a key reaching the vibration program's value field to its whole table,
// the display, the zone and the chart updated: the chain runs synchronously inside the
// character message. With --no-chart the chart is left out of the chain (and hidden),
// for what the chart adds.
#include <windows.h>

#include <memory>
#include <string>

#include "KeyLoop.h"
#include "components/visual/ProgramRun.h"
#include "examples/vibration/TClassVibrationForm.h"

int wmain(int argc, wchar_t** argv) {
    components::TProgramModules modules;
    auto vibration = std::make_unique<vibration::TClassVibrationForm>();
    vibration->settings->fileName.clear();  // the defaults, whatever a run left
    const bool withChart = !(argc > 1 && std::wstring(argv[1]) == L"--no-chart");
    if (!withChart) {
        vibration->shownVelocityHub->onEvent[2] = {};
        vibration->noResultHub->onEvent[3] = {};
        ShowWindow(vibration->chart->control->handle(), SW_HIDE);
    }
    components::startMainForm(*vibration->mainForm);
    bench::measureKeys(vibration->valueEdit->control->handle(),
                       withChart ? "key to the whole table and the chart" : "key to the whole table");
    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    return 0;
}
