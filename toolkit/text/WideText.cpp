#include "toolkit/text/WideText.h"

#include <windows.h>

namespace toolkit {

namespace {
constexpr UINT codePage1251 = 1251;
// No best-fit mapping: a character without a 1251 form must not turn into a letter or
// digit that the program would read as something it is not.
constexpr DWORD exactOnly = WC_NO_BEST_FIT_CHARS;
}  // namespace

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
    const int length =
        WideCharToMultiByte(codePage1251, exactOnly, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage1251, exactOnly, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

char toChar1251(wchar_t character) {
    char narrow = '?';
    WideCharToMultiByte(codePage1251, exactOnly, &character, 1, &narrow, 1, nullptr, nullptr);
    return narrow;
}

wchar_t fromChar1251(char character) {
    wchar_t wide = 0;
    MultiByteToWideChar(codePage1251, 0, &character, 1, &wide, 1);
    return wide;
}

}  // namespace toolkit
