#include "components/visual/TZTButton.h"

#include "dataflow/EventDispatch.h"

namespace components {

TZTButton::TZTButton(TControl* parentControl) : TZTWin(parentControl) {}

void TZTButton::init() {
    control = TControl::newButton(parentControl(), caption);
    control->onClick = [this](TControl&) { dataflow::fireEventNull(onClick); };
    TZTWin::init();
}

}  // namespace components
