// Typing as the keyboard does it: key down, character, key up, sent to the window that
// has the focus; and a window's text as the system shows it.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

inline UINT virtualKeyOf(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<UINT>(c - 'a' + 'A');
    switch (c) {
        case '.': return VK_OEM_PERIOD;
        case ',': return VK_OEM_COMMA;
        case '-': return VK_OEM_MINUS;
        case '+': return VK_OEM_PLUS;
        case ' ': return VK_SPACE;
        default: return static_cast<UINT>(static_cast<unsigned char>(c));
    }
}

// A key with its character (none: 0).
inline void pressKey(HWND window, UINT key, wchar_t character = 0) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    if (character) SendMessageW(window, WM_CHAR, character, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

inline void type(HWND window, const std::string& text) {
    for (char c : text) pressKey(window, virtualKeyOf(c), static_cast<unsigned char>(c));
}

inline std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace testsupport
