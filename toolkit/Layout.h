// Alignment of children and keyboard navigation between the controls of a form.
#pragma once

#include <vector>

#include "toolkit/TControl.h"

namespace toolkit {

// Docks the children of parent to its edges by their align values.
void realign(TControl* parent);

// Gives the control's form the navigation procedure for Tab, arrows and page keys.
void installTabulation(TControl& control);
// Moves the focus of a form to the next (+1) or previous (-1) tab stop, wrapping.
void moveFocus(TControl& form, int direction);
// The form's tab stops in navigation order.
std::vector<TControl*> tabCandidates(TControl& form);

}  // namespace toolkit
