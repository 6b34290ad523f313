#include "components/logic/TZTHub.h"

#include "dataflow/EventDispatch.h"

namespace components {

void TZTHub::setOutCount(std::uint16_t n) {
    onEvent.resize(n);
    outCount_ = static_cast<std::uint8_t>(n & 0xFF);
}

void TZTHub::trigger(TData& data, std::uint16_t) {
    for (std::size_t i = 0; i < outCount_; ++i) dataflow::fireEvent(onEvent.at(i), data);
}

}  // namespace components
