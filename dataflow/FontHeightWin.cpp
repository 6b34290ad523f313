#include "dataflow/FontHeight.h"

#include "toolkit/TControl.h"

namespace dataflow {

int pointsToFontHeight(int points) {
    // Integer division truncates toward zero.
    return (points * toolkit::screenDpi() + 36) / -72;
}

}  // namespace dataflow
