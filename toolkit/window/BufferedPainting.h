// Buffered painting of controls with transparent children: the buffered ancestor and
// every child window below it are painted into one off-screen bitmap, which is then
// copied to the screen in one step.
#pragma once

#include <windows.h>

#include "toolkit/window/TControl.h"

namespace toolkit {

// The outermost control from control upward that is double-buffered, or none.
TControl* bufferedAncestor(TControl* control);

// Paints the child windows of window into dc, each at its place, from the bottom of the
// z-order up.
void paintChildWindows(HWND window, HDC dc);

// The buffered paint of a control (its WM_PAINT while it is double-buffered).
void bufferedPaint(TControl& control);

}  // namespace toolkit
