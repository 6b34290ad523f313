// The hub: fans one event out to several links, one whole chain after the other.
#pragma once

#include <cstdint>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TLinks.h"
#include "dataflow/TZT_Event.h"

namespace components {

using dataflow::TData;
using dataflow::TEventLink;

class TZTHub {
public:
    // Sizes the outputs; the hub fires only the first (n mod 256) of them.
    void setOutCount(std::uint16_t n);
    std::uint8_t outCount() const { return outCount_; }

    std::uint8_t inCount = 0;  // set by the schema, never read
    dataflow::TLinks<TEventLink> onEvent{"TZTHub.onEvent"};

    // Input method: each output gets its own copy of the value, in index order.
    void trigger(TData& data, std::uint16_t index);

private:
    std::uint8_t outCount_ = 0;
};

}  // namespace components
