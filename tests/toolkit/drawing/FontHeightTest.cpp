#include "toolkit/drawing/FontHeight.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace toolkit;

TEST(PointsToFontHeight, FollowsTheScreenResolution) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(dpi, 0);
    for (int points : {1, 8, 10, 12, 72})
        EXPECT_EQ(pointsToFontHeight(points), (points * dpi + 36) / -72) << points;
    if (dpi == 96) {
        EXPECT_EQ(pointsToFontHeight(8), -11);
        EXPECT_EQ(pointsToFontHeight(10), -13);
    }
    EXPECT_EQ(pointsToFontHeight(0), 0);  // 36 / -72 truncates toward zero
}
