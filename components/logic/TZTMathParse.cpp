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

std::unique_ptr<TZTMathParse> TZTMathParse::realFormula(std::string_view text,
                                                        std::initializer_list<TDataLink> arguments) {
    auto formula = std::make_unique<TZTMathParse>();
    formula->setArgumentCount(static_cast<std::int32_t>(arguments.size()));
    formula->setFormula(text);
    formula->resultType = rtReal;
    formula->setDefaultValue(0.0);
    std::size_t k = 0;
    for (const TDataLink& argument : arguments) formula->arguments[k++] = argument;
    return formula;
}

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

void TZTMathParse::setAngleMode(TAngleMode mode) {
    angleFactor_ = mode == amRadians ? 1.0 : std::numbers::pi / 180.0;
}

std::string TZTMathParse::errorMessage(std::int16_t code) {
    // Relayed codes other than these read as calculation errors.
    switch (code) {
        case errSyntax: return "Ошибка синтаксиса в элементе DazeDuveru\r\nОбнаружена в позиции ";
        case errNoValue: return "Нет значения аргумента в элементе DazeDuveru\r\nОбнаружена в позиции ";
        case errTooSmall: return "Слишком малое число в элементе DazeDuveru\r\nОбнаружена в позиции ";
        default: return "Ошибка вычисления в элементе DazeDuveru\r\nОбнаружена в позиции ";
    }
}

void TZTMathParse::value(TData& data, std::uint16_t) {
    if (!resultKept_)
        setNull(data);
    else if (resultType == rtInteger)
        setInteger(data, toolkit::roundToInt32(lastResult_));
    else
        setReal(data, lastResult_);
}

void TZTMathParse::calculate(TData& data, std::uint16_t) {
    incomingData_ = data;
    const double result = evaluate();
    // An integer result must fit in 64 bits: rounding would answer the indefinite value.
    if (!failed() && resultType == rtInteger &&
        !toolkit::fitsInt64(std::rint(static_cast<long double>(result))))
        fail(errCalc);
    lastResult_ = result;
    resultKept_ = !failed();
    if (!failed()) {
        cursor_ = -1;
        if (resultType == rtInteger)
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
