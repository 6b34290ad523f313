#include "app/ParamStr.h"

#include <gtest/gtest.h>

using app::paramStrOf;

TEST(ParamStr, BlanksSeparateQuotesGroup) {
    EXPECT_EQ(paramStrOf(L"converter.exe /ih", 1), L"/ih");
    EXPECT_EQ(paramStrOf(L"converter.exe", 1), L"");
    EXPECT_EQ(paramStrOf(L"converter.exe   /ih   more", 1), L"/ih");
    EXPECT_EQ(paramStrOf(L"converter.exe /ih more", 2), L"more");
    EXPECT_EQ(paramStrOf(L"converter.exe one two", 1), L"one");
    EXPECT_EQ(paramStrOf(L"\"C:\\Program Files\\conv\\converter.exe\" /ih", 1), L"/ih");
    EXPECT_EQ(paramStrOf(L"converter.exe \"/ih\"", 1), L"/ih");
    EXPECT_EQ(paramStrOf(L"converter.exe \"a b\"c", 1), L"\"a b\"c");  // quotes inside stay
    EXPECT_EQ(paramStrOf(L"converter.exe \"\" /ih", 1), L"/ih");       // an empty pair is skipped
    EXPECT_EQ(paramStrOf(L"converter.exe a \"\"\"\"", 2), L"");        // a parameter of just "" is empty
    EXPECT_EQ(paramStrOf(L"converter.exe /IH", 1), L"/IH");
    EXPECT_EQ(paramStrOf(L"converter.exe\t/ih", 1), L"/ih");
    EXPECT_EQ(paramStrOf(L"converter.exe \"unclosed", 1), L"\"unclosed");
    EXPECT_EQ(paramStrOf(L"converter.exe one", 5), L"");  // past the end: the empty parameter
}
