#include "components/logic/TZTBands.h"

#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

void TZTBands::classify(TData& data, std::uint16_t) {
    const std::int32_t r = row.isLinked() ? readInteger(row) : 0;
    const auto perRow = static_cast<std::size_t>(boundariesPerRow);
    const std::size_t first = static_cast<std::size_t>(r) * perRow;
    if (r < 0 || perRow == 0 || first + perRow > boundaries.size()) return;
    const double value = toReal(data);
    std::int32_t band = 0;
    while (static_cast<std::size_t>(band) < perRow &&
           value >= boundaries[first + static_cast<std::size_t>(band)])
        ++band;
    passOnInteger(data, onBand, band);
}

}  // namespace components
