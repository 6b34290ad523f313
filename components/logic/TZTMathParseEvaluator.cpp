// The evaluator of the formula component: one operation per grammar level, computing
// while parsing. The tokens come from the lexer (TZTMathParseLexer.cpp), the functions
// from their table (FormulaFunctions.cpp).
//
//   comparison := sum { ("<" | ">" | "<=" | ">=" | "=") sum }
//   sum        := product { ("+" | "-") product }
//   product    := power { ("/" | "*" | "div" | "mod") power }
//   power      := signed { "^" signed }
//   signed     := [ "-" | "+" ] logical
//   logical    := factor { ("and" | "or" | "xor") factor }
//   factor     := number | hex | "pi" | "e" | function | "(" comparison ")" | argument
//
// Inner steps run in extended precision; every value that a level hands on is a
// finite 64-bit real, otherwise the evaluation ends with the calculation error.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "components/logic/FormulaFunctions.h"
#include "components/logic/TZTMathParse.h"
#include "dataflow/EventDispatch.h"
#include "toolkit/text/NumberText.h"

namespace components {

using namespace dataflow;

namespace {

// The integer nearest to v (ties to even) when it fits in 64 bits.
bool roundToInteger(long double v, std::int64_t& out) {
    const long double r = std::rint(v);
    if (!toolkit::fitsInt64(r)) return false;
    out = static_cast<std::int64_t>(r);
    return true;
}

}  // namespace

// ---------------------------------------------------------------- grammar

double TZTMathParse::fail(std::int16_t code) {
    errorCode_ = code;
    return 0.0;
}

double TZTMathParse::checked(long double value, bool fromNonzero) {
    const double result = static_cast<double>(value);
    if (!std::isfinite(result)) return fail(errCalc);
    // Below the normal range a 64-bit real has fewer digits, down to none at 0, which a
    // product, quotient or power of operands other than 0 can reach even in extended
    // precision.
    if (tooSmallFails && (value != 0 || fromNonzero) && std::fabs(value) < std::numeric_limits<double>::min())
        return fail(errTooSmall);
    return result;
}

double TZTMathParse::evaluate() {
    std::fill(argumentRead_.begin(), argumentRead_.end(), 0);
    if (cursor_ >= 0) lastResult_ = defaultValue_;
    cursor_ = 1;
    errorCode_ = errNone;
    nesting_ = 0;
    if (formula_.size() > maxFormulaLength + 1) return fail(errSyntax);
    nextToken();
    const double result = parseComparison();
    if (!failed() && tokenKind_ != tokEnd) errorCode_ = errSyntax;  // text left over
    return result;
}

double TZTMathParse::parseComparison() {
    if (nesting_ >= maxNesting) return fail(errSyntax);
    ++nesting_;
    double value = parseSum();
    while (!failed() && tokenKind_ == tokSymbol &&
           std::string_view("<>{}=").find(tokenText_[0]) != std::string_view::npos) {
        const char op = tokenText_[0];
        nextToken();
        const double right = parseSum();
        if (failed()) break;
        value = combineComparison(op, value, right);
    }
    --nesting_;
    return value;
}

double TZTMathParse::parseSum() {
    double value = parseProduct();
    while (!failed() && (operatorToken() == '+' || operatorToken() == '-')) {
        const char op = operatorToken();
        nextToken();
        const double right = parseProduct();
        if (failed()) break;
        value = combineSum(op, value, right);
    }
    return value;
}

double TZTMathParse::parseProduct() {
    double value = parsePower();
    while (!failed() &&
           (operatorToken() == '/' || operatorToken() == '*' || nameIs("div") || nameIs("mod"))) {
        const char op = tokenText_[0];
        nextToken();
        const double right = parsePower();
        if (failed()) break;
        value = combineProduct(op, value, right);
    }
    return value;
}

double TZTMathParse::parsePower() {
    double value = parseSigned();
    while (!failed() && operatorToken() == '^') {
        nextToken();
        const double right = parseSigned();
        if (failed()) break;
        value = combinePower(value, right);
    }
    return value;
}

double TZTMathParse::parseSigned() {
    const bool negative = operatorToken() == '-';
    if (negative || operatorToken() == '+') nextToken();
    const double value = parseLogical();
    return negative ? -value : value;
}

double TZTMathParse::parseLogical() {
    double value = parseFactor();
    while (!failed() && (nameIs("and") || nameIs("or") || nameIs("xor"))) {
        const char op = tokenText_[0];
        nextToken();
        const double right = parseFactor();
        if (failed()) break;
        value = combineLogical(op, value, right);
    }
    return value;
}

double TZTMathParse::parseFactor() {
    switch (tokenKind_) {
        case tokSymbol:
            if (tokenIs('%')) return parseArgument();
            if (tokenIs('(')) {
                nextToken();
                const double value = parseComparison();
                if (failed()) return value;
                if (!tokenIs(')')) return fail(errSyntax);
                nextToken();
                return value;
            }
            return fail(errSyntax);
        case tokName: {
            double value = 0.0;
            if (nameIs("pi")) {
                value = std::numbers::pi;
            } else if (nameIs("e")) {
                value = 2.718281828459045;
            } else if (const formula::TFormulaFunction* function = formula::findFunction(tokenText_)) {
                value = parseFunction(*function);
                if (failed()) return value;
            } else {
                return fail(errSyntax);
            }
            nextToken();
            return value;
        }
        case tokInteger:
        case tokReal: {
            // A literal beyond the double range is a calculation error right there; it
            // would otherwise read as the largest double.
            bool beyondRange = false;
            const double value = toolkit::textToReal(tokenText_, beyondRange);
            if (beyondRange) return fail(errCalc);
            nextToken();
            return value;
        }
        case tokHex: {
            const double value = toolkit::hexToInt(tokenText_);
            nextToken();
            return value;
        }
        default: return fail(errSyntax);
    }
}

// ---------------------------------------------------------------- operators

double TZTMathParse::combineComparison(char op, double a, double b) {
    bool holds = false;
    switch (op) {
        case '<': holds = a < b; break;
        case '>': holds = a > b; break;
        case '{': holds = a <= b; break;
        case '}': holds = a >= b; break;
        case '=': holds = a == b; break;
    }
    return holds ? 1.0 : 0.0;
}

double TZTMathParse::combineSum(char op, double a, double b) {
    const long double x = a;
    return checked(op == '+' ? x + b : x - b);
}

double TZTMathParse::combineProduct(char op, double a, double b) {
    const long double x = a;
    switch (op) {
        case '*': return checked(x * b, a != 0.0 && b != 0.0);
        case '/': return b == 0.0 ? fail(errCalc) : checked(x / b, a != 0.0);
    }
    // "div" and "mod" work on the operands rounded to 64-bit integers.
    std::int64_t n = 0, d = 0;
    if (!roundToInteger(a, n) || !roundToInteger(b, d) || d == 0) return fail(errCalc);
    if (op == 'd') {  // div
        if (d == -1 && n == std::numeric_limits<std::int64_t>::min()) return fail(errCalc);
        return static_cast<double>(n / d);
    }
    return d == -1 ? 0.0 : static_cast<double>(n % d);
}

double TZTMathParse::combinePower(double a, double b) {
    std::int64_t whole = 0;
    if (!roundToInteger(b, whole)) return fail(errCalc);
    if (b != static_cast<double>(whole) && a <= 0.0) return fail(errCalc);
    return raisePower(a, b);
}

double TZTMathParse::raisePower(double a, double b) {
    const std::int32_t n = toolkit::roundToInt32(b);
    if (b == n) return checked(toolkit::integerPower(a, n), a != 0.0);
    if (a == 0.0 && b > 0.0) return 0.0;
    return checked(std::exp(static_cast<long double>(b) * std::log(static_cast<long double>(a))), true);
}

double TZTMathParse::combineLogical(char op, double a, double b) {
    const bool x = a != 0.0;
    const bool y = b != 0.0;
    switch (op) {
        case 'a': return x && y ? 1.0 : 0.0;
        case 'o': return x || y ? 1.0 : 0.0;
        default: return x != y ? 1.0 : 0.0;
    }
}

// ---------------------------------------------------------------- functions

double TZTMathParse::parseFunction(const formula::TFormulaFunction& function) {
    using formula::TFormulaFunction;
    nextToken();
    if (!tokenIs('(')) return fail(errSyntax);
    nextToken();
    double x = parseComparison();
    if (failed()) return x;
    double y = 1.0;  // the step of a function that takes one, when none is given
    if (function.arguments == TFormulaFunction::two ||
        (function.arguments == TFormulaFunction::oneOrStep && tokenIs(','))) {
        if (!tokenIs(',')) return fail(errSyntax);
        nextToken();
        y = parseComparison();
        if (failed()) return y;
    } else if (function.arguments == TFormulaFunction::oneOrMore) {
        while (tokenIs(',')) {
            nextToken();
            const double next = parseComparison();
            if (failed()) return next;
            x = function.compute(x, next, angleFactor_);
        }
    }
    // The domain is checked before the closing parenthesis.
    double value = x;
    if (function.arguments != TFormulaFunction::oneOrMore) {
        value = checked(function.compute(x, y, angleFactor_));
        if (failed()) return value;
    }
    if (!tokenIs(')')) return fail(errSyntax);
    return value;
}

// ---------------------------------------------------------------- arguments

double TZTMathParse::parseArgument() {
    nextToken();
    if (tokenKind_ != tokInteger) return fail(errSyntax);
    const std::int64_t k = static_cast<std::int64_t>(toolkit::textToInt(tokenText_)) - 1;
    if (k == -1) {  // %0: the last result
        nextToken();
        return lastResult_;
    }
    if (k < 0 || k >= argumentCount_) return fail(errSyntax);
    const auto entry = static_cast<std::size_t>(k);
    nextToken();
    if (tokenIs('[')) {
        nextToken();
        const double first = parseComparison();
        if (failed()) return first;
        if (!tokenIs(',')) return readArrayItem(entry, first);
        const TDataAccessor* matrix = readMatrix(arguments.at(entry));
        if (!matrix || !matrix->getCell) return fail(errCalc);
        nextToken();
        const double second = parseComparison();
        if (failed()) return second;
        return readMatrixCell(*matrix, first, second);
    }
    if (tokenIs('(')) {
        nextToken();
        const double x = parseComparison();
        if (failed()) return x;
        if (!tokenIs(')')) return fail(errSyntax);
        return callArgument(entry, x);
    }
    return readPlainArgument(entry);
}

double TZTMathParse::readArrayItem(std::size_t k, double index) {
    const TDataAccessor* array = readArray(arguments.at(k));
    if (!array || !array->getItem) return fail(errCalc);
    if (!tokenIs(']')) return fail(errSyntax);
    TData indexValue;
    setReal(indexValue, index);
    TData item;
    if (!array->getItem(indexValue, item)) return fail(errCalc);
    const double value = checked(toReal(item));
    if (!failed()) nextToken();
    return value;
}

double TZTMathParse::readMatrixCell(const TDataAccessor& matrix, double i, double j) {
    if (!tokenIs(']')) return fail(errSyntax);
    const TData cell = matrix.getCell(toolkit::roundToInt32(i), toolkit::roundToInt32(j));
    if (isNull(cell)) return fail(errCalc);
    const double value = checked(toReal(cell));
    if (!failed()) nextToken();
    return value;
}

double TZTMathParse::callArgument(std::size_t k, double x) {
    TData record;
    setReal(record, x);
    readData(record, arguments.at(k));
    if (isNull(record)) return fail(errCalc);
    const double value = checked(toReal(record));
    if (!failed()) nextToken();
    return value;
}

double TZTMathParse::readPlainArgument(std::size_t k) {
    if (argumentRead_[k]) return argumentCache_[k];
    TData v;
    readValue(incomingData_, arguments.at(k), nullptr, v);
    if (isNull(v) && v.strValue == "MathParse Exception") {
        // The source relays a failure with its own code; a negative one would read as
        // success, so it counts as a calculation error.
        const auto code = static_cast<std::int16_t>(v.intValue & 0xFFFF);
        return fail(code < 0 ? errCalc : code);
    }
    if (noValueFails && isNull(v) && arguments.at(k).isLinked()) return fail(errNoValue);
    const double value = checked(toReal(v));
    if (failed()) return value;
    argumentCache_[k] = value;
    argumentRead_[k] = 1;
    return value;
}

}  // namespace components
