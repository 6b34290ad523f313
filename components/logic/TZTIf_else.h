// The condition branch: compares two operands whenever `compare` is fired and passes
// the incoming value on to `onTrue` or `onFalse`.
#pragma once

#include <cstdint>
#include <memory>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

using dataflow::TData;
using dataflow::TZT_Event;

enum TCompareType : std::uint8_t { ctEqual, ctLess, ctGreater, ctLessEqual, ctGreaterEqual, ctNotEqual };

// Whether a <type> b holds; the kind of comparison follows the type of a.
bool compareValues(const TData& a, const TData& b, TCompareType type);

class TZTIf_else {
public:
    // A condition that holds when the value read is greater than the limit (a real).
    static std::unique_ptr<TZTIf_else> greaterThan(dataflow::TDataLink value, double limit);
    // A condition that holds when the point gives no value (an empty or unfinished
    // field), and not when it gives a number: the value is compared with itself, which
    // a value never differs from, while two nothings hold whatever the comparison.
    static std::unique_ptr<TZTIf_else> givesNoValue(dataflow::TDataLink value);

    // Properties.
    TCompareType compareType = ctEqual;
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
