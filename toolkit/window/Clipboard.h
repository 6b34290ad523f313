// The system clipboard's text.
#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

// The text on the clipboard as Windows-1251; empty when it holds none or another
// program has it open.
std::string clipboardText(HWND owner);

}  // namespace toolkit
