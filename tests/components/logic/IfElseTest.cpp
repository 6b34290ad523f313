#include "components/logic/TZTIf_else.h"

#include <gtest/gtest.h>

#include <vector>

#include "dataflow/EventDispatch.h"
#include "tests/support/Sink.h"
#include "tests/support/Values.h"
#include "toolkit/text/TextCompare.h"

using namespace components;
using namespace dataflow;
using testsupport::intValue;
using testsupport::realValue;
using testsupport::Sink;
using testsupport::strValue;

namespace {

class IfElse : public ::testing::Test {
protected:
    void SetUp() override {
        enableEvents();
        branch.onTrue = makeLink<&Sink::input>(whenTrue);
        branch.onFalse = makeLink<&Sink::input>(whenFalse);
    }
    void TearDown() override { disableEvents(); }

    // "true", "false" or "" after firing compare with the operands as properties.
    std::string decide(const TData& a, const TData& b, TCompareType type) {
        branch.op1 = a;
        branch.op2 = b;
        branch.compareType = type;
        whenTrue.values.clear();
        whenFalse.values.clear();
        fireEventNull(makeLink<&TZTIf_else::compare>(branch));
        return whenTrue.values.size() == 1 ? "true" : whenFalse.values.size() == 1 ? "false" : "";
    }

    TZTIf_else branch;
    Sink whenTrue, whenFalse;
};

}  // namespace

TEST(CompareTextNoCase, FoldsOnlyLatinLettersAndStopsAtZero) {
    EXPECT_EQ(toolkit::compareTextNoCase("abc", "ABC"), 0);
    EXPECT_EQ(toolkit::compareTextNoCase("z", "Z"), 0);
    EXPECT_LT(toolkit::compareTextNoCase("ab", "abc"), 0);
    EXPECT_GT(toolkit::compareTextNoCase("abc", "AB"), 0);
    EXPECT_EQ(toolkit::compareTextNoCase("", ""), 0);
    EXPECT_EQ(toolkit::compareTextNoCase(std::string("ab\0x", 4), "AB"), 0);
    EXPECT_NE(toolkit::compareTextNoCase("я", "Я"), 0);  // Cyrillic keeps its case
    EXPECT_EQ(toolkit::compareTextNoCase("a", "B"), 'A' - 'B');
    EXPECT_GT(toolkit::compareTextNoCase("\xFF", "a"), 0);  // bytes compare unsigned
}

TEST_F(IfElse, IntegerFirstOperandRoundsTheSecond) {
    EXPECT_EQ(decide(intValue(5), realValue(1e-7), ctLess), "false");
    EXPECT_EQ(decide(intValue(-3), realValue(1e-7), ctLess), "true");
    EXPECT_EQ(decide(intValue(1), realValue(1.4), ctLess), "false");
    EXPECT_EQ(decide(intValue(2), realValue(2.5), ctEqual), "true");
    EXPECT_EQ(decide(intValue(12), strValue("12abc"), ctEqual), "true");
}

TEST_F(IfElse, RealComparisons) {
    EXPECT_EQ(decide(realValue(0.00000005), realValue(1e-7), ctLess), "true");
    EXPECT_EQ(decide(realValue(1e-7), realValue(1e-7), ctLess), "false");
    EXPECT_EQ(decide(realValue(1e-7), realValue(1e-7), ctLessEqual), "true");
    EXPECT_EQ(decide(realValue(2), intValue(1), ctGreater), "true");
    EXPECT_EQ(decide(realValue(2), strValue("2"), ctGreaterEqual), "true");
    EXPECT_EQ(decide(realValue(2), realValue(3), ctNotEqual), "true");
}

TEST_F(IfElse, TextEqualityCountsCaseButOrderingDoesNot) {
    EXPECT_EQ(decide(strValue("abc"), strValue("ABC"), ctEqual), "false");
    EXPECT_EQ(decide(strValue("abc"), strValue("Abc"), ctEqual), "false");
    EXPECT_EQ(decide(strValue("abc"), strValue("ABC"), ctLessEqual), "true");
    EXPECT_EQ(decide(strValue("abc"), strValue("ABC"), ctGreaterEqual), "true");
    EXPECT_EQ(decide(strValue("abc"), strValue("ABC"), ctNotEqual), "true");
    EXPECT_EQ(decide(strValue("-5"), realValue(1e-7), ctLess), "true");  // "-" before "0"
    EXPECT_EQ(decide(strValue("5"), realValue(1e-7), ctLess), "false");
}

TEST_F(IfElse, NullRules) {
    for (std::uint8_t type = 0; type < 8; ++type) {
        EXPECT_EQ(decide(TData{}, TData{}, TCompareType(type)), "true") << int(type);
        EXPECT_EQ(decide(TData{}, intValue(0), TCompareType(type)), "false") << int(type);
    }
    EXPECT_EQ(decide(intValue(1), intValue(1), TCompareType(6)), "false");  // beyond the named ones
    EXPECT_EQ(decide(intValue(1), TData{}, ctGreater), "true");             // null reads as 0
}

// The schema helpers: "greater than a limit" and "gives no value".
TEST_F(IfElse, HelpersCheckWhatTheirNamesSay) {
    struct Source {
        TData answer;
        void point(TData& data, std::uint16_t) { data = answer; }
        using DataPoints = dataflow::TDataPoints<&Source::point>;
    } source;
    const auto greater = TZTIf_else::greaterThan(makeDataLink<&Source::point>(source), 0.5);
    const auto nothing = TZTIf_else::givesNoValue(makeDataLink<&Source::point>(source));
    const auto decideBy = [&](TZTIf_else& check, const TData& value) {
        source.answer = value;
        check.onTrue = makeLink<&Sink::input>(whenTrue);
        check.onFalse = makeLink<&Sink::input>(whenFalse);
        whenTrue.values.clear();
        whenFalse.values.clear();
        fireEventNull(makeLink<&TZTIf_else::compare>(check));
        return whenTrue.values.size() == 1 ? "true" : whenFalse.values.size() == 1 ? "false" : "";
    };
    EXPECT_STREQ(decideBy(*greater, realValue(0.6)), "true");
    EXPECT_STREQ(decideBy(*greater, realValue(0.5)), "false");
    EXPECT_STREQ(decideBy(*greater, intValue(1)), "true");
    EXPECT_STREQ(decideBy(*nothing, TData{}), "true");
    EXPECT_STREQ(decideBy(*nothing, realValue(0)), "false");
    EXPECT_STREQ(decideBy(*nothing, intValue(-1)), "false");
    EXPECT_STREQ(decideBy(*nothing, strValue("")), "false");
}

TEST_F(IfElse, OperandsComeFromLinksThenPropertiesThenTheCall) {
    struct Source {
        TData answer;
        void point(TData& data, std::uint16_t) { data = answer; }
        using DataPoints = dataflow::TDataPoints<&Source::point>;
    } source;
    setReal(source.answer, 3.0);
    branch.data1 = makeDataLink<&Source::point>(source);
    branch.op1 = intValue(100);  // not used: the link answers
    branch.op2 = realValue(5.0);
    branch.compareType = ctLess;
    fireEventNull(makeLink<&TZTIf_else::compare>(branch));
    EXPECT_EQ(whenTrue.values.size(), 1u);

    source.answer.dataType = dataNoValue;  // nothing delivered: the property counts
    fireEventNull(makeLink<&TZTIf_else::compare>(branch));
    EXPECT_EQ(whenFalse.values.size(), 1u);
}

TEST_F(IfElse, TheChosenEventGetsTheIncomingValueAsItCame) {
    TData second = realValue(2.0);
    TData incoming = realValue(1.0);
    incoming.nextValue = &second;
    branch.compareType = ctLess;  // a = 1 (first of the chain), b = 2 (second)
    fireEvent(makeLink<&TZTIf_else::compare>(branch), incoming);
    ASSERT_EQ(whenTrue.values.size(), 1u);
    EXPECT_EQ(whenTrue.values[0].dataType, dataReal);
    EXPECT_EQ(whenTrue.values[0].realValue, 1.0);
    EXPECT_EQ(whenTrue.values[0].nextValue, &second);
}
