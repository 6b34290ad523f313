// A number followed by its unit, as a value is pasted from a document ("4,5 мм/с"): the
// unit names an item of a list (the quantity, the unit of the frequency) and the number
// goes on alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTUnitSplit {
public:
    struct TUnit {
        std::string text;   // Windows-1251, as it follows the number
        std::int32_t item;  // the list's item it names
    };
    std::vector<TUnit> units;

    // The item shown now, read as an integer: of the items a unit names, the one shown
    // is kept ("дБ" of a level of velocity stays one).
    dataflow::TDataLink current;

    // Input method: the text that comes, read as a number and a unit of the table (the
    // longest that ends it): onUnit gets the unit's item, then onNumber the number's
    // text. A text without a unit of the table, or whose rest is no number, goes to
    // onRefused (without the blanks around it).
    void split(dataflow::TData& data, std::uint16_t index);
    dataflow::TEventLink onUnit, onNumber, onRefused;

private:
    const TUnit* unitEnding(const std::string& text) const;
};

}  // namespace components
