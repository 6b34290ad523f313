// The time from a key reaching the converter's level field to both outputs updated:
// the whole chain runs synchronously inside the character message.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/TClassMainForm_250BB10.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "toolkit/Application.h"

int wmain() {
    toolkit::initCommonControls(0xFF);
    auto converter = std::make_unique<app::TClassMainForm_250BB10>();
    dataflow::enableEvents();
    dataflow::runInitProcs();
    const HWND box = converter->levelEdit->control->handle();
    SetFocus(box);
    std::vector<double> samples;
    for (int i = 0; i < 2000; ++i) {
        SendMessageW(box, EM_SETSEL, 0, -1);
        const wchar_t digit = static_cast<wchar_t>(L'1' + i % 9);
        SendMessageW(box, WM_KEYDOWN, digit, 1);
        const auto before = std::chrono::steady_clock::now();
        SendMessageW(box, WM_CHAR, digit, 1);  // level -> check -> formula -> both outputs
        const auto after = std::chrono::steady_clock::now();
        SendMessageW(box, WM_KEYUP, digit, 0xC0000001);
        samples.push_back(std::chrono::duration<double, std::micro>(after - before).count());
    }
    std::sort(samples.begin(), samples.end());
    std::printf("key to both outputs: median %.1f us, 90th percentile %.1f us (%zu keys)\n",
                samples[samples.size() / 2], samples[samples.size() * 9 / 10], samples.size());
    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    return 0;
}
