// The application loop: common controls, the message loop and its end.
#include "toolkit/window/Application.h"

#include <commctrl.h>

namespace toolkit {

TControl* applet = nullptr;
bool appletRunning = false;
bool appletTerminated = false;
bool appletCreated = false;

namespace {
HMODULE commonControlsLibrary = nullptr;
int libraryLoads = 0;
}  // namespace

void initCommonControls(std::uint32_t flags) {
    InitCommonControls();
    if (!commonControlsLibrary) {
        commonControlsLibrary = LoadLibraryW(L"comctl32.dll");
        ++libraryLoads;
    }
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initEx = reinterpret_cast<InitEx>(
        reinterpret_cast<void*>(GetProcAddress(commonControlsLibrary, "InitCommonControlsEx")));
    if (initEx) {
        const INITCOMMONCONTROLSEX record{sizeof(INITCOMMONCONTROLSEX), flags};
        initEx(&record);
    }
}

int commonControlsLoads() { return libraryLoads; }

bool processMessage(TControl* appWindow) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        appletTerminated = true;
    } else if (!(appWindow && appWindow->messageFilter && appWindow->messageFilter(message))) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return message.message != 0;
}

void processMessages(TControl* appWindow) {
    while (processMessage(appWindow)) {
    }
}

void run(TControl*& appletVariable) {
    appletRunning = true;
    applet = appletVariable;
    if (applet) applet->createWindow();
    while (!appletTerminated) {
        WaitMessage();
        // The application window is read afresh for every message: a handler may end
        // the application, which frees it.
        while (processMessage(applet)) {
        }
    }
    if (appletVariable) terminateExecution(appletVariable);
}

void terminateExecution(TControl*& appletVariable) {
    const bool alreadyTerminating = appletTerminated;
    appletTerminated = true;
    appletRunning = false;
    TControl* control = applet;
    applet = nullptr;
    if (!control) {
        appletVariable = nullptr;
        return;
    }
    control->refInc();
    if (!alreadyTerminating) {
        processMessages(control);
        SendMessageW(control->handle(), WM_CLOSE, 0, 0);
    }
    appletVariable = nullptr;
    control->free();
    control->refDec();
}

}  // namespace toolkit
