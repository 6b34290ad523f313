// The converter's own logic: level -> condition (1e-7, less) -> hub (clear the memo,
// compute) -> formula -> hub (result field, display), with small stand-ins for the
// windowed components.
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
    void value(TData& data, std::uint16_t) { setReal(data, level); }
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
        calcFormula.resultType = 1;
        calcFormula.setDefaultValue(0.0);
        calcFormula.setAngleMode(0);
        positiveCheck.compareType = ctLess;
        setReal(positiveCheck.op2, 0.0000001);
        errorText.strings = "Введите число большее нуля!!! ";
        calcHub.setOutCount(2);
        resultHub.setOutCount(2);

        levelEdit.onChange = makeLink<&TZTIf_else::compare>(positiveCheck);
        calcFormula.onResult = makeLink<&TZTHub::trigger>(resultHub);
        calcFormula.arguments[0] = makeLink<&LevelField::value>(levelEdit);
        messageMemo.textSource = makeLink<&TZTVisualStrings::text>(errorText);
        positiveCheck.onTrue = makeLink<&Memo::doAdd>(messageMemo);
        positiveCheck.onFalse = makeLink<&TZTHub::trigger>(calcHub);
        positiveCheck.data1 = makeLink<&LevelField::value>(levelEdit);
        calcHub.onEvent[0] = makeLink<&Memo::doClear>(messageMemo, 1);
        calcHub.onEvent[1] = makeLink<&TZTMathParse::calculate>(calcFormula);
        resultHub.onEvent[0] = makeLink<&TextView::doText>(resultEdit);
        resultHub.onEvent[1] = makeLink<&TextView::doText>(resultLed);

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
    TDebugMessageSink previousSink;
    std::vector<std::string> boxes;
};

}  // namespace

TEST_F(ConverterLogic, LevelsBelowTheLimitAddTheErrorLine) {
    levelEdit.type(0);
    levelEdit.type(-5);
    levelEdit.type(0.00000009);
    EXPECT_EQ(journal.entries, (std::vector<std::string>{"memo.add", "memo.add", "memo.add"}));
    EXPECT_EQ(messageMemo.lines, std::vector<std::string>(3, "Введите число большее нуля!!! "));
    EXPECT_EQ(resultEdit.text, "");
    EXPECT_EQ(resultLed.text, "");
}

TEST_F(ConverterLogic, GoodLevelsClearTheMemoThenShowTheResultTwice) {
    levelEdit.type(-5);
    levelEdit.type(0.000001);
    EXPECT_EQ(journal.entries,
              (std::vector<std::string>{"memo.add", "memo.clear", "result=0.00000100000011512926",
                                        "led=0.00000100000011512926"}));
    EXPECT_TRUE(messageMemo.lines.empty());

    journal.entries.clear();
    levelEdit.type(20);
    levelEdit.type(120);
    EXPECT_EQ(
        journal.entries,
        (std::vector<std::string>{"memo.clear", "result=0.00000999999999005954", "led=0.00000999999999005954",
                                  "memo.clear", "result=0.999999994035725", "led=0.999999994035725"}));

    journal.entries.clear();
    levelEdit.type(0);  // a bad level leaves the last result standing
    EXPECT_EQ(resultEdit.text, "0.999999994035725");
    EXPECT_EQ(messageMemo.lines.size(), 1u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConverterLogic, ALevelBeyondTheDoubleRangeShowsTheCalculationErrorBox) {
    levelEdit.type(120);
    levelEdit.type(7000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], TZTMathParse::errorMessage(1) + "34");
    EXPECT_EQ(resultEdit.text, "0.999999994035725");  // nothing reached the outputs
    levelEdit.type(140);
    EXPECT_EQ(resultEdit.text.substr(0, 8), "9.999999");
}
