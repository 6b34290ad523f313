// Where the converter's keystroke spends its time. Each step's share is what the key
// loop loses when the link to that step is taken away (medians of 2000 keys, in
// microseconds); beside them, single calls timed on their own.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "KeyLoop.h"
#include "app/TClassMainForm_250BB10.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "toolkit/Application.h"

namespace {

using dataflow::TData;
using dataflow::TZT_Event;

double keyMedian(HWND box) { return bench::typeKeys(box).median; }

// The key loop without one link: the difference is that link's step.
void withoutLink(const char* step, HWND box, double whole, TZT_Event& link) {
    const TZT_Event kept = link;
    link = {};
    const double without = keyMedian(box);
    link = kept;
    std::printf("  %-50s %7.1f us\n", step, whole - without);
}

void timeCall(const char* what, const std::function<void()>& call) {
    std::vector<double> samples;
    for (int i = 0; i < 2000; ++i) {
        const auto before = std::chrono::steady_clock::now();
        call();
        const auto after = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::micro>(after - before).count());
    }
    std::sort(samples.begin(), samples.end());
    std::printf("  %-50s %7.1f us\n", what, samples[samples.size() / 2]);
}

}  // namespace

int wmain() {
    toolkit::initCommonControls(0xFF);
    auto c = std::make_unique<app::TClassMainForm_250BB10>();
    dataflow::enableEvents();
    dataflow::runInitProcs();
    const HWND level = c->levelEdit->control->handle();
    keyMedian(level);  // warm up
    const double whole = keyMedian(level);
    std::printf("the converter's keystroke, %.1f us:\n", whole);
    withoutLink("display drawn (its text into the picture)", level, whole, c->resultHub->onEvent[1]);
    withoutLink("result field written (caret kept)", level, whole, c->resultHub->onEvent[0]);
    withoutLink("both outputs (hub and the two above)", level, whole, c->calcFormula->onResult);
    withoutLink("formula (reads the level) and both outputs", level, whole, c->calcHub->onEvent[1]);
    withoutLink("memo cleared", level, whole, c->calcHub->onEvent[0]);
    withoutLink("the whole chain after the level field's reader", level, whole, c->levelEdit->onChange);

    std::printf("single calls:\n");
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
    const HWND result = c->resultEdit->control->handle();
    const HWND memo = c->messageMemo->control->handle();
    timeCall("InvalidateRect of the result field", [&] { InvalidateRect(result, nullptr, TRUE); });
    timeCall("GetFocus", [&] { (void)GetFocus(); });
    timeCall("GetKeyState", [&] { (void)GetKeyState(VK_SHIFT); });
    timeCall("GetKeyboardState", [&] {
        BYTE keys[256];
        GetKeyboardState(keys);
    });
    timeCall("memo's redraw off and on", [&] {
        SendMessageW(memo, WM_SETREDRAW, FALSE, 0);
        SendMessageW(memo, WM_SETREDRAW, TRUE, 0);
    });
    timeCall("SetWindowTextW of the empty memo", [&] { SetWindowTextW(memo, L""); });
    timeCall("EM_SETSEL of the result field", [&] { SendMessageW(result, EM_SETSEL, 0, 0); });
    timeCall("a message through the toolkit (WM_NULL)", [&] { SendMessageW(level, WM_NULL, 0, 0); });
    timeCall("  to an edit box outside the toolkit", [&] { SendMessageW(plainEdit, WM_NULL, 0, 0); });
    DestroyWindow(plainEdit);

    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    return 0;
}
