#include "components/logic/TZTChoice.h"

#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

namespace {
std::int32_t indexFrom(const TDataLink& link) { return link.isLinked() ? readInteger(link) : 0; }
}  // namespace

void TZTChoice::value(TData& data, std::uint16_t) {
    const std::int32_t r = indexFrom(row);
    const std::int32_t c = indexFrom(column);
    const std::size_t at =
        static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c);
    if (r < 0 || c < 0 || c >= columns || at >= values.size())
        setNull(data);
    else
        setReal(data, values[at]);
}

}  // namespace components
