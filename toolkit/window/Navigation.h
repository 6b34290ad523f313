// Keyboard navigation between the controls of a form.
#pragma once

#include <vector>

#include "toolkit/window/TControl.h"

namespace toolkit {

// Gives the control's form the navigation procedure for Tab, arrows and page keys.
void installTabulation(TControl& control);
// Moves the focus of a form to the next (+1) or previous (-1) tab stop, wrapping.
void moveFocus(TControl& form, int direction);
// The form's tab stops in navigation order.
std::vector<TControl*> tabCandidates(TControl& form);

}  // namespace toolkit
