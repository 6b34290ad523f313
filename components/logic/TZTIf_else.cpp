#include "components/logic/TZTIf_else.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/text/TextCompare.h"

namespace components {

using namespace dataflow;

namespace {

template <class T>
bool holds(const T& a, const T& b, TCompareType type) {
    switch (type) {
        case ctEqual: return a == b;
        case ctLess: return a < b;
        case ctGreater: return a > b;
        case ctLessEqual: return a <= b;
        case ctGreaterEqual: return a >= b;
        case ctNotEqual: return a != b;
        default: return false;
    }
}

bool compareTexts(const std::string& a, const std::string& b, TCompareType type) {
    // Equality counts case; the orderings do not.
    if (type == ctEqual) return a == b;
    if (type == ctNotEqual) return a != b;
    return holds(toolkit::compareTextNoCase(a, b), 0, type);
}

}  // namespace

bool compareValues(const TData& a, const TData& b, TCompareType type) {
    switch (typeOf(a)) {
        case dataNull: return typeOf(b) == dataNull;
        case dataInt: return holds(a.intValue, toInteger(b), type);
        case dataStr: return compareTexts(a.strValue, toString(b), type);
        case dataReal: return holds(a.realValue, toReal(b), type);
        default: return false;
    }
}

std::unique_ptr<TZTIf_else> TZTIf_else::greaterThan(TDataLink value, double limit) {
    auto check = std::make_unique<TZTIf_else>();
    check->compareType = ctGreater;
    check->data1 = value;
    setReal(check->op2, limit);
    return check;
}

std::unique_ptr<TZTIf_else> TZTIf_else::givesNoValue(TDataLink value) {
    auto check = std::make_unique<TZTIf_else>();
    check->compareType = ctNotEqual;
    check->data1 = value;
    check->data2 = value;
    return check;
}

void TZTIf_else::compare(TData& data, std::uint16_t) {
    const TData saved = data;  // what the chosen event gets, whatever the reads consume
    TData a, b;
    readValue(data, data1, &op1, a);
    readValue(data, data2, &op2, b);
    passOnData(data, compareValues(a, b, compareType) ? onTrue : onFalse, saved);
}

}  // namespace components
