// A number chosen by an index: one of the component's values, in the row (and column)
// that its data inputs read, for a factor or a reference that goes with the item of a
// list.
#pragma once

#include <cstdint>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTChoice {
public:
    std::vector<double> values;  // row by row
    std::int32_t columns = 1;

    // The row and the column, read as integers; an unlinked one is 0.
    dataflow::TDataLink row;
    dataflow::TDataLink column;

    // Data point: the chosen value; null where the row or column is outside the values.
    void value(dataflow::TData& data, std::uint16_t index);
    using DataPoints = dataflow::TDataPoints<&TZTChoice::value>;

    // Input method: the value in the row that comes (read as an integer) and the column
    // read, passed on to onValue; nothing where they are outside the values.
    void choose(dataflow::TData& data, std::uint16_t index);
    dataflow::TEventLink onValue;

private:
    bool at(std::int32_t r, std::int32_t c, double& value) const;
};

}  // namespace components
