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
    setItemIndex(itemIndex);
}

void TZTComboBox::setItemIndex(std::int32_t index) {
    control->perform(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    reported_ = shown();
}

std::int32_t TZTComboBox::shown() const {
    return static_cast<std::int32_t>(control->perform(CB_GETCURSEL, 0, 0));
}

// The list tells of a choice in several notifications, in an order that differs between
// systems, and a dropped list closed without a choice goes back to its former item
// without telling of that at all: every notification, and the loss of the focus, is
// taken as a moment to compare the item shown with the one last reported.
bool TZTComboBox::handleMessage(toolkit::TMsg& msg) {
    if (msg.message == toolkit::wmReflectedCommand || msg.message == WM_KILLFOCUS) reportShown();
    return TZTWin::handleMessage(msg);
}

void TZTComboBox::reportShown() {
    const std::int32_t index = shown();
    if (index == reported_) return;
    reported_ = index;
    fireEventInt(onChange, index);
}

void TZTComboBox::value(TData& data, std::uint16_t) {
    const std::int32_t index = shown();
    if (index < 0)
        setNull(data);
    else
        setInteger(data, index);
}

}  // namespace components
