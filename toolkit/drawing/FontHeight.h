// The screen's resolution and font heights from sizes in points.
#pragma once

namespace toolkit {

// The screen's vertical resolution in dots per inch, read once.
int screenDpi();

// A negative height: the character height without internal leading, at the screen's
// vertical resolution.
int pointsToFontHeight(int points);

}  // namespace toolkit
