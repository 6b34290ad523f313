// Conversion of the program's Windows-1251 texts to and from the UTF-16 texts of the
// wide Win32 functions. Every text that crosses the platform boundary goes through
// here, so captions and messages read right whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

std::wstring toWide(std::string_view text1251);
// Characters that 1251 lacks become "?", never a look-alike ("é" does not become "e").
std::string fromWide(std::wstring_view text);

// One character the same way: the UTF-16 code unit of a character message and the byte
// the program's handlers see. A surrogate half has no 1251 form and gives "?".
char toChar1251(wchar_t character);
wchar_t fromChar1251(char character);

}  // namespace toolkit
