// Font sizes in points to font heights in device units (Windows only).
#pragma once

namespace dataflow {

// A negative height: the character height without internal leading, at the screen's
// vertical resolution (read once and kept for the rest of the run).
int pointsToFontHeight(int points);

}  // namespace dataflow
