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

// The item the list shows in its face. While the list is dropped its selection may be
// the item under the mouse, which the face does not always show: the face's text decides.
std::int32_t TZTComboBox::shown() const {
    const auto selected = static_cast<std::int32_t>(control->perform(CB_GETCURSEL, 0, 0));
    const std::string face = control->getControlText();
    if (selected >= 0 && static_cast<std::size_t>(selected) < items.size() && items[selected] == face)
        return selected;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == face) return static_cast<std::int32_t>(i);
    return selected < 0 ? -1 : reported_;
}

// The list tells of a choice in several notifications, in an order that differs between
// systems; a dropped list closed without a choice goes back to its former item, and a
// mouse over the dropped list may change the item shown, without telling of either:
// every notification, every input to the dropped list and the loss of the focus are
// moments to compare the item shown with the one last reported.
bool TZTComboBox::handleMessage(toolkit::TMsg& msg) {
    if (msg.message == toolkit::wmReflectedCommand || msg.message == toolkit::wmListTracked ||
        msg.message == WM_KILLFOCUS)
        reportShown();
    return TZTWin::handleMessage(msg);
}

void TZTComboBox::reportShown() {
    const std::int32_t index = shown();
    if (index == reported_) return;
    reported_ = index;
    fireEventInt(onChange, index);
}

void TZTComboBox::doItemIndex(TData& data, std::uint16_t) {
    const std::int32_t index = toIndex(data);
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return;
    control->perform(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    reportShown();
}

void TZTComboBox::itemText(TData& data, std::uint16_t) {
    if (reported_ < 0 || static_cast<std::size_t>(reported_) >= items.size())
        setNull(data);
    else
        setString(data, items[static_cast<std::size_t>(reported_)]);
}

// What the last report told, so that a schema reads the item its event told of.
void TZTComboBox::value(TData& data, std::uint16_t) {
    if (reported_ < 0)
        setNull(data);
    else
        setInteger(data, reported_);
}

}  // namespace components
