// The formula component: computes its formula whenever `calculate` is fired and
// hands the result on through `onResult`, or the error through `onError` (or, when
// that is unlinked, the "String-Debug" box).
//
// The evaluator is a recursive-descent parser that computes while it parses: nothing
// of a parse is kept, every evaluation reads the formula text from its first byte.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/logic/FormulaText.h"
#include "dataflow/TData.h"
#include "dataflow/TLinks.h"
#include "dataflow/TZT_Event.h"

namespace components {

namespace formula {
struct TFormulaFunction;
}

using dataflow::TData;
using dataflow::TZT_Event;

class TZTMathParse {
public:
    // The result: rounded to an integer, or the real.
    enum TResultType : std::uint8_t { rtInteger, rtReal };
    // The unit of angles: radians, or degrees.
    enum TAngleMode : std::uint8_t { amRadians, amDegrees };

    // Error codes.
    static constexpr std::int16_t errNone = -1;
    static constexpr std::int16_t errSyntax = 0;
    static constexpr std::int16_t errCalc = 1;
    static constexpr std::int16_t errNoValue = 2;   // a linked argument gave no value (noValueFails)
    static constexpr std::int16_t errTooSmall = 3;  // a value below the normal range (tooSmallFails)

    // The longest formula text: the 16-bit cursor must reach the end marker.
    static constexpr std::size_t maxFormulaLength = 32766;
    // The deepest nesting of parentheses, function arguments and indices: deeper
    // formulas are refused as syntax errors instead of exhausting the stack.
    static constexpr int maxNesting = 200;

    // Token kinds.
    enum TokenKind : std::uint8_t {
        tokNone,
        tokName,
        tokReal,
        tokInteger,
        tokSymbol,
        tokOperator,
        tokEnd,
        tokHex
    };

    TZTMathParse();
    TZTMathParse(const TZTMathParse&) = delete;  // the token text points into the object
    TZTMathParse& operator=(const TZTMathParse&) = delete;

    // A formula with a real result, its default value 0 and one argument per link given,
    // %1 first (an unlinked one, {}, takes the value that comes with calculate).
    static std::unique_ptr<TZTMathParse> realFormula(std::string_view text,
                                                     std::initializer_list<dataflow::TDataLink> arguments);

    // Properties.
    void setArgumentCount(std::int32_t n);
    void setFormula(std::string_view text);
    void setDefaultValue(double x);
    void setAngleMode(TAngleMode mode);
    TResultType resultType = rtInteger;  // any value but rtInteger gives the real
    // Whether a linked argument that gives no value (an empty or unfinished field) fails
    // the evaluation with errNoValue; otherwise it computes as 0.
    bool noValueFails = false;
    // Whether an argument or a step's result that is not 0 but below the normal range of
    // 64-bit reals (where they keep fewer digits, or become 0) fails the evaluation with
    // errTooSmall; otherwise it computes on.
    bool tooSmallFails = false;

    // Input method.
    void calculate(TData& data, std::uint16_t index);
    // Data point: the result of the last evaluation (as onResult had it), for others to
    // read; nothing before the first success and after a failure.
    void value(TData& data, std::uint16_t index);
    using DataPoints = dataflow::TDataPoints<&TZTMathParse::value>;

    // Links.
    dataflow::TLinks<dataflow::TDataLink> arguments{"TZTMathParse.arguments"};  // %1 in entry 0
    dataflow::TEventLink onError;
    dataflow::TEventLink onResult;

    // State visible to the tests and the schema.
    std::int32_t argumentCount() const { return argumentCount_; }
    std::int16_t errorCode() const { return errorCode_; }
    std::int16_t cursor() const { return cursor_; }
    double lastResult() const { return lastResult_; }

    // The two-line message of an error code (codes other than 0 as a calculation error).
    static std::string errorMessage(std::int16_t code);

private:
    // Evaluator: one operation per grammar level, loosest first.
    double evaluate();
    void nextToken();
    double parseComparison();
    double parseSum();
    double parseProduct();
    double parsePower();
    double parseSigned();
    double parseLogical();
    double parseFactor();
    double parseFunction(const formula::TFormulaFunction& function);
    double parseArgument();
    double readPlainArgument(std::size_t k);
    double readArrayItem(std::size_t k, double index);
    double readMatrixCell(const dataflow::TDataAccessor& matrix, double i, double j);
    double callArgument(std::size_t k, double x);

    // Lexer parts (TZTMathParseLexer.cpp).
    char peek() const { return formula_[static_cast<std::size_t>(cursor_ - 1)]; }
    void skipBlanks();
    void lexNumber();
    void lexHex(int prefixLength);
    void lexName();
    template <class Predicate>
    std::string_view takeRun(Predicate belongs);  // the bytes at the cursor that belong

    // Operators.
    double combineComparison(char op, double a, double b);
    double combineSum(char op, double a, double b);
    double combineProduct(char op, double a, double b);
    double combinePower(double a, double b);
    double combineLogical(char op, double a, double b);
    double raisePower(double a, double b);

    bool failed() const { return errorCode_ >= 0; }
    double fail(std::int16_t code);
    // A finite 64-bit real, or the calculation error (or, with tooSmallFails, the too-small
    // one below the normal range; fromNonzero: a 0 there is an underflow too).
    double checked(long double value, bool fromNonzero = false);
    // The token tests, inline: the grammar asks them at every level of every token.
    bool tokenIs(char symbol) const { return tokenKind_ == tokSymbol && tokenText_[0] == symbol; }
    char operatorToken() const { return tokenKind_ == tokOperator ? tokenText_[0] : '\0'; }
    bool nameIs(std::string_view name) const {
        return tokenKind_ == tokName && formula::sameText(tokenText_, name);
    }

    std::int32_t argumentCount_ = 0;
    std::string_view tokenText_;  // into formula_ or tokenBuffer_
    std::string tokenBuffer_;
    std::uint8_t tokenKind_ = tokNone;
    std::string formula_;
    std::int16_t cursor_ = 0;
    double lastResult_ = 0.0;
    double defaultValue_ = 0.0;
    double angleFactor_ = 0.0;
    std::int16_t errorCode_ = errNone;
    bool resultKept_ = false;  // the last evaluation succeeded
    TData incomingData_;
    std::vector<double> argumentCache_;
    std::vector<char> argumentRead_;
    int nesting_ = 0;
};

}  // namespace components
