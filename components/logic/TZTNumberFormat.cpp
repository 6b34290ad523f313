#include "components/logic/TZTNumberFormat.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/text/NumberFormat.h"

namespace components {

using namespace dataflow;

void TZTNumberFormat::format(TData& data, std::uint16_t) {
    const double value = toReal(data);
    TData text;
    setString(text, significantDigits > 0 ? toolkit::formatSignificant(value, significantDigits, separator)
                                          : toolkit::formatFixed(value, decimals, separator));
    passOnData(data, onText, text);
}

}  // namespace components
