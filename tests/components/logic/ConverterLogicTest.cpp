// The converter's own logic: level -> condition (1e-7, less) -> hub (clear the memo,
// compute) -> formula -> hub (result field, display), and the way without a result (a
// level below the limit, one too large to compute, an emptied field) -> the memo's line
// and an empty result field and barred display, with small stand-ins for the windowed
// components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/logic/TZTHub.h"
#include "components/logic/TZTIf_else.h"
#include "components/logic/TZTMathParse.h"
#include "components/logic/TZTVisualStrings.h"
#include "dataflow/DebugMessage.h"
#include "dataflow/EventDispatch.h"

using namespace components;
using namespace dataflow;

namespace {

struct Journal {
    std::vector<std::string> entries;
};

// Stands in for the level field: a data point with the level and an onChange event.
struct LevelField {
    double level = 0.0;
    TZT_Event onChange;
    TZT_Event onEmptied;
    void value(TData& data, std::uint16_t) { setReal(data, level); }
    using DataPoints = dataflow::TDataPoints<&LevelField::value>;
    void empty() { fireEventNull(onEmptied); }
    void type(double newLevel) {
        level = newLevel;
        TData data;
        setReal(data, level);
        fireEventRef(onChange, data);
    }
};

// Stands in for the memo: doAdd appends the line read through textSource.
struct Memo {
    Journal* journal = nullptr;
    TZT_Event textSource;
    std::vector<std::string> lines;
    void doAdd(TData& data, std::uint16_t) {
        lines.push_back(readString(data, textSource, ""));
        journal->entries.push_back("memo.add");
    }
    void doClear(TData&, std::uint16_t) {
        lines.clear();
        journal->entries.push_back("memo.clear");
    }
};

// Stands in for the result field and the display: doText shows the value's text.
struct TextView {
    std::string name;
    Journal* journal = nullptr;
    TZT_Event textSource;
    std::string text;
    void doText(TData& data, std::uint16_t) {
        text = readString(data, textSource, "");
        journal->entries.push_back(name + "=" + text);
    }
};

class ConverterLogic : public ::testing::Test {
protected:
    void SetUp() override {
        calcFormula.setArgumentCount(2);
        calcFormula.setFormula("0.000001* exp( %1 * 0.1151292546 ) ");
        calcFormula.resultType = TZTMathParse::rtReal;
        calcFormula.setDefaultValue(0.0);
        calcFormula.setAngleMode(TZTMathParse::amRadians);
        positiveCheck.compareType = ctLess;
        setReal(positiveCheck.op2, 0.0000001);
        errorText.strings = "Введите число большее нуля!!! ";
        calcHub.setOutCount(2);
        resultHub.setOutCount(2);
        tooLargeText.strings = "Слишком большое число!!! ";
        refusedHub.setOutCount(2);
        failedHub.setOutCount(2);
        noResultHub.setOutCount(2);
        noResultBars.strings = bars;

        levelEdit.onChange = makeLink<&TZTIf_else::compare>(positiveCheck);
        calcFormula.onResult = makeLink<&TZTHub::trigger>(resultHub);
        calcFormula.arguments[0] = makeDataLink<&LevelField::value>(levelEdit);
        positiveCheck.onTrue = makeLink<&TZTHub::trigger>(refusedHub);
        positiveCheck.onFalse = makeLink<&TZTHub::trigger>(calcHub);
        positiveCheck.data1 = makeDataLink<&LevelField::value>(levelEdit);
        calcHub.onEvent[0] = makeLink<&Memo::doClear>(messageMemo, 1);
        calcHub.onEvent[1] = makeLink<&TZTMathParse::calculate>(calcFormula);
        resultHub.onEvent[0] = makeLink<&TextView::doText>(resultEdit);
        resultHub.onEvent[1] = makeLink<&TextView::doText>(resultLed);
        refusedHub.onEvent[0] = makeLink<&TZTVisualStrings::compose>(errorText);
        refusedHub.onEvent[1] = makeLink<&TZTHub::trigger>(noResultHub);
        errorText.onText = makeLink<&Memo::doAdd>(messageMemo);
        calcFormula.onError = makeLink<&TZTHub::trigger>(failedHub);
        failedHub.onEvent[0] = makeLink<&TZTVisualStrings::compose>(tooLargeText);
        failedHub.onEvent[1] = makeLink<&TZTHub::trigger>(noResultHub);
        tooLargeText.onText = makeLink<&Memo::doAdd>(messageMemo);
        levelEdit.onEmptied = makeLink<&TZTHub::trigger>(noResultHub);
        noResultHub.onEvent[0] = makeLink<&TZTVisualStrings::compose>(noResultText);
        noResultHub.onEvent[1] = makeLink<&TZTVisualStrings::compose>(noResultBars);
        noResultText.onText = makeLink<&TextView::doText>(resultEdit);
        noResultBars.onText = makeLink<&TextView::doText>(resultLed);

        previousSink = setDebugMessageSink(
            [this](const std::string& text, const std::string&) { boxes.push_back(text); });
        enableEvents();
    }
    void TearDown() override {
        disableEvents();
        setDebugMessageSink(previousSink);
    }

    Journal journal;
    LevelField levelEdit;
    Memo messageMemo{.journal = &journal};
    TextView resultEdit{.name = "result", .journal = &journal};
    TextView resultLed{.name = "led", .journal = &journal};
    TZTMathParse calcFormula;
    TZTIf_else positiveCheck;
    TZTVisualStrings errorText;
    TZTHub calcHub;
    TZTHub resultHub;
    TZTHub refusedHub, failedHub, noResultHub;
    TZTVisualStrings tooLargeText, noResultText, noResultBars;
    const std::string bars = "------------------- ";
    TDebugMessageSink previousSink;
    std::vector<std::string> boxes;
};

}  // namespace

TEST_F(ConverterLogic, LevelsBelowTheLimitAddTheErrorLineAndShowNoResult) {
    levelEdit.type(120);
    journal.entries.clear();
    levelEdit.type(0);
    levelEdit.type(-5);
    levelEdit.type(0.00000009);
    const std::vector<std::string> refused = {"memo.add", "result=", "led=" + bars};
    std::vector<std::string> threeTimes;
    for (int i = 0; i < 3; ++i) threeTimes.insert(threeTimes.end(), refused.begin(), refused.end());
    EXPECT_EQ(journal.entries, threeTimes);
    EXPECT_EQ(messageMemo.lines, std::vector<std::string>(3, "Введите число большее нуля!!! "));
}

TEST_F(ConverterLogic, GoodLevelsClearTheMemoThenShowTheResultTwice) {
    levelEdit.type(-5);
    journal.entries.clear();
    levelEdit.type(0.000001);
    EXPECT_EQ(journal.entries, (std::vector<std::string>{"memo.clear", "result=0.00000100000011512926",
                                                         "led=0.00000100000011512926"}));
    EXPECT_TRUE(messageMemo.lines.empty());

    journal.entries.clear();
    levelEdit.type(20);
    levelEdit.type(120);
    EXPECT_EQ(
        journal.entries,
        (std::vector<std::string>{"memo.clear", "result=0.00000999999999005954", "led=0.00000999999999005954",
                                  "memo.clear", "result=0.999999994035725", "led=0.999999994035725"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConverterLogic, ALevelTooLargeToComputeAddsItsLineInsteadOfTheBox) {
    levelEdit.type(120);
    journal.entries.clear();
    levelEdit.type(7000);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(journal.entries,
              (std::vector<std::string>{"memo.clear", "memo.add", "result=", "led=" + bars}));
    EXPECT_EQ(messageMemo.lines, std::vector<std::string>{"Слишком большое число!!! "});
    levelEdit.type(140);
    EXPECT_EQ(resultEdit.text.substr(0, 8), "9.999999");
}

TEST_F(ConverterLogic, AnEmptiedFieldShowsNoResultAndAddsNoLine) {
    levelEdit.type(120);
    journal.entries.clear();
    levelEdit.empty();
    EXPECT_EQ(journal.entries, (std::vector<std::string>{"result=", "led=" + bars}));
}
