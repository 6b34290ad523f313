#include "dataflow/TData.h"

#include <gtest/gtest.h>

#include "dataflow/TZT_Event.h"
#include "tests/support/Values.h"

using namespace dataflow;
using testsupport::intValue;
using testsupport::realValue;
using testsupport::strValue;

namespace {}  // namespace

TEST(TDataBuild, SettersReplaceTypeAndClearChainFields) {
    TData other;
    TZT_Event link;
    TData d;
    d.passOnEvent = &link;
    d.nextValue = &other;
    setReal(d, 2.5);
    EXPECT_EQ(d.dataType, dataReal);
    EXPECT_EQ(d.realValue, 2.5);
    EXPECT_EQ(d.passOnEvent, nullptr);
    EXPECT_EQ(d.nextValue, nullptr);

    d.nextValue = &other;
    setString(d, "abc");
    EXPECT_EQ(d.dataType, dataStr);
    EXPECT_EQ(d.strValue, "abc");
    EXPECT_EQ(d.nextValue, nullptr);
    setInteger(d, 5);
    EXPECT_EQ(d.dataType, dataInt);
    EXPECT_EQ(d.strValue, "abc");  // other payloads keep what they held
    passOnInteger(d, link, 1);
    d.nextValue = &other;
    setNull(d);
    EXPECT_TRUE(isNull(d));
    EXPECT_EQ(d.passOnEvent, nullptr);
    EXPECT_EQ(d.nextValue, nullptr);
}

TEST(TDataBuild, PassOnMarksTheTypeByte) {
    TZT_Event link;
    TData other;
    TData d;
    d.nextValue = &other;
    passOnNull(d, link);
    EXPECT_EQ(typeOf(d), 0x80);
    EXPECT_FALSE(isNull(d));  // the flag makes it no null value
    EXPECT_EQ(d.passOnEvent, &link);
    EXPECT_EQ(d.nextValue, &other);  // passOnNull keeps the chain

    passOnInteger(d, link, 42);
    EXPECT_EQ(typeOf(d), 0x81);
    EXPECT_EQ(d.intValue, 42);
    EXPECT_EQ(d.nextValue, nullptr);

    d.nextValue = &other;
    passOnReal(d, TZT_Event{}, 0.5);
    passOnReal(d, link, 1.25);
    EXPECT_EQ(typeOf(d), 0x87);
    EXPECT_EQ(d.passOnEvent, &link);
    EXPECT_EQ(d.nextValue, nullptr);
    EXPECT_EQ(d.realValue, 1.25);

    const TData src = strValue("x");
    passOnData(d, link, src);
    EXPECT_EQ(typeOf(d), 0x82);
    EXPECT_EQ(d.strValue, "x");
    EXPECT_EQ(d.passOnEvent, &link);
}

TEST(TDataConvert, ToIntegerRoundsTiesToEven) {
    EXPECT_EQ(toInteger(realValue(2.5)), 2);
    EXPECT_EQ(toInteger(realValue(3.5)), 4);
    EXPECT_EQ(toInteger(realValue(-0.5)), 0);
    EXPECT_EQ(toInteger(realValue(4294967301.0)), 5);  // low 32 bits of the 64-bit integer
    EXPECT_EQ(toInteger(strValue("-12abc")), -12);
    EXPECT_EQ(toInteger(strValue("1.5")), 1);  // text is read as an integer, not rounded
    EXPECT_EQ(toInteger(intValue(7)), 7);
    EXPECT_EQ(toInteger(TData{}), 0);
}

TEST(TDataConvert, ToIndexTellsNumbersFromText) {
    EXPECT_EQ(toIndex(strValue("0")), 0);
    EXPECT_EQ(toIndex(strValue("12")), 12);
    EXPECT_EQ(toIndex(strValue("abc")), -1);
    EXPECT_EQ(toIndex(strValue("")), -1);
    EXPECT_EQ(toIndex(strValue("00")), 0);
    EXPECT_EQ(toIndex(strValue("-0")), -1);  // only a text that starts with 0 reads as 0
    EXPECT_EQ(toIndex(strValue("-")), -1);
    EXPECT_EQ(toIndex(realValue(2.5)), 2);
    EXPECT_EQ(toIndex(realValue(3.5)), 4);    // ties to even, not truncated
    EXPECT_EQ(toIndex(realValue(-2.5)), -2);  // nor away from zero
    EXPECT_EQ(toIndex(intValue(3)), 3);
    EXPECT_EQ(toIndex(TData{}), -1);
}

TEST(TDataConvert, ToRealAndToString) {
    EXPECT_EQ(toReal(intValue(-3)), -3.0);
    EXPECT_EQ(toReal(strValue("1.5")), 1.5);
    EXPECT_EQ(toReal(realValue(0.25)), 0.25);
    EXPECT_EQ(toReal(TData{}), 0.0);
    EXPECT_EQ(toString(realValue(0.5)), "0.5");
    EXPECT_EQ(toString(intValue(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(toString(strValue("текст")), "текст");
    EXPECT_EQ(toString(TData{}), "");
}

TEST(TDataConvert, PassOnFlagCountsAsUnknownType) {
    TZT_Event link;
    TData d;
    passOnInteger(d, link, 5);
    EXPECT_EQ(toInteger(d), 0);
    EXPECT_EQ(toIndex(d), -1);
    EXPECT_EQ(toReal(d), 0.0);
    EXPECT_EQ(toString(d), "");
    EXPECT_FALSE(isNull(d));
    TData noValue;
    noValue.dataType = dataNoValue;
    EXPECT_FALSE(isNull(noValue));
    EXPECT_EQ(toIndex(noValue), -1);
}

TEST(TDataConsume, MovesAlongTheChainOrBecomesNull) {
    const TData third = strValue("three");
    TData second = realValue(2.0);
    second.nextValue = &third;
    TData first = intValue(1);
    first.nextValue = &second;

    consume(first);
    EXPECT_EQ(typeOf(first), dataReal);
    EXPECT_EQ(first.nextValue, &third);
    consume(first);
    EXPECT_EQ(first.strValue, "three");
    consume(first);
    EXPECT_TRUE(isNull(first));
}
