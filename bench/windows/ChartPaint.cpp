// The time the vibration program's chart takes to draw itself whole (the bands, the grid,
// fifteen labelled diagonals, the scales and the point) into its picture, at the
// session's DPI: the median of 500 drawings.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "components/visual/ProgramRun.h"
#include "examples/vibration/TClassVibrationForm.h"

int wmain() {
    components::TProgramModules modules;
    auto vibration = std::make_unique<vibration::TClassVibrationForm>();
    vibration->settings->fileName.clear();
    components::startMainForm(*vibration->mainForm);
    std::vector<double> samples;
    for (int i = 0; i < 500; ++i) {
        const auto before = std::chrono::steady_clock::now();
        vibration->chart->redraw();
        GdiFlush();
        const auto after = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::micro>(after - before).count());
    }
    std::sort(samples.begin(), samples.end());
    const HWND chart = vibration->chart->control->handle();
    RECT client;
    GetClientRect(chart, &client);
    std::printf("chart paint: median %.1f us, 90th percentile %.1f us (%ldx%ld pixels at %u DPI)\n",
                samples[samples.size() / 2], samples[samples.size() * 9 / 10], client.right, client.bottom,
                GetDpiForWindow(chart));
    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    return 0;
}
