// The evaluator, level by level: lexer, grammar, operators, power, functions. Each row
// is a formula with what it gives, or the error code (and position) it fails with.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tests/components/logic/Evaluate.h"

using testsupport::evaluate;
using testsupport::Outcome;

namespace {

constexpr int syntax = 0;
constexpr int calc = 1;

struct Row {
    std::string formula;
    double value = 0.0;  // what it gives, when it does not fail
    int code = -1;       // the error code it fails with; -1: it does not fail
    int position = -1;   // where it fails, when that is checked
};

Row gives(std::string formula, double value) { return Row{std::move(formula), value}; }
Row fails(std::string formula, int code, int position = -1) {
    return Row{std::move(formula), 0.0, code, position};
}

::testing::AssertionResult matches(const Row& row) {
    const Outcome o = evaluate(row.formula);
    const bool ok = row.code < 0
                        ? o.ok && o.value == row.value
                        : !o.ok && o.code == row.code && (row.position < 0 || o.position == row.position);
    if (ok) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "'" << row.formula << "' ";
    if (o.ok) return failure << "gave " << o.value;
    return failure << "failed with code " << o.code << " at " << o.position;
}

void check(const std::vector<Row>& rows) {
    for (const Row& row : rows) EXPECT_TRUE(matches(row));
}

}  // namespace

TEST(Evaluator, FormulasGiveTheirValuesOrFailWhereTheyShould) {
    check({
        // Lexer: numbers with blanks and exponents
        gives("1.5e3", 1500),
        gives("1.5 E +3", 1500),
        gives("1.5 e -3", 0.0015),
        gives(".5", 0.5),
        gives("1.", 1),
        gives("007", 7),
        fails(".", syntax),
        fails("2e", syntax),
        fails("2 exp(1)", syntax),  // read as an unfinished exponent
        fails("1..2", syntax),
        // Lexer: hexadecimal
        gives("$FF", 255),
        gives("0xff", 255),
        gives("$FFFFFFFF", -1),
        gives("$1FFFFFFFF", -1),  // only the low 32 bits count
        fails("0XFF", syntax),
        fails("$", syntax),
        fails("0x", syntax),
        // Lexer: names, symbols and blanks
        gives("PI", std::numbers::pi),
        gives("Pi", std::numbers::pi),
        gives("e", 2.718281828459045),
        gives("Sin(0)", 0),
        gives("\t1 +\t2 ", 3),
        fails("pi()", syntax),
        fails("sinh(1)", syntax),
        fails("cos2(1)", syntax),
        fails("число", syntax),      // a name of Cyrillic letters, but unknown
        fails("1+\xC0", syntax, 3),  // "А", the first letter of 1251, is read as a name
        gives("Abs(-2)", 2),
        fails("1\r\n+1", syntax),
        fails("1\n", syntax),
        fails("{1}", syntax),
        fails(std::string("1+\0"
                          "2",
                          4),
              syntax),
        // Lexer: an operator followed by a sign is refused
        fails("2*-3", syntax, 2),
        fails("2^-1", syntax),
        fails("1--1", syntax),
        fails("1+ -1", syntax),
        gives("2*(-3)", -6),
        gives("1<-1", 0),
        gives("min(1,-2)", -2),
        gives(std::string("1+2\x01+5"), 3),  // the end marker inside the text ends the formula
        // Grammar: precedence and associativity
        gives("2+3*4", 14),
        gives("2^3^2", 64),
        gives("-2^2", 4),
        gives("-(2^2)", -4),
        gives("10-4-3", 3),
        gives("8/4/2", 1),
        gives("+5", 5),
        fails("--5", syntax),
        // Grammar: comparisons chain
        gives("1<2<3", 1),
        gives("3>2>1", 0),
        gives("1 = 1", 1),
        gives("1 <= 1", 1),
        gives("2>=3", 0),
        gives("2>=2", 1),
        gives("2<2", 0),
        fails("1 < = 1", syntax),
        fails("1<>2", syntax),
        // Grammar: word operators bind tightest
        gives("1+2 and 0", 1),
        gives("2 xor 0", 1),
        gives("2 xor 3", 0),
        gives("0 or 0", 0),
        gives("-1 and 0", 0),
        gives("-1 and 1", -1),
        fails("1 and -1", syntax),
        // Grammar: error positions
        fails("2+", syntax, 2),
        fails("1/0", calc, 3),
        fails("2 3", syntax, 3),
        fails("", syntax, 0),
        fails("   ", syntax, 3),
        fails("(1+2", syntax, 4),
        fails("sqrt(-1", calc),  // the domain is checked before ")"
        fails("1+2)", syntax, 4),
        gives("1 ", 1),
        // Operators: div and mod round their operands
        gives("7 div 2", 3),
        gives("-7 div 2", -3),
        gives("-7 mod 2", -1),
        gives("7 mod -2", 1),
        gives("2.5 div 1", 2),
        gives("3.5 div 1", 4),
        gives("7 div -1", -7),
        gives("7 DIV 2", 3),
        fails("7 div 0.4", calc),
        fails("7 mod 0", calc),
        fails("1e19 div 2", calc),  // beyond the 64-bit integers
        fails("-9223372036854775808 div -1", calc),
        gives("-9223372036854775808 mod -1", 0),
        // Operators: arithmetic faults are calculation errors
        fails("1/0", calc),
        fails("1e308*10", calc, 8),
        fails("1e308+1e308", calc),
        fails("-1e308-1e308", calc),
        fails("1e308*10/100", calc),  // the overflow ends it, not the result
        // Literals: beyond the double range are calculation errors there
        fails("1e999", calc, 5),
        fails("min(7e546, 1)", calc, 9),
        fails("2 + 1.8e308 * 0", calc, 11),
        gives("1.7976931348623158e308 > 0", 1),  // still the largest double
        gives("1e-999", 0),                      // below the range: zero, as before
        fails("1e99999999999", calc),            // an exponent beyond 32 bits too
        gives("1e-99999999999", 0),
        gives("0.1 + 0.2", 0.1 + 0.2),
        // Power: integral and real exponents
        gives("(-2)^3", -8),
        gives("0^2", 0),
        gives("5^0", 1),
        gives("0^0", 1),
        gives("2^0.5", std::sqrt(2.0)),
        gives("2^(-1)", 0.5),
        fails("0^0.5", calc),
        fails("(-8)^(1/3)", calc),
        fails("2^-1", syntax),
        // Power: faults the evaluator does not test for are calculation errors
        fails("0^(-1)", calc),
        fails("10^400", calc),
        fails("2^1e300", calc),
        fails("(-2)^4294967298", calc),  // integral, but not a 32-bit exponent
        gives("1^4294967298", 1),
        // Functions: trigonometry
        gives("arcsin(1)", std::numbers::pi / 2),
        gives("cos(0)", 1),
        gives("arctg(1)*4", std::numbers::pi),
        gives("atan(1, -1)", 3 * std::numbers::pi / 4),
        gives("arcctg(0)", std::numbers::pi / 2),
        fails("arccos(1.0000001)", calc),
        gives("arccos(1)", 0),
        gives("arccos(-1)", std::numbers::pi),
        fails("ctg(0)", calc),
        fails("atan(1)", syntax),
        // Functions: hyperbolic and logarithms
        gives("ch(0)", 1),
        gives("sh(0)", 0),
        gives("th(0)", 0),
        gives("arcsh(0)", 0),
        gives("arcch(1)", 0),
        gives("log(2, 8)", 3),
        gives("lg(1000)", 3),
        gives("ln(e)", 1),
        fails("cth(0)", calc),
        fails("arcch(0.5)", calc),
        fails("arcth(1)", calc),
        fails("arccth(1)", calc),
        fails("arccth(-0.5)", calc),
        fails("log(8)", syntax),
        fails("lg(0)", calc),
        fails("ln(-1)", calc),
        fails("log(0, 8)", calc),
        fails("log(1, 8)", calc),  // base 1
        fails("log(1, 1)", calc),
        fails("exp(1000)", calc, 9),
        fails("ch(1000)", calc),
        fails("sh(-1000)", calc),
        fails("sqr(1e200)", calc),
        gives("exp(-100000)", 0),
        // Functions: rounding and selection
        gives("round(2.5)", 2),
        gives("round(3.5)", 4),
        gives("round(-2.5)", -2),
        gives("round(1.234, 0.01)", 1.23),
        gives("trunc(-1.7)", -1),
        gives("trunc(17, 5)", 15),
        gives("frac(-1.75)", -0.75),
        gives("frac(7, 2)", 1),
        gives("sign(0)", 0),
        gives("sign(-3)", -1),
        gives("abs(-3)", 3),
        gives("sqrt(16)", 4),
        gives("sqrt(0)", 0),
        gives("min(3)", 3),
        gives("max(1, 5, 2)", 5),
        gives("min(4, -1, 7, -1)", -1),
        gives("atan(min(0, -0), -1)", std::numbers::pi),  // of equal ones the first: +0
        fails("min(1, 1/0, )", calc),                     // the first error is the one told
        fails("round(1e300)", calc),
        fails("trunc(1, 0)", calc),
        fails("round(1, 2, 3)", syntax),
        fails("abs(1, 2)", syntax),
        fails("max()", syntax),
        fails("abs 1", syntax),
    });
}

TEST(Grammar, TheLengthAndNestingLimits) {
    std::string longest(32764, ' ');
    longest += "42";
    std::string flat = "(1)";  // groups side by side do not nest
    for (int i = 0; i < 250; ++i) flat += "+(1)";
    std::string deepFunctions;
    for (int i = 0; i < 3000; ++i) deepFunctions += "abs(";
    deepFunctions += "1" + std::string(3000, ')');
    const auto nested = [](int depth) { return std::string(depth, '(') + "7" + std::string(depth, ')'); };
    check({
        gives(longest, 42),
        fails(longest + " ", syntax, 0),
        gives(nested(199), 7),
        fails(nested(200), syntax),
        fails(nested(5000), syntax),
        gives(flat, 251),
        fails(deepFunctions, syntax),
    });
}

TEST(Functions, TrigonometryInDegrees) {
    components::TZTMathParse degrees;
    degrees.setAngleMode(components::TZTMathParse::amDegrees);
    EXPECT_EQ(evaluate(degrees, "sin(90)").value, 1.0);
    EXPECT_EQ(evaluate(degrees, "arcsin(1)").value, 90.0);
    EXPECT_EQ(evaluate(degrees, "tg(45)").value, 1.0);
}
