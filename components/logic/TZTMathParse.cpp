// The formula component: properties, the `calculate` input and error reporting.
#include "components/logic/TZTMathParse.h"

#include "components/logic/FormulaText.h"

#include <cmath>
#include <numbers>

#include "dataflow/DebugMessage.h"
#include "dataflow/TData.h"
#include "toolkit/text/NumberText.h"

namespace components {

using namespace dataflow;

TZTMathParse::TZTMathParse() : formula_(1, formula::endMarker) {}

void TZTMathParse::setArgumentCount(std::int32_t n) {
    const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
    arguments.resize(count);
    argumentCache_.resize(count);
    argumentRead_.resize(count);
    argumentCount_ = static_cast<std::int32_t>(count);
}

void TZTMathParse::setFormula(std::string_view text) {
    formula_.assign(text);
    formula_.push_back(formula::endMarker);
}

void TZTMathParse::setDefaultValue(double x) {
    defaultValue_ = x;
    lastResult_ = x;
    cursor_ = -1;
    errorCode_ = errNone;
}

void TZTMathParse::setAngleMode(std::uint8_t mode) {
    angleFactor_ = mode == 0 ? 1.0 : std::numbers::pi / 180.0;
}

std::string TZTMathParse::errorMessage(std::int16_t code) {
    // Relayed codes other than 0 and 1 read as calculation errors.
    return code == errSyntax ? "Ошибка синтаксиса в элементе DazeDuveru\r\nОбнаружена в позиции "
                             : "Ошибка вычисления в элементе DazeDuveru\r\nОбнаружена в позиции ";
}

void TZTMathParse::calculate(TData& data, std::uint16_t) {
    incomingData_ = data;
    const double result = evaluate();
    // An integer result must fit in 64 bits: rounding would answer the indefinite value.
    if (!failed() && resultType == 0 && !toolkit::fitsInt64(std::rint(static_cast<long double>(result))))
        fail(errCalc);
    lastResult_ = result;
    if (!failed()) {
        cursor_ = -1;
        if (resultType == 0)
            passOnInteger(data, onResult, toolkit::roundToInt32(result));
        else
            passOnReal(data, onResult, result);
        return;
    }
    cursor_ = static_cast<std::int16_t>(cursor_ - 1);  // the position of the error
    if (onError.isLinked()) {
        passOnInteger(data, onError, errorCode_);
        return;
    }
    showDebugMessage(errorMessage(errorCode_) + toolkit::intToText(cursor_));
}

}  // namespace components
