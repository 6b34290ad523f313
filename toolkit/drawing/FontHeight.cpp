#include "toolkit/drawing/FontHeight.h"

#include <windows.h>

namespace toolkit {

int screenDpi() {
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int pointsToFontHeight(int points) {
    // Integer division truncates toward zero.
    return (points * screenDpi() + 36) / -72;
}

}  // namespace toolkit
