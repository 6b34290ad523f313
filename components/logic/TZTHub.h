// The hub: fans one event out to several links, one whole chain after the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TLinks.h"
#include "dataflow/TZT_Event.h"

namespace components {

using dataflow::TData;
using dataflow::TEventLink;

class TZTHub {
public:
    // The most outputs a hub fires: its count is a byte.
    static constexpr std::size_t maxOutputs = 255;

    // A hub of n outputs, all unlinked; or one that fires the given links, in their order.
    static std::unique_ptr<TZTHub> withOutputs(std::size_t n);
    static std::unique_ptr<TZTHub> firing(std::initializer_list<TEventLink> outputs);

    // Sizes the outputs. A count beyond maxOutputs is cut to it and told as a mistake of
    // the schema when events are switched on (as is every link set beyond the outputs).
    void setOutCount(std::size_t n);
    std::uint8_t outCount() const { return outCount_; }

    dataflow::TLinks<TEventLink> onEvent{"TZTHub.onEvent"};

    // Input method: each output gets its own copy of the value, in index order.
    void trigger(TData& data, std::uint16_t index);

private:
    std::uint8_t outCount_ = 0;
};

}  // namespace components
