// A table as text: lines of cells read from data links, the cells of a line joined by
// tabs and the lines by line ends, as a spreadsheet takes them cell by cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTTextTable {
public:
    // A cell: a fixed text, or what a data point gives, read as text.
    struct TCell {
        TCell(const char* fixed) : text(fixed) {}
        TCell(dataflow::TDataLink read) : source(read) {}
        std::string text;
        dataflow::TDataLink source;
    };
    std::vector<std::vector<TCell>> lines;

    // Input method: every cell read as text, the table passed on to onText.
    void compose(dataflow::TData& data, std::uint16_t index);
    dataflow::TEventLink onText;
};

}  // namespace components
