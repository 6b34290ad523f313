// Message dispatch: the global window procedure and the chain every message runs
// through (hooks, attached handlers, built-in handling, default processing).
#include "toolkit/Application.h"
#include "toolkit/ControlGlobals.h"
#include "toolkit/SelfProperty.h"
#include "toolkit/TControl.h"

namespace toolkit {

namespace {
constexpr UINT msgFreeControl = 0xB003;
constexpr UINT msgReflectedCommand = 0xB005;
constexpr UINT msgReflectedColor = 0xBC00;

// The shift state (4 Shift, 8 Ctrl, 32 Alt) in one read of the thread's key state: each
// read is a request to the window server, the dearest step of a keystroke.
std::uint32_t keyShiftState() {
    BYTE keys[256];
    if (!GetKeyboardState(keys)) return 0;
    const auto down = [&keys](int key) { return (keys[key] & 0x80) != 0; };
    return (down(VK_SHIFT) ? 4u : 0u) | (down(VK_CONTROL) ? 8u : 0u) | (down(VK_MENU) ? 32u : 0u);
}
}  // namespace

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

// Whether the window or its inner window has the focus. The window's own focus is known
// from its focus messages; only otherwise is the system asked.
bool TControl::keysReachMe() const {
    if (hasFocus_) return true;
    const HWND focus = GetFocus();
    return focus == handle_ || (innerHandle && focus == innerHandle);
}

bool TControl::handleKey(TMsg& msg) {
    if (!keysReachMe()) {
        // Alt+Space in a child comes on to its form: the window menu opens, as in every program.
        msg.result = msg.message == WM_SYSCHAR && msg.wParam == VK_SPACE ? callDefWndProc(msg) : 0;
        return false;
    }
    keyShift_ = keyShiftState();
    if (keyPreHandler && keyPreHandler(*this, msg)) return true;
    if (keyShift_ & (8 | 32)) {  // Ctrl or Alt down
        msg.result = callDefWndProc(msg);
        return false;
    }
    if (msg.message == WM_CHAR && msg.wParam == VK_TAB) {
        msg.wParam = 0;
        msg.result = 0;
        return false;
    }
    // Only key presses and releases are offered for navigation: a character code is no
    // virtual-key code ("&" would read as the up arrow and vanish).
    const bool keyMessage = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP ||
                            msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP;
    TControl* form = parentForm();
    if (keyMessage && form && form->gotoControl &&
        form->gotoControl(*this, static_cast<std::uint32_t>(msg.wParam), msg.message != WM_KEYDOWN)) {
        msg.wParam = 0;
        msg.result = 0;
        return false;
    }
    msg.result = callDefWndProc(msg);
    return false;
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
                PostMessageW(msg.hwnd, msgFreeControl, 0, 0);
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
                msg.result = SendMessageW(from, msgReflectedCommand, msg.wParam, msg.lParam);
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
        case msgFreeControl:
            destroying = true;
            msg.result = 0;
            free();
            return true;
        default: break;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= 0x108) return handleKey(msg);
    if (msg.message >= WM_CTLCOLORMSGBOX && msg.message <= WM_CTLCOLORSTATIC) {
        msg.result = SendMessageW(reinterpret_cast<HWND>(msg.lParam), msgReflectedColor + msg.message,
                                  msg.wParam, msg.lParam);
        return false;
    }
    msg.result = callDefWndProc(msg);
    return false;
}

}  // namespace toolkit
