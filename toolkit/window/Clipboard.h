// The system clipboard: its text, and text or a picture put on it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit {

// The text on the clipboard, as UTF-16 or as Windows-1251; empty when it holds none or
// another program has it open.
std::wstring clipboardWideText(HWND owner);
std::string clipboardText(HWND owner);

// Puts a text (UTF-16) on the clipboard in place of what it held; false when another
// program has it open.
bool setClipboardText(HWND owner, std::wstring_view text);

// Puts a picture on the clipboard in place of what it held; the clipboard takes the
// bitmap over. False (and the bitmap deleted) when another program has it open.
bool setClipboardBitmap(HWND owner, HBITMAP bitmap);

}  // namespace toolkit
