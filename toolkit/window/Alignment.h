// Alignment of children to the edges of their parent.
#pragma once

#include "toolkit/window/TControl.h"

namespace toolkit {

// Docks the children of parent to its edges by their align values.
void realign(TControl* parent);

}  // namespace toolkit
