// Runs formulas through a formula component and reports value, error code and position.
#pragma once

#include <string>

#include "components/logic/TZTMathParse.h"
#include "dataflow/EventDispatch.h"

namespace testsupport {

struct Outcome {
    bool ok = false;
    double value = 0.0;
    int code = -1;
    int position = -1;
};

inline void ignoreValue(void*, dataflow::TData&, std::uint16_t) {}

// Evaluates formula on parse with real results; errors arrive through a linked onError.
inline Outcome evaluate(components::TZTMathParse& parse, const std::string& formula) {
    parse.resultType = components::TZTMathParse::rtReal;
    parse.onError = dataflow::makeLink(ignoreValue, nullptr, 0);
    parse.setFormula(formula);
    dataflow::TData data;
    parse.calculate(data, 0);
    Outcome outcome;
    if (data.dataType == (dataflow::passOnFlag | dataflow::dataReal)) {
        outcome.ok = true;
        outcome.value = data.realValue;
    } else {
        outcome.code = data.intValue;
        outcome.position = parse.cursor();
    }
    return outcome;
}

inline Outcome evaluate(const std::string& formula) {
    components::TZTMathParse parse;
    parse.setAngleMode(components::TZTMathParse::amRadians);
    return evaluate(parse, formula);
}

}  // namespace testsupport
