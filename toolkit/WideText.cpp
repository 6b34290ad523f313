#include "toolkit/WideText.h"

#include <windows.h>

namespace toolkit {

namespace {
constexpr UINT codePage1251 = 1251;
}

std::wstring toWide(std::string_view text1251) {
    if (text1251.empty()) return {};
    const int size = static_cast<int>(text1251.size());
    const int length = MultiByteToWideChar(codePage1251, 0, text1251.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage1251, 0, text1251.data(), size, wide.data(), length);
    return wide;
}

std::string fromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    // Characters that 1251 lacks become "?", the system's default character.
    const int length =
        WideCharToMultiByte(codePage1251, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage1251, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace toolkit
