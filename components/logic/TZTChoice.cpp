#include "components/logic/TZTChoice.h"

#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

namespace {
std::int32_t indexFrom(const TDataLink& link) { return link.isLinked() ? readInteger(link) : 0; }
}  // namespace

bool TZTChoice::at(std::int32_t r, std::int32_t c, double& value) const {
    const std::size_t place =
        static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c);
    if (r < 0 || c < 0 || c >= columns || place >= values.size()) return false;
    value = values[place];
    return true;
}

void TZTChoice::value(TData& data, std::uint16_t) {
    double chosen = 0;
    if (at(indexFrom(row), indexFrom(column), chosen))
        setReal(data, chosen);
    else
        setNull(data);
}

void TZTChoice::choose(TData& data, std::uint16_t) {
    double chosen = 0;
    if (at(toIndex(data), indexFrom(column), chosen)) passOnReal(data, onValue, chosen);
}

}  // namespace components
