// A number as text for people: with significant digits (and an exponent where it is
// very large or small), or with a fixed number of decimals.
#pragma once

#include <cstdint>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTNumberFormat {
public:
    std::int32_t significantDigits = 4;  // 0: decimals instead
    std::int32_t decimals = 1;
    char separator = ',';  // the decimal separator

    dataflow::TEventLink onText;

    // Input method: the value (read as a real) as text, passed on to onText.
    void format(dataflow::TData& data, std::uint16_t index);
};

}  // namespace components
