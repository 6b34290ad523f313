#include "components/logic/TZTHub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/logic/TZTMathParse.h"
#include "components/logic/TZTVisualStrings.h"
#include "dataflow/DebugMessage.h"
#include "dataflow/EventDispatch.h"
#include "tests/support/Sink.h"

using namespace components;
using namespace dataflow;

namespace {

// Records its calls in a shared log; can pass on to a further link and change its copy.
struct Step {
    std::string name;
    std::string* log = nullptr;
    TZT_Event next;
    void input(TData& data, std::uint16_t) {
        *log += name + "(" + toString(data) + ")";
        if (next.isLinked())
            passOnInteger(data, next, 99);
        else
            setString(data, "spoilt");
    }
};

class Hub : public ::testing::Test {
protected:
    void SetUp() override { enableEvents(); }
    void TearDown() override { disableEvents(); }
    std::string log;
};

}  // namespace

TEST_F(Hub, EachOutputsWholeChainRunsBeforeTheNextOutput) {
    Step a{.name = "a", .log = &log}, a2{.name = "a2", .log = &log}, b{.name = "b", .log = &log};
    a.next = makeLink<&Step::input>(a2);
    TZTHub hub;
    hub.setOutCount(2);
    hub.onEvent[0] = makeLink<&Step::input>(a);
    hub.onEvent[1] = makeLink<&Step::input>(b);
    TData value;
    setInteger(value, 7);
    fireEventRef(makeLink<&TZTHub::trigger>(hub), value);
    EXPECT_EQ(log, "a(7)a2(99)b(7)");
    EXPECT_EQ(value.intValue, 7);  // the hub passes nothing on
    EXPECT_EQ(value.dataType, dataInt);
}

TEST_F(Hub, UnlinkedOutputsAreSkipped) {
    Step b{.name = "b", .log = &log};
    TZTHub hub;
    hub.setOutCount(2);
    hub.onEvent[1] = makeLink<&Step::input>(b);
    fireEventInt(makeLink<&TZTHub::trigger>(hub), 1);
    EXPECT_EQ(log, "b(1)");
}

// A count beyond the hub's byte is cut to the 255 outputs it fires, and told when events
// are switched on, as the links set beyond them are.
TEST_F(Hub, OutCountIsACountTheHubFires) {
    std::vector<std::string> told;
    const TDebugMessageSink before =
        setDebugMessageSink([&told](const std::string& text, const std::string&) { told.push_back(text); });
    disableEvents();
    Step s{.name = "s", .log = &log};
    TZTHub hub;
    hub.setOutCount(300);
    EXPECT_EQ(hub.onEvent.size(), 255u);
    EXPECT_EQ(hub.outCount(), 255);
    for (std::size_t i = 0; i < 256; ++i) hub.onEvent[i] = makeLink<&Step::input>(s);
    enableEvents();
    fireEventNull(makeLink<&TZTHub::trigger>(hub));
    EXPECT_EQ(log.size(), 255 * std::string("s()").size());
    EXPECT_EQ(told,
              std::vector<std::string>{
                  "Выходов больше, чем хаб может вызвать: TZTHub.setOutCount(300), а можно не больше 255\r\n"
                  "Связь вне списка: TZTHub.onEvent[255], а в списке 255"});
    setDebugMessageSink(before);

    hub.setOutCount(0);
    log.clear();
    fireEventNull(makeLink<&TZTHub::trigger>(hub));
    EXPECT_EQ(log, "");

    // Growing keeps the entries that were linked before.
    Step t{.name = "t", .log = &log};
    hub.setOutCount(2);
    hub.onEvent[0] = makeLink<&Step::input>(s);
    hub.onEvent[1] = {};
    hub.setOutCount(3);
    hub.onEvent[2] = makeLink<&Step::input>(t);
    fireEventNull(makeLink<&TZTHub::trigger>(hub));
    EXPECT_EQ(log, "s()t()");
}

// The schema helpers: a hub firing its links in order, a constant text.
TEST_F(Hub, HelpersBuildWhatTheirNamesSay) {
    Step a{.name = "a", .log = &log}, b{.name = "b", .log = &log};
    const auto hub = TZTHub::firing({makeLink<&Step::input>(a), {}, makeLink<&Step::input>(b)});
    EXPECT_EQ(hub->outCount(), 3);
    fireEventInt(makeLink<&TZTHub::trigger>(*hub), 4);
    EXPECT_EQ(log, "a(4)b(4)");
    EXPECT_EQ(TZTHub::withOutputs(21)->outCount(), 21);
    testsupport::Sink texts;
    const auto text = TZTVisualStrings::constant("—", makeLink<&testsupport::Sink::input>(texts));
    fireEventNull(makeLink<&TZTVisualStrings::compose>(*text));
    EXPECT_EQ(texts.texts(), std::vector<std::string>{"—"});
}

// A link set beyond a hub's outputs or a formula's arguments writes nowhere, and is
// told when events are switched on, with the list and the index.
TEST_F(Hub, ALinkBeyondItsListIsToldNotWrittenPastTheList) {
    std::vector<std::string> told;
    const TDebugMessageSink before =
        setDebugMessageSink([&told](const std::string& text, const std::string&) { told.push_back(text); });
    disableEvents();
    Step s{.name = "s", .log = &log};
    TZTHub hub;
    hub.setOutCount(2);
    hub.onEvent[5] = makeLink<&Step::input>(s);
    TZTMathParse formula;
    formula.setArgumentCount(2);
    formula.arguments[2] = makeDataLink(nullptr, nullptr, 0);
    EXPECT_EQ(hub.onEvent.size(), 2u);
    enableEvents();
    fireEventNull(makeLink<&TZTHub::trigger>(hub));
    EXPECT_EQ(log, "");
    EXPECT_EQ(told, std::vector<std::string>{"Связь вне списка: TZTHub.onEvent[5], а в списке 2\r\n"
                                             "Связь вне списка: TZTMathParse.arguments[2], а в списке 2"});
    enableEvents();  // told once
    EXPECT_EQ(told.size(), 1u);
    setDebugMessageSink(before);
}

TEST_F(Hub, StringConstantDeliversItsTextEveryTime) {
    TZTVisualStrings strings;
    strings.strings = "Введите число большее нуля!!! ";
    const TDataLink point = makeDataLink<&TZTVisualStrings::text>(strings);
    TData data;
    setReal(data, 5.0);
    readData(data, point);
    EXPECT_EQ(data.dataType, dataStr);
    EXPECT_EQ(data.strValue, "Введите число большее нуля!!! ");
    TData incoming;
    EXPECT_EQ(readString(incoming, point, ""), strings.strings);
    EXPECT_EQ(readString(incoming, point, ""), strings.strings);
}

TEST_F(Hub, StringConstantComposesAValueIntoItsText) {
    TZTVisualStrings strings;
    testsupport::Sink texts;
    strings.onText = makeLink<&testsupport::Sink::input>(texts);
    const TZT_Event compose = makeLink<&TZTVisualStrings::compose>(strings);
    strings.strings = "угол: колесо %+1, было %1";
    fireEventInt(compose, 120);
    fireEventInt(compose, -120);
    TData half;
    setReal(half, 0.5);
    fireEvent(compose, half);
    strings.strings = "часы: двойной щелчок";  // no value in the text
    fireEventInt(compose, 0);
    EXPECT_EQ(texts.texts(),
              (std::vector<std::string>{"угол: колесо +120, было 120", "угол: колесо -120, было -120",
                                        "угол: колесо +0.5, было 0.5", "часы: двойной щелчок"}));
}
