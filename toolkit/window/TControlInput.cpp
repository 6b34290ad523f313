// Key and mouse input: the key messages' way to the control's key events and the
// form's navigation, the mouse messages' to its mouse events, the mouse's entering and
// leaving, and the size and visibility notifications.
#include "toolkit/window/TControl.h"

#include <commctrl.h>

#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

// The shift state (4 Shift, 8 Ctrl, 32 Alt) in one read of the thread's key state: each
// read is a request to the window server, the dearest step of a keystroke.
std::uint32_t keyShiftState() {
    BYTE keys[256];
    if (!GetKeyboardState(keys)) return 0;
    const auto down = [&keys](int key) { return (keys[key] & 0x80) != 0; };
    return (down(VK_SHIFT) ? ssShift : 0u) | (down(VK_CONTROL) ? ssCtrl : 0u) | (down(VK_MENU) ? ssAlt : 0u);
}

bool mouseHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSEWHEEL || msg.hwnd != control.handle())
        return false;
    TMouseEventData mouse;
    // The key-state flags (the extra buttons left out: ssAlt means Alt here), and for the
    // wheel the delta in the high word.
    mouse.shift = static_cast<std::uint32_t>(msg.wParam) & 0xFFFF001Fu;
    if (GetKeyState(VK_MENU) < 0) mouse.shift |= ssAlt;
    POINT at{static_cast<std::int16_t>(LOWORD(msg.lParam)), static_cast<std::int16_t>(HIWORD(msg.lParam))};
    if (msg.message == WM_MOUSEWHEEL) ScreenToClient(msg.hwnd, &at);  // the wheel's are the screen's
    mouse.x = static_cast<std::int16_t>(at.x);
    mouse.y = static_cast<std::int16_t>(at.y);
    msg.result = 0;
    return control.dispatchMouse(msg.message, mouse);
}

bool enterLeaveHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL)
        control.trackMouse();
    else if (msg.message == WM_MOUSELEAVE)
        control.mouseLeft();
    return false;
}

bool resizeHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message == WM_SIZE) control.notifyResize();
    return false;
}

bool showHideHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message == WM_SHOWWINDOW && msg.hwnd == control.handle())
        control.notifyShowHide(msg.wParam != 0, IsWindowVisible(msg.hwnd) != FALSE);
    return false;
}

bool keyboardHandler(void*, TControl& control, TMsg& msg) {
    return control.dispatchKey(msg, control.keyShift());
}

}  // namespace

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
    if (keyShift_ & (ssCtrl | ssAlt)) {
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

void TControl::installKeyHandler() { keyPreHandler = TMessageHandler{keyboardHandler, nullptr}; }

bool TControl::dispatchKey(TMsg& msg, std::uint32_t shift) {
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const TKeyEvent& event =
                (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) ? onKeyDown_ : onKeyUp_;
            std::uint32_t key = static_cast<std::uint32_t>(msg.wParam);
            if (event) event(*this, key, shift);
            msg.wParam = key;
            return key == 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            // The windows are wide: the message carries a UTF-16 code unit, the handlers
            // see its Windows-1251 byte. Only a character they changed goes back to the
            // control converted; an unchanged one reaches it exactly as it was typed.
            const char typed = toChar1251(static_cast<wchar_t>(msg.wParam));
            char key = typed;
            if (onChar_) onChar_(*this, key, shift);
            if (key != typed) msg.wParam = fromChar1251(key);
            return key == 0;
        }
        default: return false;
    }
}

bool TControl::dispatchMouse(UINT message, TMouseEventData& mouse) {
    // The button messages: the button they name and the event they fire.
    struct ButtonMessage {
        UINT message;
        std::uint8_t button;
        TMouseEvent TControl::*event;
    };
    static constexpr ButtonMessage buttonMessages[] = {
        {WM_LBUTTONDOWN, 1, &TControl::onMouseDown_},     {WM_RBUTTONDOWN, 2, &TControl::onMouseDown_},
        {WM_MBUTTONDOWN, 3, &TControl::onMouseDown_},     {WM_LBUTTONUP, 1, &TControl::onMouseUp_},
        {WM_RBUTTONUP, 2, &TControl::onMouseUp_},         {WM_MBUTTONUP, 3, &TControl::onMouseUp_},
        {WM_LBUTTONDBLCLK, 1, &TControl::onMouseDblClk_}, {WM_RBUTTONDBLCLK, 2, &TControl::onMouseDblClk_},
        {WM_MBUTTONDBLCLK, 3, &TControl::onMouseDblClk_},
    };
    const TMouseEvent* event = nullptr;
    if (message == WM_MOUSEMOVE) event = &onMouseMove_;
    if (message == WM_MOUSEWHEEL) event = &onMouseWheel_;
    for (const ButtonMessage& entry : buttonMessages) {
        if (entry.message != message) continue;
        mouse.button = entry.button;
        event = &(this->*entry.event);
    }
    if (!event) return false;
    if (*event) (*event)(*this, mouse);
    return mouse.stopHandling;
}

void TControl::attachMouseHandler() { attachProc(TMessageHandler{mouseHandler, nullptr}); }

void TControl::setOnMouseEnter(TNotify e) {
    onMouseEnter_ = std::move(e);
    InitCommonControls();
    attachProc(TMessageHandler{enterLeaveHandler, nullptr});
    invalidate();
}

void TControl::setOnMouseLeave(TNotify e) {
    onMouseLeave_ = std::move(e);
    InitCommonControls();
    attachProc(TMessageHandler{enterLeaveHandler, nullptr});
    invalidate();
}

namespace {

void requestLeaveNotice(HWND window, DWORD flags) {
    using Track = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    const HMODULE library = GetModuleHandleW(L"comctl32.dll");
    const auto track =
        library
            ? reinterpret_cast<Track>(reinterpret_cast<void*>(GetProcAddress(library, "_TrackMouseEvent")))
            : nullptr;
    if (!track) return;
    TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), flags, window, 0};
    track(&request);
}

}  // namespace

void TControl::trackMouse() {
    bool inside;
    if (mouseHitTest) {
        inside = mouseHitTest(*this);
    } else {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(handle_, &p);
        const RECT client = toDevice(clientRect());
        inside = PtInRect(&client, p) != FALSE;
    }
    if (inside == mouseInside_) return;
    invalidate();
    mouseInside_ = inside;
    if (inside) {
        if (onMouseEnter_) onMouseEnter_(*this);
        requestLeaveNotice(handle_, TME_LEAVE);
    } else {
        requestLeaveNotice(handle_, TME_CANCEL | TME_LEAVE);
        if (onMouseLeave_) onMouseLeave_(*this);
    }
}

void TControl::mouseLeft() {
    if (!mouseInside_) return;
    mouseInside_ = false;
    if (onMouseLeave_) onMouseLeave_(*this);
    invalidate();
}

void TControl::setOnResize(TNotify e) {
    onResize_ = std::move(e);
    attachProc(TMessageHandler{resizeHandler, nullptr});
}

void TControl::setOnShow(TNotify e) {
    onShow_ = std::move(e);
    attachProc(TMessageHandler{showHideHandler, nullptr});
}

void TControl::setOnHide(TNotify e) {
    onHide_ = std::move(e);
    attachProc(TMessageHandler{showHideHandler, nullptr});
}

void TControl::notifyResize() {
    if (onResize_) onResize_(*this);
}

void TControl::notifyShowHide(bool showing, bool wasVisible) {
    visible_ = showing;
    if (showing && !wasVisible && onShow_) onShow_(*this);
    if (!showing && wasVisible && onHide_) onHide_(*this);
}

}  // namespace toolkit
