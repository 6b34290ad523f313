// The number chosen by an index, and the number format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/logic/TZTChoice.h"
#include "components/logic/TZTNumberFormat.h"
#include "dataflow/EventDispatch.h"
#include "tests/support/Sink.h"
#include "tests/support/Values.h"

using namespace components;
using namespace dataflow;

namespace {

struct Index {
    TData at;
    void point(TData& data, std::uint16_t) { data = at; }
    using DataPoints = TDataPoints<&Index::point>;
};

class ChoiceAndFormat : public ::testing::Test {
protected:
    void SetUp() override { enableEvents(); }
    void TearDown() override { disableEvents(); }
};

}  // namespace

TEST_F(ChoiceAndFormat, AChoiceTakesTheValueInItsRowAndColumn) {
    TZTChoice table;
    table.values = {1, 2, 3, 4, 5, 6};  // two rows of three
    table.columns = 3;
    Index row, column;
    table.row = makeDataLink<&Index::point>(row);
    table.column = makeDataLink<&Index::point>(column);
    const auto chosen = [&table](TData r, TData c, Index& row, Index& column) {
        row.at = r;
        column.at = c;
        TData value;
        table.value(value, 0);
        return isNull(value) ? std::string("null") : toString(value);
    };
    EXPECT_EQ(chosen(testsupport::intValue(1), testsupport::intValue(2), row, column), "6");
    EXPECT_EQ(chosen(testsupport::realValue(0), testsupport::intValue(1), row, column), "2");
    EXPECT_EQ(chosen(testsupport::intValue(2), testsupport::intValue(0), row, column),
              "null");  // no third row
    EXPECT_EQ(chosen(testsupport::intValue(0), testsupport::intValue(3), row, column),
              "null");  // nor a fourth column
    EXPECT_EQ(chosen(testsupport::intValue(-1), testsupport::intValue(0), row, column), "null");
    table.column = {};  // unlinked: column 0
    EXPECT_EQ(chosen(testsupport::intValue(1), testsupport::intValue(9), row, column), "4");
}

TEST_F(ChoiceAndFormat, AFormatPassesTheTextOn) {
    TZTNumberFormat significant, fixed;
    fixed.significantDigits = 0;
    testsupport::Sink texts;
    significant.onText = makeLink<&testsupport::Sink::input>(texts);
    fixed.onText = makeLink<&testsupport::Sink::input>(texts);
    fireEvent(makeLink<&TZTNumberFormat::format>(significant), testsupport::realValue(0.0015915494));
    fireEvent(makeLink<&TZTNumberFormat::format>(fixed), testsupport::realValue(-6.04));
    fireEvent(makeLink<&TZTNumberFormat::format>(fixed), testsupport::intValue(124));
    EXPECT_EQ(texts.texts(), (std::vector<std::string>{"0,001592", "-6,0", "124,0"}));
}
