// The push button: a control of the system's "BUTTON" class.
#include "toolkit/window/TControl.h"

namespace toolkit {

namespace {

const TCommandActions buttonActions{BN_CLICKED, BN_SETFOCUS, BN_KILLFOCUS, 0, 0, 0};

// Enter on a focused button presses it, as Space does; the edit keys of a form's fields
// have nothing to do there.
bool buttonEnterKey(void*, TControl&, TMsg& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
    SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
    msg.result = 0;
    return true;
}

}  // namespace

TControl* TControl::newButton(TControl* parent, std::string_view caption) {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
    TControl* button = newControl(parent, "BUTTON", style, false, buttonActions);
    button->boundsRect_.right = button->boundsRect_.left + 120;
    button->boundsRect_.bottom = button->boundsRect_.top + 26;
    button->navigationKeys = 1;
    button->attachProc(TMessageHandler{buttonEnterKey, nullptr});
    button->setControlText(caption);
    return button;
}

}  // namespace toolkit
