// Where the converter's keystroke spends its time. Each step's link is wrapped by a timer
// while the key loop runs, so the figures are the steps' medians inside real keystrokes
// (2000 keys, microseconds); beside them, single calls timed on their own. Most of a step
// is its requests to the window server.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/TClassMainForm_250BB10.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "KeyLoop.h"
#include "toolkit/window/Application.h"

namespace {

using dataflow::TData;
using dataflow::TZT_Event;

double median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double microsecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// A link that times the link it stands in for.
struct TimedLink {
    const char* step;
    TZT_Event& link;
    TZT_Event original = link;
    std::vector<double> samples;

    static void run(void* self, TData& data, std::uint16_t index) {
        auto& timed = *static_cast<TimedLink*>(self);
        const auto start = std::chrono::steady_clock::now();
        timed.original.handler(timed.original.target, data, index);
        timed.samples.push_back(microsecondsSince(start));
    }
    void install() { link = TZT_Event{&TimedLink::run, this, original.index}; }
    void remove() { link = original; }
};

void timeCall(const char* what, const std::function<void()>& call) {
    std::vector<double> samples;
    for (int i = 0; i < 2000; ++i) {
        const auto start = std::chrono::steady_clock::now();
        call();
        samples.push_back(microsecondsSince(start));
    }
    std::printf("  %-50s %7.1f us\n", what, median(samples));
}

}  // namespace

int wmain() {
    toolkit::initCommonControls(0xFF);
    auto c = std::make_unique<app::TClassMainForm_250BB10>();
    dataflow::enableEvents();
    dataflow::runInitProcs();
    const HWND level = c->levelEdit->control->handle();
    // The dispatcher runs the links one after another, so each figure is the step's own.
    TimedLink steps[] = {
        {"condition (reads the level)", c->levelEdit->onChange},
        {"memo cleared", c->calcHub->onEvent[0]},
        {"formula (reads the level)", c->calcHub->onEvent[1]},
        {"result field written (caret kept)", c->resultHub->onEvent[0]},
        {"display drawn into its picture and invalidated", c->resultHub->onEvent[1]},
    };
    for (TimedLink& step : steps) step.install();
    const bench::KeyTimes key = bench::typeKeys(level);
    for (TimedLink& step : steps) step.remove();
    std::printf("the converter's keystroke, %.1f us:\n", key.median);
    double rest = key.median;
    for (const TimedLink& step : steps) {
        std::printf("  %-50s %7.1f us\n", step.step, median(step.samples));
        rest -= median(step.samples);
    }
    std::printf("  %-50s %7.1f us\n", "the rest: the level field's typing, notices, reader", rest);

    std::printf("single calls:\n");
    const HWND result = c->resultEdit->control->handle();
    const HWND plainEdit =
        CreateWindowExW(0, L"EDIT", L"5", WS_CHILD, 0, 0, 50, 20, c->mainForm->control->handle(), nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    timeCall("level text read by the toolkit", [&] { (void)c->levelEdit->control->getControlText(); });
    timeCall("  GetWindowTextW of the level field", [&] {
        wchar_t text[64];
        GetWindowTextW(level, text, 64);
    });
    timeCall("  of an edit box outside the toolkit", [&] {
        wchar_t text[64];
        GetWindowTextW(plainEdit, text, 64);
    });
    timeCall("the level field's reader (text, caret, number)", [&] {
        TData v;
        c->levelEdit->value(v, 0);
    });
    timeCall("a request to the server: InvalidateRect", [&] { InvalidateRect(result, nullptr, TRUE); });
    timeCall("  GetFocus", [&] { (void)GetFocus(); });
    timeCall("  GetKeyboardState", [&] {
        BYTE keys[256];
        GetKeyboardState(keys);
    });
    timeCall("a message through the toolkit (WM_NULL)", [&] { SendMessageW(level, WM_NULL, 0, 0); });
    timeCall("  to an edit box outside the toolkit", [&] { SendMessageW(plainEdit, WM_NULL, 0, 0); });
    DestroyWindow(plainEdit);

    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    return 0;
}
