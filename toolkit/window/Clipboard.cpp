#include "toolkit/window/Clipboard.h"

#include <cstring>

#include "toolkit/text/WideText.h"

namespace toolkit {

std::wstring clipboardWideText(HWND owner) {
    if (!OpenClipboard(owner)) return {};
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = wide;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::string clipboardText(HWND owner) { return fromWide(clipboardWideText(owner)); }

bool setClipboardText(HWND owner, std::wstring_view text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    bool put = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        auto* target = static_cast<wchar_t*>(GlobalLock(memory));
        std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
        target[text.size()] = L'\0';
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!put) GlobalFree(memory);
    }
    CloseClipboard();
    return put;
}

bool setClipboardBitmap(HWND owner, HBITMAP bitmap) {
    if (!OpenClipboard(owner)) {
        DeleteObject(bitmap);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (!put) DeleteObject(bitmap);
    CloseClipboard();
    return put;
}

}  // namespace toolkit
