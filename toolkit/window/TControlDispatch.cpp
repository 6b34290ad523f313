// Message dispatch: the global window procedure and the chain every message runs
// through (hooks, attached handlers, built-in handling, default processing).
#include "toolkit/window/Application.h"
#include "toolkit/window/ControlGlobals.h"
#include "toolkit/window/SelfProperty.h"
#include "toolkit/window/TControl.h"

namespace toolkit {

LRESULT CALLBACK globalWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TControl* control = nullptr;
    if (window && creatingWindow) {
        // The first message of a new window: it belongs to the control being created.
        control = creatingWindow;
        control->handle_ = window;
        setSelfProperty(window, control);
        creatingWindow = nullptr;
    } else {
        control = selfProperty(window);
    }
    TMsg msg{window, message, wParam, lParam, 0};
    const LRESULT result = control  ? control->wndProc(msg)
                           : applet ? applet->wndProc(msg)
                                    : DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) forgetSelfProperty(window);
    return result;
}

void TControl::attachProc(TMessageHandler handler) {
    for (const auto& entry : dynHandlers_)
        if (entry.first == handler) return;
    dynHandlers_.emplace_back(handler, false);
}

void TControl::detachProc(TMessageHandler handler) {
    // The entry is emptied rather than removed: a walk of the handlers may be under way.
    for (auto& entry : dynHandlers_)
        if (entry.first == handler) entry.first = TMessageHandler{};
}

LRESULT TControl::callDefWndProc(TMsg& msg) {
    return defWndProc_ ? CallWindowProcW(defWndProc_, msg.hwnd, msg.message, msg.wParam, msg.lParam)
                       : DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

TControl::AttachedResult TControl::dispatchAttached(TMsg& msg) {
    if (refCount() < 0 || dynHandlers_.empty()) return AttachedResult::notHandled;
    refInc();
    // The last attached sees the message first. The walk goes by index: a handler may
    // attach further handlers.
    for (std::size_t i = dynHandlers_.size(); i-- > 0;) {
        const auto [handler, afterTermination] = dynHandlers_[i];
        if (appletTerminated && !afterTermination) continue;
        if (handler(*this, msg)) {
            const bool freed = refCount() % 2 != 0;
            refDec();
            return freed ? AttachedResult::freed : AttachedResult::handled;
        }
    }
    // Odd: a handler freed the control, and refDec destroys it.
    const bool freed = refCount() % 2 != 0;
    refDec();
    return freed ? AttachedResult::freed : AttachedResult::notHandled;
}

LRESULT TControl::wndProc(TMsg& msg) {
    if (msg.hwnd && !handle_) handle_ = msg.hwnd;
    // The system tells a window when the focus comes (confirmed, as anyone may send the
    // message) and goes, before anyone handles it.
    if (msg.message == WM_SETFOCUS && msg.hwnd == handle_) hasFocus_ = GetFocus() == handle_;
    if ((msg.message == WM_KILLFOCUS || msg.message == WM_NCDESTROY) && msg.hwnd == handle_)
        hasFocus_ = false;
    // A control whose destruction has begun, or that a handler has freed while it still
    // handles a message, runs no handlers: only its window's own class sees the message.
    if (refCount() < 0 || freedMeanwhile()) return passToClass(msg);
    // The control lives until this message has been handled: a handler that frees it,
    // or its form, only condemns it, and it dies on the way out.
    refInc();
    dispatch(msg);
    refDec();
    return msg.result;
}

bool TControl::freedMeanwhile() const { return refCount() % 2 != 0; }

LRESULT TControl::passToClass(TMsg& msg) {
    if (msg.message == WM_NCDESTROY) windowGone = true;
    msg.result = callDefWndProc(msg);
    return msg.result;
}

// The chain; it stops wherever a handler has freed the control.
void TControl::dispatch(TMsg& msg) {
    const TMessageHandler after = afterHandler;
    bool handled = false;
    if (firstChanceHook) handled = firstChanceHook(*this, msg);
    if (!handled && !freedMeanwhile() && appletRunning && applet && applet != this && applet->onMessage)
        handled = applet->onMessage(msg);
    if (!handled && !freedMeanwhile() && onMessage) handled = onMessage(msg);
    if (!handled && !freedMeanwhile()) handled = dispatchAttached(msg) != AttachedResult::notHandled;
    if (!handled && !freedMeanwhile() && extraDispatch) handled = extraDispatch(*this, msg);
    if (freedMeanwhile()) return;
    if (!handled && handleBuiltIn(msg)) return;
    if (!appletTerminated && !windowGone && !freedMeanwhile() && after) after(*this, msg);
}

bool TControl::doSetFocus() {
    const bool isEnabled = handle_ ? IsWindowEnabled(handle_) != FALSE : (style_ & WS_DISABLED) == 0;
    if (!isEnabled || !tabStop) return false;
    ++focusLock;
    SetFocus(handle_);
    --focusLock;
    return true;
}

// The built-in handling by message number; true when the entry ends directly, so
// that the after-handler does not run.
bool TControl::handleBuiltIn(TMsg& msg) {
    switch (msg.message) {
        case WM_SIZE:
            msg.result = callDefWndProc(msg);
            windowState = msg.wParam == SIZE_MINIMIZED ? 1 : msg.wParam == SIZE_MAXIMIZED ? 2 : 0;
            if (realignProc) {
                if (!isForm && parent_) realignProc(parent_);
                realignProc(this);
            }
            return true;
        case WM_SETFOCUS:
            if (!doSetFocus()) {
                msg.result = 0;
                return false;
            }
            ++focusLock;
            msg.result = callDefWndProc(msg);
            --focusLock;
            return true;
        case WM_CLOSE: {
            bool canClose = true;
            if (onClose) {
                onClose(*this, canClose);
                if (!canClose && appletRunning) {
                    msg.result = 0;
                    return false;
                }
                onClose = nullptr;
                if (!canClose) return false;
            }
            if (isMainWindow() || this == applet) {
                if (applet && applet != this) SendMessageW(applet->handle_, WM_CLOSE, 0, 0);
                PostQuitMessage(0);
                msg.result = 0;
            } else {
                msg.result = callDefWndProc(msg);
            }
            return false;
        }
        case WM_SHOWWINDOW:
            if (msg.lParam == SW_PARENTCLOSING) {
                restoreShowCmd = IsIconic(handle_)   ? SW_SHOWMINNOACTIVE
                                 : IsZoomed(handle_) ? SW_SHOWMAXIMIZED
                                                     : SW_SHOWNOACTIVATE;
                msg.result = callDefWndProc(msg);
            } else if (msg.lParam == SW_PARENTOPENING && restoreShowCmd) {
                ShowWindow(handle_, restoreShowCmd);
                restoreShowCmd = 0;
                msg.result = 0;
            } else {
                msg.result = callDefWndProc(msg);
            }
            return false;
        case WM_SETCURSOR: {
            const HCURSOR wanted = screenCursor ? screenCursor : cursor_;
            if (!GetCapture() && LOWORD(msg.lParam) == HTCLIENT && wanted) {
                SetCursor(wanted);
                msg.result = 1;
            } else {
                msg.result = callDefWndProc(msg);
            }
            return false;
        }
        case WM_NCDESTROY:
            removeSelfProperty(msg.hwnd);
            if (windowCreating_) {  // a window the system refused: createWindow answers for it
                msg.result = callDefWndProc(msg);
                return false;
            }
            if (this == applet && msg.hwnd == handle_) return false;
            if (isMainWindow()) {
                PostMessageW(msg.hwnd, wmFreeControl, 0, 0);
                msg.result = callDefWndProc(msg);
                return false;
            }
            if (parent_ && parent_ == applet) {
                windowGone = true;
                msg.result = 0;
                free();
                return true;
            }
            msg.result = callDefWndProc(msg);
            return false;
        case WM_COMMAND: {
            const HWND from = reinterpret_cast<HWND>(msg.lParam);
            if (from && selfProperty(from))
                msg.result = SendMessageW(from, wmReflectedCommand, msg.wParam, msg.lParam);
            else
                msg.result = callDefWndProc(msg);
            return false;
        }
        case WM_SYSCOMMAND:
            if ((msg.wParam & 0xFFF0) == SC_MINIMIZE && isMainWindow() && this != applet && applet) {
                PostMessageW(applet->handle_, WM_SYSCOMMAND, msg.wParam, msg.lParam);
                msg.result = 0;
            } else {
                msg.result = callDefWndProc(msg);
            }
            return false;
        case wmFreeControl:
            destroying = true;
            msg.result = 0;
            free();
            return true;
        default: break;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= lastKeyMessage) return handleKey(msg);
    if (msg.message >= WM_CTLCOLORMSGBOX && msg.message <= WM_CTLCOLORSTATIC) {
        msg.result = SendMessageW(reinterpret_cast<HWND>(msg.lParam), wmReflectedColor + msg.message,
                                  msg.wParam, msg.lParam);
        return false;
    }
    msg.result = callDefWndProc(msg);
    return false;
}

// Attached to every child control: reflected colour and command notifications.
bool childControlHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message >= wmReflectedColor + WM_CTLCOLORMSGBOX &&
        msg.message <= wmReflectedColor + WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(msg.wParam);
        SetTextColor(dc, resolveColor(control.textColor));
        if (control.transparent()) {
            SetBkMode(dc, TRANSPARENT);
            msg.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, resolveColor(control.color()));
            msg.result = reinterpret_cast<LRESULT>(control.backgroundBrush());
        }
        return true;
    }
    if (msg.message == wmReflectedCommand) {
        const std::uint16_t code = HIWORD(msg.wParam);
        const TCommandActions& codes = control.commandActions;
        if (code == codes.clickCode) {
            if (control.focusLock == 0) {
                if (control.beforeClick) control.beforeClick();
                if (control.onClick) control.onClick(control);
            }
        } else if (code == codes.enterCode) {
            if (control.onEnter) control.onEnter(control);
        } else if (code == codes.leaveCode) {
            if (control.onLeave) control.onLeave(control);
        } else if (code == codes.changeCode) {
            if (control.onChange) control.onChange(control);
        } else {
            return false;
        }
        msg.result = control.callDefWndProc(msg);
        return true;
    }
    if (msg.message == WM_SETFOCUS) {
        TControl* form = control.parentForm();
        if (form && form != &control) form->currentControl = &control;
    }
    return false;
}

}  // namespace toolkit
