// A drop-down list: the user chooses one of its texts, with the mouse or the keyboard
// (the arrows, the first letter, Alt+Down, the wheel), and every change of the item it
// shows is reported with the item's index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "components/visual/TZTWin.h"

namespace components {

class TZTComboBox : public TZTWin {
public:
    using TZTWin::TZTWin;

    // Properties. The height given in place() is the height of the dropped list.
    std::vector<std::string> items;  // Windows-1251
    std::int32_t itemIndex = 0;      // shown at the start; -1 none

    // (int) the item shown changed by the user's doing, by any route: a choice with the
    // mouse or the keys, the list open or closed, a letter, the wheel, and a dropped list
    // closed without a choice that goes back to its former item. Once per change.
    TEventLink onChange;

    void init() override;
    // The program shows an item of its own choosing (-1 none); that is not reported.
    void setItemIndex(std::int32_t index);
    // Input method: the item whose index comes (read as an integer) is shown, as though
    // the user chose it, and reported when it changed; an index outside the items is
    // ignored.
    void doItemIndex(TData& data, std::uint16_t index);
    // Data points: the shown item's index (an integer), and its text; null when none is
    // shown.
    void value(TData& data, std::uint16_t index);
    void itemText(TData& data, std::uint16_t index);
    using DataPoints = dataflow::TDataPoints<&TZTComboBox::value, &TZTComboBox::itemText>;

protected:
    bool handleMessage(toolkit::TMsg& msg) override;

private:
    std::int32_t shown() const;
    void reportShown();

    std::int32_t reported_ = -1;  // the item onChange last told of, or that the program set
};

}  // namespace components
