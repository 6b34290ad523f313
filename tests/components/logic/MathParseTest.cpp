// The formula component: argument references, results, errors and %0 across calls.
#include "components/logic/TZTMathParse.h"

#include <gtest/gtest.h>

#include <vector>

#include "dataflow/DebugMessage.h"
#include "dataflow/EventDispatch.h"
#include "tests/components/logic/Evaluate.h"
#include "tests/support/Sink.h"
#include "tests/support/Values.h"

using namespace components;
using namespace dataflow;
using testsupport::evaluate;
using testsupport::realValue;
using testsupport::Sink;

namespace {

// A data point with a value of its own, counting how often it is read.
struct Source {
    TData answer;
    int reads = 0;
    std::vector<double> received;
    void point(TData& data, std::uint16_t) {
        ++reads;
        if (data.dataType == dataReal) received.push_back(data.realValue);
        data = answer;
    }
    using DataPoints = dataflow::TDataPoints<&Source::point>;
};

class MathParse : public ::testing::Test {
protected:
    void SetUp() override {
        enableEvents();
        previousSink = setDebugMessageSink([this](const std::string& text, const std::string& caption) {
            boxes.push_back(caption + "|" + text);
        });
    }
    void TearDown() override {
        setDebugMessageSink(previousSink);
        disableEvents();
    }
    // Fires calculate with data and returns what reached onResult / onError.
    void fire(TZTMathParse& parse, const TData& data = TData{}) {
        parse.onResult = makeLink<&Sink::input>(results);
        fireEvent(makeLink<&TZTMathParse::calculate>(parse), data);
    }

    TDebugMessageSink previousSink;
    std::vector<std::string> boxes;
    Sink results;
};

}  // namespace

TEST_F(MathParse, PlainReferencesReadTheirSourceOncePerEvaluation) {
    TZTMathParse parse;
    parse.setArgumentCount(1);
    Source source;
    setReal(source.answer, 3.0);
    parse.arguments[0] = makeDataLink<&Source::point>(source);
    parse.resultType = TZTMathParse::rtReal;
    parse.setFormula("%1+%1*%1");
    fire(parse);
    fire(parse);
    ASSERT_EQ(results.values.size(), 2u);
    EXPECT_EQ(results.values[1].realValue, 12.0);
    EXPECT_EQ(source.reads, 2);
}

TEST_F(MathParse, CallAndBracketFormsReadEveryTime) {
    TZTMathParse parse;
    parse.setArgumentCount(1);
    Source source;
    setReal(source.answer, 10.0);
    parse.arguments[0] = makeDataLink<&Source::point>(source);
    EXPECT_EQ(evaluate(parse, "%1(2) + %1(3)").value, 20.0);
    EXPECT_EQ(source.reads, 2);
    EXPECT_EQ(source.received, (std::vector<double>{2.0, 3.0}));

    setNull(source.answer);  // a null answer to a call is a calculation error
    EXPECT_EQ(evaluate(parse, "%1(2)").code, TZTMathParse::errCalc);
    EXPECT_EQ(evaluate(parse, "%1(2").code, TZTMathParse::errSyntax);
}

TEST_F(MathParse, AnUnlinkedCallGivesZero) {
    TZTMathParse parse;
    parse.setArgumentCount(1);
    EXPECT_EQ(evaluate(parse, "%1(5) + 1").value, 1.0);
}

TEST_F(MathParse, ArrayAndMatrixAccessors) {
    TDataAccessor array;
    std::vector<double> indices;
    array.getItem = [&](TData& index, TData& item) {
        indices.push_back(index.realValue);
        if (index.realValue > 9) return false;
        setReal(item, index.realValue * 10);
        return true;
    };
    TDataAccessor matrix;
    matrix.getCell = [](std::int32_t i, std::int32_t j) {
        TData cell;
        if (i >= 0 && j >= 0) setInteger(cell, i * 100 + j);
        return cell;
    };
    Source arraySource, matrixSource;
    arraySource.answer.dataType = dataArray;
    arraySource.answer.accessor = &array;
    matrixSource.answer.dataType = dataMatrix;
    matrixSource.answer.accessor = &matrix;

    TZTMathParse parse;
    parse.setArgumentCount(2);
    parse.arguments[0] = makeDataLink<&Source::point>(arraySource);
    parse.arguments[1] = makeDataLink<&Source::point>(matrixSource);
    EXPECT_EQ(evaluate(parse, "%1[2] + %1[1+2]").value, 50.0);
    EXPECT_EQ(indices, (std::vector<double>{2.0, 3.0}));
    EXPECT_EQ(arraySource.reads, 2);
    EXPECT_EQ(evaluate(parse, "%2[2.5, 3.5]").value, 204.0);              // indices round to even
    EXPECT_EQ(evaluate(parse, "%2[-1, 3]").code, TZTMathParse::errCalc);  // no such cell
    EXPECT_EQ(evaluate(parse, "%1[10]").code, TZTMathParse::errCalc);     // getItem says no
    EXPECT_EQ(evaluate(parse, "%2[1]").code, TZTMathParse::errCalc);      // no array there
    EXPECT_EQ(evaluate(parse, "%1[1, 2]").code, TZTMathParse::errCalc);   // no matrix there
    EXPECT_EQ(evaluate(parse, "%1[1").code, TZTMathParse::errSyntax);
    EXPECT_EQ(evaluate(parse, "%2[1, 2").code, TZTMathParse::errSyntax);
}

TEST_F(MathParse, ReferenceSyntax) {
    TZTMathParse parse;
    parse.setArgumentCount(2);
    parse.setDefaultValue(4);
    EXPECT_EQ(evaluate(parse, "%3").code, TZTMathParse::errSyntax);
    EXPECT_TRUE(evaluate(parse, "%2").ok);
    EXPECT_EQ(evaluate(parse, "%1.5").code, TZTMathParse::errSyntax);
    EXPECT_EQ(evaluate(parse, "%x").code, TZTMathParse::errSyntax);
    EXPECT_EQ(evaluate(parse, "%4294967295").code, TZTMathParse::errSyntax);  // wraps to -1
    EXPECT_EQ(evaluate(parse, "%2147483648").code, TZTMathParse::errSyntax);
    parse.setDefaultValue(4);
    EXPECT_EQ(evaluate(parse, "% 0").value, 4.0);
    EXPECT_EQ(evaluate(parse, "%00 + 1").value, 5.0);
}

TEST_F(MathParse, UnlinkedArgumentsConsumeTheIncomingChain) {
    TZTMathParse parse;
    parse.setArgumentCount(3);
    parse.resultType = TZTMathParse::rtReal;
    parse.setFormula("%1 * 10 + %2 + %1 + %3");
    TData second = realValue(2.0);
    TData incoming = realValue(5.0);
    incoming.nextValue = &second;
    fire(parse, incoming);
    ASSERT_EQ(results.values.size(), 1u);
    EXPECT_EQ(results.values[0].realValue, 57.0);  // %3 finds the chain used up: 0
}

TEST_F(MathParse, RelayedFailures) {
    TZTMathParse parse;
    parse.setArgumentCount(1);
    Source source;
    source.answer.strValue = "MathParse Exception";
    source.answer.intValue = 0x10001;  // the low 16 bits: 1
    parse.arguments[0] = makeDataLink<&Source::point>(source);
    EXPECT_EQ(evaluate(parse, "1 + %1").code, 1);
    source.answer.intValue = 0;
    EXPECT_EQ(evaluate(parse, "1 + %1").code, 0);
    source.answer.intValue = 7;
    EXPECT_EQ(evaluate(parse, "1 + %1").code, 7);
    for (std::int32_t relayed : {-1, 0xFFFE, 0x8000}) {  // negative codes would read as success
        source.answer.intValue = relayed;
        const auto outcome = evaluate(parse, "1 + %1");
        EXPECT_FALSE(outcome.ok) << relayed;
        EXPECT_EQ(outcome.code, 1) << relayed;
        EXPECT_EQ(outcome.position, 6) << relayed;
    }
    source.answer.strValue = "other";
    EXPECT_EQ(evaluate(parse, "1 + %1").value, 1.0);  // a plain null reads as 0

    parse.onError = {};
    parse.setFormula("%1");
    source.answer.strValue = "MathParse Exception";
    source.answer.intValue = 7;
    TData data;
    parse.calculate(data, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "String-Debug|" + TZTMathParse::errorMessage(1) + "2");
}

// A linked argument without a value computes as 0, unless the formula is told that it
// fails; an unlinked one takes the incoming value either way.
TEST_F(MathParse, NothingIsAFailureOnlyWhereTheFormulaSaysSo) {
    Source nothing, five;
    setReal(five.answer, 5);
    const auto parse = TZTMathParse::realFormula(
        "%1 + %2", {makeDataLink<&Source::point>(five), makeDataLink<&Source::point>(nothing)});
    EXPECT_EQ(parse->argumentCount(), 2);
    EXPECT_EQ(evaluate(*parse, "%1 + %2").value, 5.0);
    parse->noValueFails = true;
    const auto outcome = evaluate(*parse, "%1 + %2");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.code, TZTMathParse::errNoValue);
    setReal(nothing.answer, 0);
    EXPECT_EQ(evaluate(*parse, "%1 + %2").value, 5.0);  // a zero is a value
    parse->arguments[1] = {};
    setReal(nothing.answer, 0);
    Sink errors;
    parse->onError = makeLink<&Sink::input>(errors);
    fire(*parse, realValue(2));  // unlinked: the value that came
    EXPECT_EQ(results.texts(), std::vector<std::string>{"7"});
    parse->onError = {};
    parse->arguments[1] = makeDataLink<&Source::point>(nothing);
    nothing.answer = TData{};
    TData data;
    parse->calculate(data, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              "String-Debug|Нет значения аргумента в элементе DazeDuveru\r\nОбнаружена в позиции 7");
}

// Below the normal range a 64-bit real keeps fewer digits: where the formula is told so,
// an argument or a step there fails, as does one that underflows to 0; 0 itself does not.
TEST_F(MathParse, TooSmallIsAFailureOnlyWhereTheFormulaSaysSo) {
    Source tiny;
    setReal(tiny.answer, 1e-300);
    const auto parse = TZTMathParse::realFormula("%1", {makeDataLink<&Source::point>(tiny)});
    EXPECT_EQ(evaluate(*parse, "%1 * 1e-10").value, 1e-310);
    parse->tooSmallFails = true;
    for (const char* formula : {"%1 * 1e-10", "%1 * %1", "%1 / 1e10", "10 ^ (-4000000)", "10 ^ (-4000000.5)"})
        EXPECT_EQ(evaluate(*parse, formula).code, TZTMathParse::errTooSmall) << formula;
    EXPECT_EQ(evaluate(*parse, "%1 * 0").value, 0.0);
    EXPECT_EQ(evaluate(*parse, "%1 * 1e8").value, 1e-292);
    setReal(tiny.answer, 4e-320);
    EXPECT_EQ(evaluate(*parse, "%1 * 1e300").code, TZTMathParse::errTooSmall);  // the argument itself
}

TEST_F(MathParse, NonFiniteArgumentsAreCalculationErrors) {
    TZTMathParse parse;
    parse.setArgumentCount(1);
    Source source;
    setReal(source.answer, std::numeric_limits<double>::infinity());
    parse.arguments[0] = makeDataLink<&Source::point>(source);
    EXPECT_EQ(evaluate(parse, "%1 * 0").code, TZTMathParse::errCalc);
    setString(source.answer, "1e999");  // text beyond the double range reads finite
    EXPECT_EQ(evaluate(parse, "%1 > 0").value, 1.0);
}

TEST_F(MathParse, IntegerResultsRoundTiesToEven) {
    TZTMathParse parse;
    parse.resultType = TZTMathParse::rtInteger;
    for (const char* formula : {"2.5", "3.5", "-2.5", "1e12"}) {
        parse.setFormula(formula);
        fire(parse);
    }
    ASSERT_EQ(results.values.size(), 4u);
    EXPECT_EQ(results.values[0].dataType, dataInt);
    EXPECT_EQ(results.values[0].intValue, 2);
    EXPECT_EQ(results.values[1].intValue, 4);
    EXPECT_EQ(results.values[2].intValue, -2);
    EXPECT_EQ(results.values[3].intValue, static_cast<std::int32_t>(1000000000000 & 0xFFFFFFFF));

    // A result beyond 64 bits is a calculation error at the end, not the integer 0.
    parse.onError = makeLink<&Sink::input>(results);
    for (const char* formula : {"1e300", "2^63"}) {
        parse.setFormula(formula);
        fire(parse);
        ASSERT_EQ(results.values.size(), 5u) << formula;
        EXPECT_EQ(results.values.back().dataType, dataInt);
        EXPECT_EQ(results.values.back().intValue, TZTMathParse::errCalc);
        EXPECT_EQ(parse.cursor(), static_cast<std::int16_t>(std::string(formula).size()));
        results.values.pop_back();
    }
    parse.setFormula("-2^63");  // the smallest 64-bit integer fits
    fire(parse);
    ASSERT_EQ(results.values.size(), 5u);
    EXPECT_EQ(parse.errorCode(), TZTMathParse::errNone);
}

TEST_F(MathParse, RealResultsAndTheConverterFormula) {
    TZTMathParse parse;
    parse.setArgumentCount(2);
    parse.setFormula("0.000001* exp( %1 * 0.1151292546 ) ");
    parse.resultType = TZTMathParse::rtReal;
    parse.setDefaultValue(0.0);
    parse.setAngleMode(TZTMathParse::amRadians);
    fire(parse, realValue(0.0));
    fire(parse, realValue(120.0));
    ASSERT_EQ(results.values.size(), 2u);
    EXPECT_EQ(results.values[0].dataType, dataReal);
    EXPECT_EQ(results.values[0].realValue, 1e-6);
    EXPECT_EQ(toString(results.values[1]), "0.999999994035725");
}

TEST_F(MathParse, ErrorsGoToOnErrorOrTheBox) {
    TZTMathParse parse;
    parse.setFormula("2+");
    Sink errors;
    fire(parse);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "String-Debug|Ошибка синтаксиса в элементе DazeDuveru\r\nОбнаружена в позиции 2");
    EXPECT_TRUE(results.values.empty());

    parse.onError = makeLink<&Sink::input>(errors);
    fire(parse);
    ASSERT_EQ(errors.values.size(), 1u);
    EXPECT_EQ(errors.values[0].dataType, dataInt);
    EXPECT_EQ(errors.values[0].intValue, 0);
    EXPECT_EQ(boxes.size(), 1u);

    parse.onError = {};
    parse.setFormula("1/0");
    fire(parse);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "String-Debug|Ошибка вычисления в элементе DazeDuveru\r\nОбнаружена в позиции 3");
    EXPECT_EQ(parse.cursor(), 3);
}

TEST_F(MathParse, LastResultAcrossCalls) {
    TZTMathParse parse;
    parse.resultType = TZTMathParse::rtReal;
    EXPECT_EQ(evaluate(parse, "%0").value, 0.0);  // a new object: the default, 0
    parse.setFormula("%0+1");
    parse.setDefaultValue(5);
    fire(parse);
    fire(parse);
    fire(parse);
    ASSERT_EQ(results.values.size(), 3u);
    EXPECT_EQ(results.values[0].realValue, 6.0);
    EXPECT_EQ(results.values[1].realValue, 7.0);
    EXPECT_EQ(results.values[2].realValue, 8.0);

    TZTMathParse divide;
    divide.setArgumentCount(1);
    divide.setDefaultValue(5);
    divide.setFormula("%0+1/%1");
    divide.resultType = TZTMathParse::rtReal;
    divide.onError = makeLink(testsupport::ignoreValue, nullptr, 0);
    results.values.clear();
    fire(divide, realValue(0.0));
    fire(divide, realValue(1.0));
    ASSERT_EQ(results.values.size(), 1u);
    EXPECT_EQ(results.values[0].realValue, 6.0);
    EXPECT_EQ(evaluate(divide, "").position, 0);   // after a failure, even at position 0,
    EXPECT_EQ(evaluate(divide, "%0").value, 5.0);  // %0 is the default again
}

TEST_F(MathParse, ArgumentCountResizesKeepingLinks) {
    TZTMathParse parse;
    parse.setArgumentCount(1);
    Source source;
    setReal(source.answer, 2.0);
    parse.arguments[0] = makeDataLink<&Source::point>(source);
    parse.setArgumentCount(2);
    EXPECT_EQ(parse.argumentCount(), 2);
    EXPECT_EQ(evaluate(parse, "%1 + %2 + %0").value, 2.0);
    EXPECT_EQ(evaluate(parse, "%3").code, TZTMathParse::errSyntax);
    parse.setArgumentCount(-4);
    EXPECT_EQ(parse.argumentCount(), 0);
    EXPECT_EQ(evaluate(parse, "%1").code, TZTMathParse::errSyntax);
}
