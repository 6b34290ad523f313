// The drop-down list: a control of the system's "COMBOBOX" class.
#include "toolkit/window/TControl.h"

namespace toolkit {

namespace {

const TCommandActions comboBoxActions{0, CBN_SETFOCUS, CBN_KILLFOCUS, CBN_SELCHANGE, 0, 0};

// A drop-down list hands a key with Alt to its dropped list, a window of its own, where
// Alt+F4 would close that list and Alt+Space find no window menu. Such keys (but Alt+Up
// and Alt+Down, which drop and close the list) go to the system's default processing
// instead, which closes the form or opens its window menu, as in every other control.
bool comboBoxAltKeys(void*, TControl&, TMsg& msg) {
    const bool dropKey = msg.message == WM_SYSKEYDOWN && (msg.wParam == VK_UP || msg.wParam == VK_DOWN);
    if ((msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR) || dropKey) return false;
    msg.result = DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    return true;
}

}  // namespace

TControl* TControl::newComboBox(TControl* parent) {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    TControl* list = newControl(parent, "COMBOBOX", style, false, comboBoxActions);
    list->boundsRect_.right = list->boundsRect_.left + 100;
    list->boundsRect_.bottom = list->boundsRect_.top + 200;
    list->navigationKeys = 1;
    list->attachProc(TMessageHandler{comboBoxAltKeys, nullptr});
    return list;
}

}  // namespace toolkit
