#include "components/logic/TZTHub.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/text/NumberText.h"

namespace components {

std::unique_ptr<TZTHub> TZTHub::withOutputs(std::size_t n) {
    auto hub = std::make_unique<TZTHub>();
    hub->setOutCount(n);
    return hub;
}

std::unique_ptr<TZTHub> TZTHub::firing(std::initializer_list<TEventLink> outputs) {
    auto hub = withOutputs(outputs.size());
    std::size_t i = 0;
    for (const TEventLink& output : outputs) hub->onEvent[i++] = output;
    return hub;
}

void TZTHub::setOutCount(std::size_t n) {
    if (n > maxOutputs) {
        dataflow::noteSchemaMistake("Выходов больше, чем хаб может вызвать: TZTHub.setOutCount(" +
                                    toolkit::intToText(static_cast<std::int32_t>(n)) +
                                    "), а можно не больше " +
                                    toolkit::intToText(static_cast<std::int32_t>(maxOutputs)));
        n = maxOutputs;
    }
    onEvent.resize(n);
    outCount_ = static_cast<std::uint8_t>(n);
}

void TZTHub::trigger(TData& data, std::uint16_t) {
    for (std::size_t i = 0; i < outCount_; ++i) dataflow::fireEvent(onEvent.at(i), data);
}

}  // namespace components
