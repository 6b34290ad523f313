// How the application window and forms answer the messages that make them what they
// are: focus handed on to the current control, the close of the application window,
// the form's background, a new DPI, and the end of the session.
#include "toolkit/window/FormBehaviour.h"

#include "toolkit/window/Applet.h"

namespace toolkit {

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
