#include "components/logic/TZTPick.h"

#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

void TZTPick::pick(TData& data, std::uint16_t) {
    const std::int32_t i = toIndex(data);
    TData text;
    setString(text,
              i >= 0 && static_cast<std::size_t>(i) < texts.size() ? texts[static_cast<std::size_t>(i)] : "");
    passOnData(data, onText, text);
}

}  // namespace components
