#include "components/logic/TZTVisualStrings.h"

namespace components {

void TZTVisualStrings::text(dataflow::TData& data, std::uint16_t) { dataflow::setString(data, strings); }

}  // namespace components
