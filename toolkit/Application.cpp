// The application loop and the handlers of the application window and of forms.
#include "toolkit/Application.h"

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

bool appletHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message == WM_SETFOCUS) {
        if (TControl* form = control.currentControl) SetFocus(form->getWindowHandle());
        return true;
    }
    if (msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE) {
        TControl* first = control.child(0);
        if (first && first->isMainWindow()) PostMessageW(first->handle(), WM_CLOSE, 0, 0);
        msg.result = 0;
        return true;
    }
    return false;
}

bool formHandler(void*, TControl& control, TMsg& msg) {
    switch (msg.message) {
        case WM_SETFOCUS: {
            bool handled = false;
            if (TControl* current = control.currentControl) {
                SetFocus(current->getWindowHandle());
                handled = true;
            }
            if (applet && applet != &control) applet->currentControl = &control;
            return handled;
        }
        case WM_ERASEBKGND: {
            for (std::int32_t i = 0; i < control.childCount(); ++i) control.child(i)->createWindow();
            if (!control.transparent()) {
                HDC dc = reinterpret_cast<HDC>(msg.wParam);
                SetBkMode(dc, OPAQUE);
                SetBkColor(dc, resolveColor(control.color()));
                SetBrushOrgEx(dc, 0, 0, nullptr);
                RECT client;
                GetClientRect(control.handle(), &client);
                FillRect(dc, &client, control.backgroundBrush());
                msg.result = 1;
            }
            return false;
        }
        case WM_DPICHANGED:  // the window moved to a monitor of another DPI
            control.changeDpi(HIWORD(msg.wParam), *reinterpret_cast<const RECT*>(msg.lParam));
            msg.result = 0;
            return true;
        case WM_ENDSESSION:
            if (msg.wParam == 0) return false;
            control.refDec();
            appletTerminated = true;
            appletRunning = false;
            if (TControl* app = applet) {
                applet = nullptr;
                app->free();
            }
            ExitProcess(0);
        default: return false;
    }
}

}  // namespace toolkit
