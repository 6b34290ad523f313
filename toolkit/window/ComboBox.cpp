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

constexpr wchar_t listPreviousProcedure[] = L"LIST_PREV_PROC";
constexpr wchar_t listOwner[] = L"LIST_OWNER";

bool isListInput(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_KEYDOWN ||
           message == WM_CHAR;
}

// The dropped list, a window of the system's own: a mouse over it may change the item
// the list shows without any notification, so after each of its mouse and key messages
// it tells its drop-down list, which compares what it shows.
LRESULT CALLBACK droppedListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(list, listPreviousProcedure));
    const auto owner = static_cast<HWND>(GetPropW(list, listOwner));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(list, listPreviousProcedure);
        RemovePropW(list, listOwner);
    }
    const LRESULT result = CallWindowProcW(previous, list, message, wParam, lParam);
    if (isListInput(message) && owner && IsWindow(owner)) SendMessageW(owner, wmListTracked, 0, 0);
    return result;
}

void watchDroppedList(TControl& comboBox) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(comboBox.handle(), &info) || !info.hwndList) return;
    SetPropW(info.hwndList, listOwner, comboBox.handle());
    const LONG_PTR previous =
        SetWindowLongPtrW(info.hwndList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(droppedListProcedure));
    SetPropW(info.hwndList, listPreviousProcedure, reinterpret_cast<HANDLE>(previous));
}

}  // namespace

TControl* TControl::newComboBox(TControl* parent) {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    TControl* list = newControl(parent, "COMBOBOX", style, false, comboBoxActions);
    list->boundsRect_.right = list->boundsRect_.left + 100;
    list->boundsRect_.bottom = list->boundsRect_.top + 200;
    list->navigationKeys = 1;
    list->attachProc(TMessageHandler{comboBoxAltKeys, nullptr});
    list->afterCreate = watchDroppedList;
    return list;
}

}  // namespace toolkit
