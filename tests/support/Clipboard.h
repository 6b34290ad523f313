// Pasting as a user does: the text put on the clipboard, then the paste command.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace testsupport {

inline void paste(HWND box, const std::wstring& text) {
    if (!OpenClipboard(box)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(box, WM_PASTE, 0, 0);
}

}  // namespace testsupport
