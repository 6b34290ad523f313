// The evaluator, level by level: lexer, grammar, operators, power, functions.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "tests/components/logic/Evaluate.h"

using testsupport::evaluate;
using testsupport::Outcome;

namespace {

::testing::AssertionResult gives(const std::string& formula, double expected) {
    const Outcome o = evaluate(formula);
    if (!o.ok)
        return ::testing::AssertionFailure()
               << "'" << formula << "' failed with code " << o.code << " at " << o.position;
    if (o.value != expected) return ::testing::AssertionFailure() << "'" << formula << "' gave " << o.value;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult failsWith(const std::string& formula, int code, int position = -1) {
    const Outcome o = evaluate(formula);
    if (o.ok) return ::testing::AssertionFailure() << "'" << formula << "' gave " << o.value;
    if (o.code != code || (position >= 0 && o.position != position))
        return ::testing::AssertionFailure()
               << "'" << formula << "' failed with code " << o.code << " at " << o.position;
    return ::testing::AssertionSuccess();
}

constexpr int syntax = 0;
constexpr int calc = 1;

}  // namespace

TEST(Lexer, NumbersWithBlanksAndExponents) {
    EXPECT_TRUE(gives("1.5e3", 1500));
    EXPECT_TRUE(gives("1.5 E +3", 1500));
    EXPECT_TRUE(gives("1.5 e -3", 0.0015));
    EXPECT_TRUE(gives(".5", 0.5));
    EXPECT_TRUE(gives("1.", 1));
    EXPECT_TRUE(gives("007", 7));
    EXPECT_TRUE(failsWith(".", syntax));
    EXPECT_TRUE(failsWith("2e", syntax));
    EXPECT_TRUE(failsWith("2 exp(1)", syntax));  // read as an unfinished exponent
    EXPECT_TRUE(failsWith("1..2", syntax));
}

TEST(Lexer, Hexadecimal) {
    EXPECT_TRUE(gives("$FF", 255));
    EXPECT_TRUE(gives("0xff", 255));
    EXPECT_TRUE(gives("$FFFFFFFF", -1));
    EXPECT_TRUE(gives("$1FFFFFFFF", -1));  // only the low 32 bits count
    EXPECT_TRUE(failsWith("0XFF", syntax));
    EXPECT_TRUE(failsWith("$", syntax));
    EXPECT_TRUE(failsWith("0x", syntax));
}

TEST(Lexer, NamesSymbolsAndBlanks) {
    EXPECT_TRUE(gives("PI", std::numbers::pi));
    EXPECT_TRUE(gives("Pi", std::numbers::pi));
    EXPECT_TRUE(gives("e", 2.718281828459045));
    EXPECT_TRUE(gives("Sin(0)", 0));
    EXPECT_TRUE(gives("\t1 +\t2 ", 3));
    EXPECT_TRUE(failsWith("pi()", syntax));
    EXPECT_TRUE(failsWith("sinh(1)", syntax));
    EXPECT_TRUE(failsWith("cos2(1)", syntax));
    EXPECT_TRUE(failsWith("число", syntax));      // a name of Cyrillic letters, but unknown
    EXPECT_TRUE(failsWith("1+\xC0", syntax, 3));  // "А", the first letter of 1251, is read as a name
    EXPECT_TRUE(gives("Abs(-2)", 2));
    EXPECT_TRUE(failsWith("1\r\n+1", syntax));
    EXPECT_TRUE(failsWith("1\n", syntax));
    EXPECT_TRUE(failsWith("{1}", syntax));
    EXPECT_TRUE(failsWith(std::string("1+\0"
                                      "2",
                                      4),
                          syntax));
}

TEST(Lexer, AnOperatorFollowedByASignIsRefused) {
    EXPECT_TRUE(failsWith("2*-3", syntax, 2));
    EXPECT_TRUE(failsWith("2^-1", syntax));
    EXPECT_TRUE(failsWith("1--1", syntax));
    EXPECT_TRUE(failsWith("1+ -1", syntax));
    EXPECT_TRUE(gives("2*(-3)", -6));
    EXPECT_TRUE(gives("1<-1", 0));
    EXPECT_TRUE(gives("min(1,-2)", -2));
}

TEST(Lexer, EndMarkerInsideTheTextEndsTheFormula) { EXPECT_TRUE(gives(std::string("1+2\x01+5"), 3)); }

TEST(Grammar, PrecedenceAndAssociativity) {
    EXPECT_TRUE(gives("2+3*4", 14));
    EXPECT_TRUE(gives("2^3^2", 64));
    EXPECT_TRUE(gives("-2^2", 4));
    EXPECT_TRUE(gives("-(2^2)", -4));
    EXPECT_TRUE(gives("10-4-3", 3));
    EXPECT_TRUE(gives("8/4/2", 1));
    EXPECT_TRUE(gives("+5", 5));
    EXPECT_TRUE(failsWith("--5", syntax));
}

TEST(Grammar, ComparisonsChain) {
    EXPECT_TRUE(gives("1<2<3", 1));
    EXPECT_TRUE(gives("3>2>1", 0));
    EXPECT_TRUE(gives("1 = 1", 1));
    EXPECT_TRUE(gives("1 <= 1", 1));
    EXPECT_TRUE(gives("2>=3", 0));
    EXPECT_TRUE(gives("2>=2", 1));
    EXPECT_TRUE(gives("2<2", 0));
    EXPECT_TRUE(failsWith("1 < = 1", syntax));
    EXPECT_TRUE(failsWith("1<>2", syntax));
}

TEST(Grammar, WordOperatorsBindTightest) {
    EXPECT_TRUE(gives("1+2 and 0", 1));
    EXPECT_TRUE(gives("2 xor 0", 1));
    EXPECT_TRUE(gives("2 xor 3", 0));
    EXPECT_TRUE(gives("0 or 0", 0));
    EXPECT_TRUE(gives("-1 and 0", 0));
    EXPECT_TRUE(gives("-1 and 1", -1));
    EXPECT_TRUE(failsWith("1 and -1", syntax));
}

TEST(Grammar, ErrorPositions) {
    EXPECT_TRUE(failsWith("2+", syntax, 2));
    EXPECT_TRUE(failsWith("1/0", calc, 3));
    EXPECT_TRUE(failsWith("2 3", syntax, 3));
    EXPECT_TRUE(failsWith("", syntax, 0));
    EXPECT_TRUE(failsWith("   ", syntax, 3));
    EXPECT_TRUE(failsWith("(1+2", syntax, 4));
    EXPECT_TRUE(failsWith("sqrt(-1", calc));  // the domain is checked before ")"
    EXPECT_TRUE(failsWith("1+2)", syntax, 4));
    EXPECT_TRUE(gives("1 ", 1));
}

TEST(Grammar, TheLengthAndNestingLimits) {
    std::string longest(32764, ' ');
    longest += "42";
    EXPECT_TRUE(gives(longest, 42));
    EXPECT_TRUE(failsWith(longest + " ", syntax, 0));

    const std::string deep = std::string(199, '(') + "7" + std::string(199, ')');
    EXPECT_TRUE(gives(deep, 7));
    const std::string tooDeep = std::string(5000, '(') + "7" + std::string(5000, ')');
    EXPECT_TRUE(failsWith(tooDeep, syntax));
    EXPECT_TRUE(failsWith(std::string(200, '(') + "7" + std::string(200, ')'), syntax));
    std::string flat = "(1)";  // groups side by side do not nest
    for (int i = 0; i < 250; ++i) flat += "+(1)";
    EXPECT_TRUE(gives(flat, 251));
    std::string deepFunctions;
    for (int i = 0; i < 3000; ++i) deepFunctions += "abs(";
    deepFunctions += "1" + std::string(3000, ')');
    EXPECT_TRUE(failsWith(deepFunctions, syntax));
}

TEST(Operators, DivAndModRoundTheirOperands) {
    EXPECT_TRUE(gives("7 div 2", 3));
    EXPECT_TRUE(gives("-7 div 2", -3));
    EXPECT_TRUE(gives("-7 mod 2", -1));
    EXPECT_TRUE(gives("7 mod -2", 1));
    EXPECT_TRUE(gives("2.5 div 1", 2));
    EXPECT_TRUE(gives("3.5 div 1", 4));
    EXPECT_TRUE(gives("7 div -1", -7));
    EXPECT_TRUE(gives("7 DIV 2", 3));
    EXPECT_TRUE(failsWith("7 div 0.4", calc));
    EXPECT_TRUE(failsWith("7 mod 0", calc));
    EXPECT_TRUE(failsWith("1e19 div 2", calc));  // beyond the 64-bit integers
    EXPECT_TRUE(failsWith("-9223372036854775808 div -1", calc));
    EXPECT_TRUE(gives("-9223372036854775808 mod -1", 0));
}

TEST(Operators, ArithmeticFaultsAreCalculationErrors) {
    EXPECT_TRUE(failsWith("1/0", calc));
    EXPECT_TRUE(failsWith("1e308*10", calc, 8));
    EXPECT_TRUE(failsWith("1e308+1e308", calc));
    EXPECT_TRUE(failsWith("-1e308-1e308", calc));
    EXPECT_TRUE(failsWith("1e308*10/100", calc));  // the overflow ends it, not the result
}

TEST(Literals, BeyondTheDoubleRangeAreCalculationErrorsThere) {
    EXPECT_TRUE(failsWith("1e999", calc, 5));
    EXPECT_TRUE(failsWith("min(7e546, 1)", calc, 9));
    EXPECT_TRUE(failsWith("2 + 1.8e308 * 0", calc, 11));
    EXPECT_TRUE(gives("1.7976931348623158e308 > 0", 1));  // still the largest double
    EXPECT_TRUE(gives("1e-999", 0));                      // below the range: zero, as before
    EXPECT_TRUE(failsWith("1e99999999999", calc));        // an exponent beyond 32 bits too
    EXPECT_TRUE(gives("1e-99999999999", 0));
    EXPECT_TRUE(gives("0.1 + 0.2", 0.1 + 0.2));
}

TEST(Power, IntegralAndRealExponents) {
    EXPECT_TRUE(gives("(-2)^3", -8));
    EXPECT_TRUE(gives("0^2", 0));
    EXPECT_TRUE(gives("5^0", 1));
    EXPECT_TRUE(gives("0^0", 1));
    EXPECT_TRUE(gives("2^0.5", std::sqrt(2.0)));
    EXPECT_TRUE(gives("2^(-1)", 0.5));
    EXPECT_TRUE(failsWith("0^0.5", calc));
    EXPECT_TRUE(failsWith("(-8)^(1/3)", calc));
    EXPECT_TRUE(failsWith("2^-1", syntax));
}

TEST(Power, FaultsTheEvaluatorDoesNotTestForAreCalculationErrors) {
    EXPECT_TRUE(failsWith("0^(-1)", calc));
    EXPECT_TRUE(failsWith("10^400", calc));
    EXPECT_TRUE(failsWith("2^1e300", calc));
    EXPECT_TRUE(failsWith("(-2)^4294967298", calc));  // integral, but not a 32-bit exponent
    EXPECT_TRUE(gives("1^4294967298", 1));
}

TEST(Functions, Trigonometry) {
    EXPECT_TRUE(gives("arcsin(1)", std::numbers::pi / 2));
    EXPECT_TRUE(gives("cos(0)", 1));
    EXPECT_TRUE(gives("arctg(1)*4", std::numbers::pi));
    EXPECT_TRUE(gives("atan(1, -1)", 3 * std::numbers::pi / 4));
    EXPECT_TRUE(gives("arcctg(0)", std::numbers::pi / 2));
    EXPECT_TRUE(failsWith("arccos(1.0000001)", calc));
    EXPECT_TRUE(gives("arccos(1)", 0));
    EXPECT_TRUE(gives("arccos(-1)", std::numbers::pi));
    EXPECT_TRUE(failsWith("ctg(0)", calc));
    EXPECT_TRUE(failsWith("atan(1)", syntax));

    components::TZTMathParse degrees;
    degrees.setAngleMode(1);
    EXPECT_EQ(evaluate(degrees, "sin(90)").value, 1.0);
    EXPECT_EQ(evaluate(degrees, "arcsin(1)").value, 90.0);
    EXPECT_EQ(evaluate(degrees, "tg(45)").value, 1.0);
}

TEST(Functions, HyperbolicAndLogarithms) {
    EXPECT_TRUE(gives("ch(0)", 1));
    EXPECT_TRUE(gives("sh(0)", 0));
    EXPECT_TRUE(gives("th(0)", 0));
    EXPECT_TRUE(gives("arcsh(0)", 0));
    EXPECT_TRUE(gives("arcch(1)", 0));
    EXPECT_TRUE(gives("log(2, 8)", 3));
    EXPECT_TRUE(gives("lg(1000)", 3));
    EXPECT_TRUE(gives("ln(e)", 1));
    EXPECT_TRUE(failsWith("cth(0)", calc));
    EXPECT_TRUE(failsWith("arcch(0.5)", calc));
    EXPECT_TRUE(failsWith("arcth(1)", calc));
    EXPECT_TRUE(failsWith("arccth(1)", calc));
    EXPECT_TRUE(failsWith("arccth(-0.5)", calc));
    EXPECT_TRUE(failsWith("log(8)", syntax));
    EXPECT_TRUE(failsWith("lg(0)", calc));
    EXPECT_TRUE(failsWith("ln(-1)", calc));
    EXPECT_TRUE(failsWith("log(0, 8)", calc));
    EXPECT_TRUE(failsWith("log(1, 8)", calc));  // base 1
    EXPECT_TRUE(failsWith("log(1, 1)", calc));
    EXPECT_TRUE(failsWith("exp(1000)", calc, 9));
    EXPECT_TRUE(failsWith("ch(1000)", calc));
    EXPECT_TRUE(failsWith("sh(-1000)", calc));
    EXPECT_TRUE(failsWith("sqr(1e200)", calc));
    EXPECT_TRUE(gives("exp(-100000)", 0));
}

TEST(Functions, RoundingAndSelection) {
    EXPECT_TRUE(gives("round(2.5)", 2));
    EXPECT_TRUE(gives("round(3.5)", 4));
    EXPECT_TRUE(gives("round(-2.5)", -2));
    EXPECT_TRUE(gives("round(1.234, 0.01)", 1.23));
    EXPECT_TRUE(gives("trunc(-1.7)", -1));
    EXPECT_TRUE(gives("trunc(17, 5)", 15));
    EXPECT_TRUE(gives("frac(-1.75)", -0.75));
    EXPECT_TRUE(gives("frac(7, 2)", 1));
    EXPECT_TRUE(gives("sign(0)", 0));
    EXPECT_TRUE(gives("sign(-3)", -1));
    EXPECT_TRUE(gives("abs(-3)", 3));
    EXPECT_TRUE(gives("sqrt(16)", 4));
    EXPECT_TRUE(gives("sqrt(0)", 0));
    EXPECT_TRUE(gives("min(3)", 3));
    EXPECT_TRUE(gives("max(1, 5, 2)", 5));
    EXPECT_TRUE(gives("min(4, -1, 7, -1)", -1));
    EXPECT_TRUE(gives("atan(min(0, -0), -1)", std::numbers::pi));  // of equal ones the first: +0
    EXPECT_TRUE(failsWith("min(1, 1/0, )", calc));                 // the first error is the one told
    EXPECT_TRUE(failsWith("round(1e300)", calc));
    EXPECT_TRUE(failsWith("trunc(1, 0)", calc));
    EXPECT_TRUE(failsWith("round(1, 2, 3)", syntax));
    EXPECT_TRUE(failsWith("abs(1, 2)", syntax));
    EXPECT_TRUE(failsWith("max()", syntax));
    EXPECT_TRUE(failsWith("abs 1", syntax));
}
