#include <windows.h>

#include "dataflow/FontHeight.h"

namespace dataflow {

namespace {
int screenDpiY() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    return dpi;
}
}  // namespace

int pointsToFontHeight(int points) {
    // Integer division truncates toward zero.
    return (points * screenDpiY() + 36) / -72;
}

}  // namespace dataflow
