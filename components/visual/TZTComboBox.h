// A drop-down list: the user chooses one of its texts, with the mouse or the keyboard
// (the arrows, the first letter, Alt+Down), and every choice is reported with the
// item's index.
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
    std::int32_t itemIndex = 0;      // chosen at the start; -1 none

    TEventLink onChange;  // (int) the user chose an item: its index

    void init() override;
    // Data point: the chosen item's index (an integer); null when none is chosen.
    void value(TData& data, std::uint16_t index);
    using DataPoints = dataflow::TDataPoints<&TZTComboBox::value>;

private:
    std::int32_t chosen() const;
};

}  // namespace components
