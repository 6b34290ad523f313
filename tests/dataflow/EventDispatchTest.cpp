#include "dataflow/EventDispatch.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/SmallStack.h"

using namespace dataflow;

namespace {

// Records what its input sees and can pass a value on along its own event.
struct Probe {
    std::vector<TData> seen;
    std::vector<std::uint16_t> indices;
    TZT_Event onNext;
    enum class Then { nothing, passOnReal, changeRecord } then = Then::nothing;
    double passOnValue = 0.0;

    void input(TData& data, std::uint16_t index) {
        seen.push_back(data);
        indices.push_back(index);
        if (then == Then::passOnReal) passOnReal(data, onNext, passOnValue);
        if (then == Then::changeRecord) setString(data, "changed");
    }
};

// A data point that answers with a fixed value (or leaves the record alone).
struct Source {
    TData answer;
    bool answers = true;
    int reads = 0;
    TData received;

    void point(TData& data, std::uint16_t) {
        ++reads;
        received = data;
        if (answers) data = answer;
    }
};

class EventDispatch : public ::testing::Test {
protected:
    void SetUp() override { enableEvents(); }
    void TearDown() override { disableEvents(); }
};

}  // namespace

TEST_F(EventDispatch, UnlinkedLinksDoNothing) {
    TZT_Event unlinked;
    fireEventNull(unlinked);
    fireEventInt(unlinked, 1);
    TData d;
    setInteger(d, 3);
    fireEventRef(unlinked, d);
    EXPECT_EQ(typeOf(d), dataInt);
    EXPECT_EQ(readInteger(unlinked), 0);
    readData(d, unlinked);
    EXPECT_EQ(typeOf(d), dataNoValue);
}

TEST_F(EventDispatch, FireOperationsBuildTheirValues) {
    Probe probe;
    const TZT_Event link = makeLink<&Probe::input>(probe, 7);
    fireEventInt(link, 12);
    fireEventStr(link, "s");
    fireEventNull(link);
    ASSERT_EQ(probe.seen.size(), 3u);
    EXPECT_EQ(typeOf(probe.seen[0]), dataInt);
    EXPECT_EQ(probe.seen[0].intValue, 12);
    EXPECT_EQ(probe.seen[1].strValue, "s");
    EXPECT_TRUE(isNull(probe.seen[2]));
    EXPECT_EQ(probe.indices, (std::vector<std::uint16_t>{7, 7, 7}));
}

TEST_F(EventDispatch, PassOnFiresTheNextLinkWithoutTheFlag) {
    Probe first, second;
    first.then = Probe::Then::passOnReal;
    first.passOnValue = 2.5;
    first.onNext = makeLink<&Probe::input>(second, 5);
    fireEventInt(makeLink<&Probe::input>(first, 2), 1);
    ASSERT_EQ(second.seen.size(), 1u);
    EXPECT_EQ(second.indices, (std::vector<std::uint16_t>{5}));  // each link's own index
    EXPECT_EQ(typeOf(second.seen[0]), dataReal);                 // 7, the flag is gone
    EXPECT_EQ(second.seen[0].realValue, 2.5);
}

TEST_F(EventDispatch, PassOnToAnUnlinkedLinkEndsTheChain) {
    Probe first;
    first.then = Probe::Then::passOnReal;
    TData d;
    fireEventRef(makeLink<&Probe::input>(first), d);
    EXPECT_EQ(typeOf(d), dataReal);
    EXPECT_EQ(first.seen.size(), 1u);
}

TEST_F(EventDispatch, FireEventCopiesWhileFireEventRefSharesTheRecord) {
    Probe first, second;
    first.then = Probe::Then::passOnReal;
    first.passOnValue = 9.0;
    first.onNext = makeLink<&Probe::input>(second);
    second.then = Probe::Then::changeRecord;
    const TZT_Event link = makeLink<&Probe::input>(first);

    TData mine;
    setInteger(mine, 4);
    fireEvent(link, mine);
    EXPECT_EQ(typeOf(mine), dataInt);
    EXPECT_EQ(mine.intValue, 4);

    fireEventRef(link, mine);
    EXPECT_EQ(typeOf(mine), dataStr);
    EXPECT_EQ(mine.strValue, "changed");
}

TEST_F(EventDispatch, SingleCallReadLeavesAPassOnMark) {
    Probe reader;
    reader.then = Probe::Then::passOnReal;
    Probe never;
    reader.onNext = makeLink<&Probe::input>(never);
    TData d;
    readData(d, makeLink<&Probe::input>(reader));
    EXPECT_EQ(typeOf(d), passOnFlag | dataReal);
    EXPECT_TRUE(never.seen.empty());
}

TEST_F(EventDispatch, ReadDataDoesNotResetTheRecord) {
    Source source;
    source.answers = false;
    TData d;
    setInteger(d, 8);
    readData(d, makeLink<&Source::point>(source));
    EXPECT_EQ(source.received.intValue, 8);
    EXPECT_EQ(typeOf(d), dataInt);
}

TEST_F(EventDispatch, ReadIntegerConverts) {
    Source source;
    setReal(source.answer, 3.5);
    EXPECT_EQ(readInteger(makeLink<&Source::point>(source)), 4);
}

TEST(EventDispatchDisabled, NothingFiresAndReadsGiveDefaults) {
    disableEvents();
    Probe probe;
    Source source;
    setInteger(source.answer, 5);
    fireEventInt(makeLink<&Probe::input>(probe), 1);
    EXPECT_TRUE(probe.seen.empty());
    EXPECT_EQ(readInteger(makeLink<&Source::point>(source)), 0);
    TData incoming;
    EXPECT_EQ(readString(incoming, makeLink<&Source::point>(source), "default"), "");
    TData d;
    setInteger(d, 2);
    readData(d, makeLink<&Source::point>(source));
    EXPECT_EQ(d.intValue, 2);
    EXPECT_EQ(source.reads, 0);

    enableEvents();
    EXPECT_EQ(readInteger(makeLink<&Source::point>(source)), 5);
    disableEvents();
    EXPECT_EQ(readInteger(makeLink<&Source::point>(source)), 0);
}

TEST_F(EventDispatch, ReadStringTakesPointThenDefaultThenCall) {
    Source source;
    const TZT_Event point = makeLink<&Source::point>(source);
    TData incoming;
    setInteger(incoming, 5);

    setNull(source.answer);  // a linked point answering null gives "", not the default
    EXPECT_EQ(readString(incoming, point, "default"), "");
    setReal(source.answer, 0.25);
    EXPECT_EQ(readString(incoming, point, "default"), "0.25");
    source.answer.dataType = dataNoValue;  // nothing delivered: fall back
    EXPECT_EQ(readString(incoming, point, "default"), "default");
    EXPECT_EQ(typeOf(incoming), dataInt);  // the default does not consume

    const TZT_Event unlinked;
    EXPECT_EQ(readString(incoming, unlinked, "default"), "default");
    EXPECT_EQ(readString(incoming, unlinked, ""), "5");
    EXPECT_TRUE(isNull(incoming));
    EXPECT_EQ(readString(incoming, unlinked, ""), "");
}

TEST_F(EventDispatch, ReadStringConsumesAChainValueByValue) {
    TData second;
    setString(second, "two");
    TData incoming;
    setInteger(incoming, 1);
    incoming.nextValue = &second;
    const TZT_Event unlinked;
    EXPECT_EQ(readString(incoming, unlinked, ""), "1");
    EXPECT_EQ(readString(incoming, unlinked, ""), "two");
    EXPECT_EQ(readString(incoming, unlinked, ""), "");
    // A null value ends the reading: it is not consumed, its chain stays.
    setNull(incoming);
    incoming.nextValue = &second;
    EXPECT_EQ(readString(incoming, unlinked, ""), "");
    EXPECT_EQ(incoming.nextValue, &second);
    TData result;
    readValue(incoming, unlinked, nullptr, result);
    EXPECT_TRUE(isNull(result));
    EXPECT_EQ(incoming.nextValue, &second);
}

TEST_F(EventDispatch, ReadValueTakesPointThenDefaultThenCall) {
    Source source;
    const TZT_Event point = makeLink<&Source::point>(source);
    TData chained;
    setReal(chained, 9.0);
    setInteger(source.answer, 3);
    source.answer.nextValue = &chained;

    TData incoming;
    setInteger(incoming, 5);
    TData result;
    setInteger(result, 8);  // whatever the result held, the point is asked with null
    readValue(incoming, point, nullptr, result);
    EXPECT_EQ(result.intValue, 3);
    EXPECT_EQ(result.nextValue, nullptr);  // the point's chain is cut
    EXPECT_TRUE(isNull(source.received));  // the point is asked with a null record

    TData property;
    setReal(property, 1e-7);
    source.answer.dataType = dataNoValue;
    readValue(incoming, point, &property, result);
    EXPECT_EQ(result.realValue, 1e-7);
    EXPECT_EQ(typeOf(incoming), dataInt);  // not consumed

    TData nullProperty;
    readValue(incoming, TZT_Event{}, &nullProperty, result);
    EXPECT_EQ(result.intValue, 5);
    EXPECT_TRUE(isNull(incoming));
    readValue(incoming, TZT_Event{}, nullptr, result);
    EXPECT_TRUE(isNull(result));
    EXPECT_TRUE(isNull(incoming));
}

TEST_F(EventDispatch, ReadValueSplitsAChainAcrossReaders) {
    TData second;
    setString(second, "b");
    TData incoming;
    setString(incoming, "a");
    incoming.nextValue = &second;
    TData a, b, c;
    readValue(incoming, TZT_Event{}, nullptr, a);
    readValue(incoming, TZT_Event{}, nullptr, b);
    readValue(incoming, TZT_Event{}, nullptr, c);
    EXPECT_EQ(a.strValue, "a");
    EXPECT_EQ(a.nextValue, nullptr);
    EXPECT_EQ(b.strValue, "b");
    EXPECT_TRUE(isNull(c));
}

TEST_F(EventDispatch, AccessorsAreReadByType) {
    TDataAccessor accessor;
    Source source;
    source.answer.dataType = dataArray;
    source.answer.accessor = &accessor;
    const TZT_Event point = makeLink<&Source::point>(source);
    EXPECT_EQ(readArray(point), &accessor);
    EXPECT_EQ(readMatrix(point), nullptr);
    source.answer.dataType = dataMatrix;
    EXPECT_EQ(readMatrix(point), &accessor);
    EXPECT_EQ(readArray(TZT_Event{}), nullptr);
    EXPECT_EQ(source.reads, 3);
}

namespace {

// Passes the value on to itself until it has been called `limit` times.
struct Repeater {
    long calls = 0;
    long limit = 0;
    TZT_Event again;
    char* deepest = nullptr;
    char* shallowest = nullptr;

    void input(TData& data, std::uint16_t) {
        char marker;
        if (!deepest || &marker < deepest) deepest = &marker;
        if (!shallowest || &marker > shallowest) shallowest = &marker;
        if (++calls < limit) passOnInteger(data, again, static_cast<std::int32_t>(calls));
    }
};

}  // namespace

TEST_F(EventDispatch, AMillionPassOnStepsRunAtConstantDepth) {
    Repeater repeater;
    repeater.limit = 1000000;
    repeater.again = makeLink<&Repeater::input>(repeater);
    // 128 KiB would be gone after a few thousand nested calls.
    testsupport::runOnSmallStack(128 * 1024, [&] { fireEventNull(makeLink<&Repeater::input>(repeater)); });
    EXPECT_EQ(repeater.calls, 1000000);
    EXPECT_EQ(repeater.deepest, repeater.shallowest);
}

TEST_F(EventDispatch, APassOnMarkWithoutALinkEndsTheChain) {
    struct MarksWithoutLink {
        void input(TData& data, std::uint16_t) {
            setInteger(data, 3);
            data.dataType |= passOnFlag;  // the flag, but passOnEvent stays none
        }
    } marker;
    TData d;
    fireEventRef(makeLink<&MarksWithoutLink::input>(marker), d);
    EXPECT_EQ(typeOf(d), dataInt);
}
