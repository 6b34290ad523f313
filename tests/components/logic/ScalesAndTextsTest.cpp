// What a schema reads off its tables: the band of a value, a text and a number by index,
// a pasted number with its unit, a table as tab-separated text, and a formula's last
// result as a data point.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/logic/TZTBands.h"
#include "components/logic/TZTChoice.h"
#include "components/logic/TZTMathParse.h"
#include "components/logic/TZTPick.h"
#include "components/logic/TZTTextTable.h"
#include "components/logic/TZTUnitSplit.h"
#include "dataflow/EventDispatch.h"
#include "tests/support/Sink.h"
#include "tests/support/Values.h"

using namespace components;
using namespace dataflow;
using testsupport::intValue, testsupport::realValue, testsupport::strValue;

namespace {

struct Point {
    TData at;
    void point(TData& data, std::uint16_t) { data = at; }
    using DataPoints = TDataPoints<&Point::point>;
};

class ScalesAndTexts : public ::testing::Test {
protected:
    void SetUp() override { enableEvents(); }
    void TearDown() override { disableEvents(); }
    testsupport::Sink sink, numbers, refused;
};

std::string read(TDataLink link) {
    TData data;
    readData(data, link);
    return isNull(data) ? "null" : toString(data);
}

}  // namespace

TEST_F(ScalesAndTexts, AValueOnABoundaryBelongsToTheBandAbove) {
    TZTBands bands;
    bands.boundaries = {1.12, 2.8, 7.1, 0.71, 1.8, 4.5};  // two rows of three
    bands.boundariesPerRow = 3;
    Point row;
    row.at = intValue(0);
    bands.row = makeDataLink<&Point::point>(row);
    bands.onBand = makeLink<&testsupport::Sink::input>(sink);
    const auto classify = [&bands](double v) {
        fireEvent(makeLink<&TZTBands::classify>(bands), realValue(v));
    };
    for (double v : {0.0, 1.1199999, 1.12, 2.8, 7.0999, 7.1, 1e300}) classify(v);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"0", "0", "1", "2", "2", "3", "3"}));
    sink.values.clear();
    row.at = intValue(1);
    for (double v : {0.7, 0.71, 4.5}) classify(v);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"0", "1", "3"}));
    sink.values.clear();
    for (std::int32_t outside : {2, -1}) {  // no such row: no band
        row.at = intValue(outside);
        classify(1);
    }
    EXPECT_TRUE(sink.values.empty());
}

TEST_F(ScalesAndTexts, APickAndAChoiceGiveTheEntryOfTheIndex) {
    TZTPick pick;
    pick.texts = {"A", "B"};
    pick.onText = makeLink<&testsupport::Sink::input>(sink);
    TZTChoice choice;
    choice.values = {10, 20};
    choice.onValue = makeLink<&testsupport::Sink::input>(numbers);
    for (std::int32_t i : {1, 0, 2, -1}) {
        fireEvent(makeLink<&TZTPick::pick>(pick), intValue(i));
        fireEvent(makeLink<&TZTChoice::choose>(choice), intValue(i));
    }
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"B", "A", "", ""}));
    EXPECT_EQ(numbers.texts(), (std::vector<std::string>{"20", "10"}));  // nothing outside
}

TEST_F(ScalesAndTexts, APastedUnitChoosesItsItemAndTheNumberGoesOnAlone) {
    TZTUnitSplit split;
    split.units = {{"м/с2", 0}, {"мм/с", 2}, {"м/с", 3}, {"мм", 6}, {"дБ", 8}, {"дБ", 9}, {"дБ", 10}};
    Point shown;
    shown.at = intValue(9);
    split.current = makeDataLink<&Point::point>(shown);
    split.onUnit = makeLink<&testsupport::Sink::input>(sink);
    split.onNumber = makeLink<&testsupport::Sink::input>(numbers);
    split.onRefused = makeLink<&testsupport::Sink::input>(refused);
    const struct {
        const char* paste;
        const char* item;  // nullptr: refused
        const char* number;
    } cases[] = {
        {"4,5 \xEC\xEC/\xF1", "2", "4,5"},    // "мм/с", not "м/с"
        {" 4.5\xEC/\xF1\t\r\n", "3", "4.5"},  // "м/с", blanks around
        {"1\xA0"
         "000 \xEC\xEC",
         "6",
         "1\xA0"
         "000"},                     // digit groups
        {"-3 \xE4\xC1", "9", "-3"},  // "дБ": the shown item of its unit
        {"2e-3 \xEC/\xF1"
         "2",
         "0", "2e-3"},
        {"\xEC\xEC/\xF1", nullptr, ""},  // a unit without a number
        {"4,5 \xEA\xEC", nullptr, ""},   // no unit of the table
        {"4,,5 \xEC\xEC", nullptr, ""},  // no number before it
    };
    for (const auto& c : cases) {
        sink.values.clear();
        numbers.values.clear();
        refused.values.clear();
        fireEvent(makeLink<&TZTUnitSplit::split>(split), strValue(c.paste));
        if (c.item) {
            EXPECT_EQ(sink.texts(), std::vector<std::string>{c.item}) << c.paste;
            EXPECT_EQ(numbers.texts(), std::vector<std::string>{c.number}) << c.paste;
            EXPECT_TRUE(refused.values.empty()) << c.paste;
        } else {
            EXPECT_TRUE(sink.values.empty() && numbers.values.empty()) << c.paste;
            EXPECT_EQ(refused.texts().size(), 1u) << c.paste;
        }
    }
    shown.at = intValue(0);  // a level is not shown: the first item of "дБ"
    sink.values.clear();
    fireEvent(makeLink<&TZTUnitSplit::split>(split), strValue("3 \xE4\xC1"));
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"8"});
}

TEST_F(ScalesAndTexts, ATableIsReadCellByCellWhenComposed) {
    Point a;
    a.at = strValue("1,5");
    TZTTextTable table;
    table.lines = {{"x", makeDataLink<&Point::point>(a)}, {"y"}, {}};
    table.onText = makeLink<&testsupport::Sink::input>(sink);
    fireEventNull(makeLink<&TZTTextTable::compose>(table));
    a.at = realValue(2);  // read again at the next composing
    fireEventNull(makeLink<&TZTTextTable::compose>(table));
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"x\t1,5\r\ny\r\n\r\n", "x\t2\r\ny\r\n\r\n"}));
}

TEST_F(ScalesAndTexts, AFormulasValueIsItsLastResultAndNoneAfterAFailure) {
    Point argument;
    auto formula = TZTMathParse::realFormula("%1 * 2", {makeDataLink<&Point::point>(argument)});
    formula->onError = makeLink<&testsupport::Sink::input>(sink);
    const auto value = makeDataLink<&TZTMathParse::value>(*formula);
    EXPECT_EQ(read(value), "null");  // before any computation
    argument.at = realValue(1.5);
    fireEventNull(makeLink<&TZTMathParse::calculate>(*formula));
    EXPECT_EQ(read(value), "3");
    EXPECT_EQ(read(value), "3");  // a read changes nothing
    argument.at = realValue(1e308);
    fireEventNull(makeLink<&TZTMathParse::calculate>(*formula));
    EXPECT_EQ(read(value), "null");
    EXPECT_EQ(sink.values.size(), 1u);
}
