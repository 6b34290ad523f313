// Conversion of the program's Windows-1251 texts to and from the UTF-16 texts of the
// wide Win32 functions. Every text that crosses the platform boundary goes through
// here, so captions and messages read right whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

std::wstring toWide(std::string_view text1251);
std::string fromWide(std::wstring_view text);

}  // namespace toolkit
