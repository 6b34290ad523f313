#include "components/visual/TZTComboBox.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/text/WideText.h"

namespace components {

using namespace dataflow;

void TZTComboBox::init() {
    control = TControl::newComboBox(parentControl());
    TZTWin::init();
    for (const std::string& item : items)
        control->perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toolkit::toWide(item).c_str()));
    control->perform(CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
    control->onChange = [this](TControl&) { fireEventInt(onChange, chosen()); };
}

std::int32_t TZTComboBox::chosen() const {
    return static_cast<std::int32_t>(control->perform(CB_GETCURSEL, 0, 0));
}

void TZTComboBox::value(TData& data, std::uint16_t) {
    const std::int32_t index = chosen();
    if (index < 0)
        setNull(data);
    else
        setInteger(data, index);
}

}  // namespace components
