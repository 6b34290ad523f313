// The condition branch: compares two operands whenever `compare` is fired and passes
// the incoming value on to `onTrue` or `onFalse`.
#pragma once

#include <cstdint>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

using dataflow::TData;
using dataflow::TZT_Event;

enum TCompareType : std::uint8_t { ctEqual, ctLess, ctGreater, ctLessEqual, ctGreaterEqual, ctNotEqual };

// Whether a <type> b holds; the kind of comparison follows the type of a.
bool compareValues(const TData& a, const TData& b, std::uint8_t type);

class TZTIf_else {
public:
    // Properties.
    std::uint8_t compareType = ctEqual;
    TData op1;  // first operand when data1 delivers nothing
    TData op2;  // second operand when data2 delivers nothing

    // Links.
    dataflow::TDataLink data2;
    dataflow::TDataLink data1;
    dataflow::TEventLink onTrue;
    dataflow::TEventLink onFalse;

    // Input method.
    void compare(TData& data, std::uint16_t index);
};

}  // namespace components
