// Windows-1251 texts through the wide functions, under a code page that is not 1251.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit/text/WideText.h"

TEST(WideText, Windows1251RoundTripsThroughUtf16) {
    const std::string text = "Значение виброускорения в м/с2 ";
    const std::wstring wide = toolkit::toWide(text);
    EXPECT_EQ(wide, L"Значение виброускорения в м/с2 ");
    EXPECT_EQ(toolkit::fromWide(wide), text);
    EXPECT_NE(GetACP(), 1251u);  // the session really runs under another code page
}
