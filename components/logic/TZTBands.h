// A value placed on a scale of bands: the band it falls in, counted from 0 below the
// first boundary, for a severity zone or any graded reading. Each row of boundaries is a
// scale of its own (a machine class, say), chosen by a data input.
#pragma once

#include <cstdint>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTBands {
public:
    std::vector<double> boundaries;  // row by row, rising within a row
    std::int32_t boundariesPerRow = 1;

    // The row, read as an integer; unlinked: 0.
    dataflow::TDataLink row;

    // Input method: the band of the value that comes (read as a real), passed on to
    // onBand as an integer: 0 below the row's first boundary, n from its n-th on (a value
    // on a boundary belongs to the band above it). Nothing for a row outside the
    // boundaries.
    void classify(dataflow::TData& data, std::uint16_t index);
    dataflow::TEventLink onBand;
};

}  // namespace components
