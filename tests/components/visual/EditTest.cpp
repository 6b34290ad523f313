// The edit field and the window base, driven by the messages that typing produces.
#include <limits>
#include <string>
#include <vector>

#include "components/logic/TZTMathParse.h"
#include "components/logic/TZTNumberFormat.h"
#include "components/visual/TZTEdit.h"
#include "components/visual/TZTLabel.h"
#include "dataflow/EventDispatch.h"
#include "tests/components/visual/FormTest.h"
#include "tests/support/Clipboard.h"
#include "tests/support/Sink.h"
#include "tests/support/Typing.h"
#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/window/Navigation.h"

using namespace components;
using namespace dataflow;
using testsupport::pressKey;
using testsupport::Sink;
using testsupport::type;
using testsupport::WindowTest;

namespace {

// Letters outside ASCII, typed as the wide window receives them.
void typeWide(HWND window, const std::wstring& text) {
    for (wchar_t c : text) {
        SendMessageW(window, WM_KEYDOWN, 'A', 1);
        SendMessageW(window, WM_CHAR, c, 1);
        SendMessageW(window, WM_KEYUP, 'A', 0xC0000001);
    }
}

class Edit : public testsupport::FormTest {
protected:
    void TearDown() override {
        delete edit;
        changes = Sink{};  // before the count of blocks left
        FormTest::TearDown();
    }
    // A numeric level field as the converter has it, focused and ready for typing.
    void makeEdit(TZTEdit::TValueReader reader) {
        edit = new TZTEdit(form);
        edit->valueReader = reader;
        edit->onChange = makeLink<&Sink::input>(changes);
        edit->init();
        SetFocus(edit->control->handle());
    }
    HWND box() const { return edit->control->handle(); }
    std::string shown() const { return edit->control->getControlText(); }

    TZTEdit* edit = nullptr;
    Sink changes;
};

}  // namespace

TEST_F(Edit, DigitsAndAPointReportTheirValues) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), "12.");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"1", "12", "12"}));
    EXPECT_EQ(changes.values[0].dataType, dataReal);
    EXPECT_EQ(shown(), "12.");
    type(box(), "5");
    EXPECT_EQ(changes.texts().back(), "12.5");
}

TEST_F(Edit, ASignWaitsForItsNumber) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), "-");
    EXPECT_TRUE(changes.values.empty());
    EXPECT_EQ(shown(), "-");
    type(box(), "5");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"-5"}));
}

TEST_F(Edit, AnEmptiedFieldBecomesZeroUnreported) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), "7");
    pressKey(box(), VK_BACK);
    SendMessageW(box(), WM_CHAR, VK_BACK, 1);  // the character Backspace produces
    EXPECT_EQ(shown(), "0");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"7"}));
    type(box(), "3");  // replaces the selected 0, and is reported again
    EXPECT_EQ(shown(), "3");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"7", "3"}));
}

// Every change that leaves the field without a number says so, however it came; a
// refused one, put back, changed nothing.
TEST_F(Edit, AChangeThatLeavesNoValueSaysSo) {
    Sink noValue, emptied;
    makeEdit(&TZTEdit::numericReader);
    edit->onNoValue = makeLink<&Sink::input>(noValue);
    edit->onEmptied = makeLink<&Sink::input>(emptied);
    type(box(), "1e");  // typed
    EXPECT_EQ(noValue.values.size(), 1u);
    type(box(), "x");  // refused: still "1e", nothing new to tell
    EXPECT_EQ(shown(), "1e");
    EXPECT_EQ(noValue.values.size(), 1u);
    type(box(), "5");
    SendMessageW(box(), EM_SETSEL, 0, -1);
    testsupport::paste(box(), L" - ");  // pasted
    EXPECT_EQ(shown(), "-");
    EXPECT_EQ(noValue.values.size(), 2u);
    type(box(), "\b");  // emptied: its 0, and no value
    EXPECT_EQ(shown(), "0");
    EXPECT_EQ(emptied.values.size(), 1u);
    EXPECT_EQ(noValue.values.size(), 3u);
    type(box(), "\x1A");  // undone back to the "-" (the edit box may tell of it twice)
    EXPECT_EQ(shown(), "-");
    EXPECT_GE(noValue.values.size(), 4u);
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"1", "100000"}));
    EXPECT_TRUE(isNull(noValue.values[0]));
}

// Reading the value is no edit: an empty field stays empty and reads as no value, and
// nothing fires.
TEST_F(Edit, AReadChangesNothing) {
    Sink noValue, emptied;
    makeEdit(&TZTEdit::numericReader);
    edit->onNoValue = makeLink<&Sink::input>(noValue);
    edit->onEmptied = makeLink<&Sink::input>(emptied);
    TData v;
    setReal(v, 9);
    edit->value(v, 0);
    EXPECT_TRUE(isNull(v));
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(SendMessageW(box(), EM_CANUNDO, 0, 0), 0);
    type(box(), "4,5");
    SendMessageW(box(), EM_SETSEL, 1, 1);
    const LRESULT undo = SendMessageW(box(), EM_CANUNDO, 0, 0);
    edit->value(v, 0);
    EXPECT_EQ(v.realValue, 4.5);
    DWORD start = 0, end = 0;
    SendMessageW(box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 1u);
    EXPECT_EQ(SendMessageW(box(), EM_CANUNDO, 0, 0), undo);
    EXPECT_EQ(shown(), "4.5");
    EXPECT_TRUE(noValue.values.empty());
    EXPECT_TRUE(emptied.values.empty());
}

// Three fields summed, as a newcomer's first program: typing into one reads the other
// two as nothing, which the sum takes as 0, and leaves them empty.
TEST_F(Edit, ASumOfThreeFieldsReadsOnlyWhatWasTyped) {
    TZTEdit second(form), third(form);
    makeEdit(&TZTEdit::numericReader);
    const auto sum = TZTMathParse::realFormula(
        "%1 + %2 + %3", {makeDataLink<&TZTEdit::value>(*edit), makeDataLink<&TZTEdit::value>(second),
                         makeDataLink<&TZTEdit::value>(third)});
    TZTNumberFormat oneDecimal;
    oneDecimal.significantDigits = 0;
    Sink shownSum;
    oneDecimal.onText = makeLink<&Sink::input>(shownSum);
    sum->onResult = makeLink<&TZTNumberFormat::format>(oneDecimal);
    for (TZTEdit* field : {edit, &second, &third}) {
        if (field != edit) {
            field->valueReader = &TZTEdit::numericReader;
            field->init();
        }
        field->onChange = makeLink<&TZTMathParse::calculate>(*sum);
        field->onEmptied = makeLink<&TZTMathParse::calculate>(*sum);
        field->onNoValue = makeLink<&TZTMathParse::calculate>(*sum);
    }
    SetFocus(box());
    type(box(), "3");
    EXPECT_EQ(shownSum.texts(), std::vector<std::string>{"3,0"});
    EXPECT_EQ(second.control->getControlText(), "");
    EXPECT_EQ(third.control->getControlText(), "");
}

TEST_F(Edit, ACommaIsTheDecimalPointAndASecondOneIsRefused) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), ",");  // a comma alone waits as a point would
    EXPECT_EQ(shown(), ".");
    type(box(), "5,2");
    EXPECT_EQ(shown(), ".52");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"0.5", "0.52"}));
    SendMessageW(box(), EM_SETSEL, 0, -1);
    SendMessageW(box(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"80,5"));  // a paste
    EXPECT_EQ(shown(), "80.5");
    EXPECT_EQ(changes.texts().back(), "80.5");
}

TEST_F(Edit, ARefusedChangeRestoresTheTextAndTheSelectionBeforeIt) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), "12");
    SendMessageW(box(), EM_SETSEL, 1, 1);  // the caret between the digits
    type(box(), "x5");
    EXPECT_EQ(shown(), "152");
    SendMessageW(box(), EM_SETSEL, 0, -1);
    type(box(), " 8");  // a leading blank is refused; the text stays selected for the 8
    EXPECT_EQ(shown(), "8");
    SendMessageW(box(), EM_SETSEL, 0, -1);
    testsupport::paste(box(), L"8 5,3");  // no number, nor the beginning of one
    type(box(), "85,3");
    EXPECT_EQ(shown(), "85.3");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"1", "12", "152", "8", "8", "85", "85", "85.3"}));
}

TEST_F(Edit, APastedNumberLosesTheBlanksAroundIt) {
    makeEdit(&TZTEdit::numericReader);
    testsupport::paste(box(), L"  85,3 \t\r\n");
    EXPECT_EQ(shown(), "85.3");
    testsupport::paste(box(), L" \t");  // blanks alone: nothing pasted
    EXPECT_EQ(shown(), "85.3");
    SendMessageW(box(), EM_SETSEL, 0, -1);
    testsupport::paste(box(), L"\u00A01.5e3 ");  // a no-break space, as office programs copy
    EXPECT_EQ(shown(), "1.5e3");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"85.3", "1500"}));
}

// Numbers as spreadsheets and documents write them: digit groups after blanks or
// no-break spaces, the minus sign; typed as well as pasted. A paste that still is no
// number is told, and the field keeps its text and caret.
TEST_F(Edit, NumbersAsDocumentsWriteThem) {
    Sink refused;
    makeEdit(&TZTEdit::numericReader);
    edit->onPasteRefused = makeLink<&Sink::input>(refused);
    const auto pasteOver = [this](const std::wstring& text) {
        SendMessageW(box(), EM_SETSEL, 0, -1);
        testsupport::paste(box(), text);
    };
    pasteOver(L"1 000");
    pasteOver(L" 1\u00A0000,5\r\n");
    pasteOver(L"\u22124,5");
    pasteOver(L"12\u202F345");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"1000", "1000.5", "-4.5", "12345"}));
    pasteOver(L"4.5 мм/с");
    EXPECT_EQ(shown(),
              "12\xA0"
              "345");
    EXPECT_EQ(refused.texts(), std::vector<std::string>{"4.5 мм/с"});
    pasteOver(L"1 0000");  // a group of four digits is none
    EXPECT_EQ(refused.values.size(), 2u);
    SendMessageW(box(), EM_SETSEL, 0, -1);
    typeWide(box(), L"\u22121 000");  // typed: the minus sign, and a group that waits for its digits
    EXPECT_EQ(shown(), "-1 000");
    EXPECT_EQ(changes.texts().back(), "-1000");
    TData pasted;
    setString(pasted, "2,5");
    edit->doPaste(pasted, 0);              // a paste in place of the selection, as the user's
    EXPECT_EQ(refused.values.size(), 3u);  // "-1 0002,5": a group of four digits
    EXPECT_EQ(shown(), "-1 000");
}

// Where the field keeps the comma, it shows it as typed and reads it as the point.
TEST_F(Edit, ACommaStaysWhereTheFieldKeepsIt) {
    edit = new TZTEdit(form);
    edit->valueReader = &TZTEdit::numericReader;
    edit->keepsComma = true;
    edit->onChange = makeLink<&Sink::input>(changes);
    edit->init();
    SetFocus(box());
    type(box(), "4,5");
    EXPECT_EQ(shown(), "4,5");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"4", "4", "4.5"}));
    type(box(), ",");  // a second separator is refused as ever
    EXPECT_EQ(shown(), "4,5");
    TData text;
    edit->shownText(text, 0);
    EXPECT_EQ(text.strValue, "4,5");
}

TEST_F(Edit, UndoTakesBackTheUsersEditBehindTheFieldsOwnChanges) {
    Sink emptied;
    makeEdit(&TZTEdit::numericReader);
    edit->onEmptied = makeLink<&Sink::input>(emptied);
    const auto undo = [this] { type(box(), "\x1A"); };  // the character of Ctrl+Z
    type(box(), "50");
    SendMessageW(box(), EM_SETSEL, 0, -1);
    type(box(), "\b");
    EXPECT_EQ(shown(), "0");
    EXPECT_EQ(emptied.values.size(), 1u);
    undo();
    EXPECT_EQ(shown(), "50");
    EXPECT_EQ(changes.texts().back(), "50");  // and it is reported again
    SendMessageW(box(), EM_SETSEL, 2, 2);     // the undone text comes selected
    type(box(), ",");
    EXPECT_EQ(shown(), "50.");
    type(box(), "x");  // refused
    undo();
    EXPECT_EQ(shown(), "50");
}

TEST_F(Edit, NonAsciiLettersAreRefusedByTheNumericReaderAndKeptAsText) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), "12");
    typeWide(box(), L"аé");  // neither reads as a digit nor as the exponent
    EXPECT_EQ(shown(), "12");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"1", "12"}));
    delete edit;
    changes.values.clear();
    makeEdit(&TZTEdit::textReader);
    typeWide(box(), L"бё");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"б", "бё"}));
}

TEST_F(Edit, ExponentsAndBlanks) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), "1E5");
    EXPECT_EQ(changes.texts().back(), "100000");
    TData v;
    EXPECT_TRUE(isNumberText("1e5", v));
    EXPECT_EQ(v.realValue, 100000.0);
    EXPECT_TRUE(isNumberText("1.5e - 3", v));
    EXPECT_EQ(v.realValue, 0.0015);
    EXPECT_TRUE(isNumberText("2 ", v));
    EXPECT_TRUE(isNumberText("-.5", v));
    EXPECT_FALSE(isNumberText(" 2", v));
    EXPECT_FALSE(isNumberText("- 2", v));
    EXPECT_FALSE(isNumberText("1e5 ", v));
    EXPECT_FALSE(isNumberText("1E5", v));  // the reader lower-cases first
    EXPECT_FALSE(isNumberText(".", v));
    EXPECT_FALSE(isNumberText("", v));
    EXPECT_FALSE(isNumberText("1..2", v));
    // A megabyte of digits is a number beyond the double range: an infinity, which a
    // formula refuses as too large; a number nearer 0 than any double is not 0.
    EXPECT_TRUE(isNumberText(std::string(1 << 20, '9'), v));
    EXPECT_EQ(v.realValue, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(isNumberText("-1e999", v));
    EXPECT_EQ(v.realValue, -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(isNumberText("-1e-99999", v));
    EXPECT_EQ(v.realValue, -std::numeric_limits<double>::denorm_min());
    EXPECT_TRUE(isNumberText("0.000e-99999", v));
    EXPECT_EQ(v.realValue, 0.0);
}

TEST_F(Edit, ALonePointIsUnfinished) {
    makeEdit(&TZTEdit::numericReader);
    type(box(), ".");
    EXPECT_EQ(shown(), ".");
    EXPECT_TRUE(changes.values.empty());
    TData v;
    edit->value(v, 0);
    EXPECT_TRUE(isNull(v));
    type(box(), "5");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"0.5"}));
}

TEST_F(Edit, TheTextReaderReportsEveryChange) {
    makeEdit(&TZTEdit::textReader);
    type(box(), "ab");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"a", "ab"}));
    EXPECT_EQ(changes.values[0].dataType, dataStr);
    TData v;
    edit->value(v, 0);
    EXPECT_EQ(v.strValue, "ab");
}

TEST_F(Edit, DoTextShowsAValueKeepingTheCaret) {
    makeEdit(&TZTEdit::textReader);
    type(box(), "abc");
    SendMessageW(box(), EM_SETSEL, 1, 1);
    TData half;
    setReal(half, 0.5);
    edit->doText(half, 0);
    EXPECT_EQ(shown(), "0.5");
    DWORD start = 0;
    SendMessageW(box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 1u);
}

TEST_F(Edit, EnterFiresOnEnterKeyAndIsConsumed) {
    Sink entered, keys;
    makeEdit(&TZTEdit::numericReader);
    edit->onEnterKey = makeLink<&Sink::input>(entered);
    edit->onKeyDown = makeLink<&Sink::input>(keys);
    edit->clearOnEnter = true;
    type(box(), "42");
    pressKey(box(), VK_RETURN);
    ASSERT_EQ(entered.values.size(), 1u);
    EXPECT_EQ(toString(entered.values[0]), "42");
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(keys.values.size(), 2u);  // the digits' key-downs only
    edit->clearOnEnter = false;
    type(box(), "7");
    pressKey(box(), VK_RETURN);
    EXPECT_EQ(shown(), "7");
    edit->onEnterKey = {};  // unlinked: Enter is an ordinary key
    pressKey(box(), VK_RETURN);
    EXPECT_EQ(keys.values.back().intValue, VK_RETURN);
}

TEST_F(Edit, ACharacterBeforeAnyKeyDownIsSwallowed) {
    makeEdit(&TZTEdit::textReader);
    SendMessageW(box(), WM_CHAR, 'z', 1);
    EXPECT_EQ(shown(), "");
    type(box(), "y");
    EXPECT_EQ(shown(), "y");
}

TEST_F(Edit, WindowBaseMouseAndWheelEvents) {
    Sink downs, moves, ups, doubles, wheels;
    makeEdit(&TZTEdit::textReader);
    edit->onMouseDown = makeLink<&Sink::input>(downs);
    edit->onMouseMove = makeLink<&Sink::input>(moves);
    edit->onMouseUp = makeLink<&Sink::input>(ups);
    edit->onDblClick = makeLink<&Sink::input>(doubles);
    edit->onMouseWheel = makeLink<&Sink::input>(wheels);
    SendMessageW(box(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(3, 3));
    SendMessageW(box(), WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(4, 3));
    SendMessageW(box(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 3));
    SendMessageW(box(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(5, 3));
    SendMessageW(box(), WM_MBUTTONUP, 0, MAKELPARAM(5, 3));  // (the right one opens the context menu)
    SendMessageW(box(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 3));
    POINT screen{5, 3};  // the wheel message carries screen coordinates
    ClientToScreen(box(), &screen);
    SendMessageW(box(), WM_MOUSEWHEEL, MAKEWPARAM(MK_LBUTTON, static_cast<WORD>(-120)),
                 MAKELPARAM(screen.x, screen.y));
    ASSERT_EQ(downs.values.size(), 1u);
    EXPECT_EQ(downs.values[0].intValue, 0);
    EXPECT_EQ(moves.texts(), (std::vector<std::string>{"-1", "0", "1"}));  // -1: with Ctrl
    EXPECT_EQ(ups.texts(), (std::vector<std::string>{"2"}));               // the middle button
    EXPECT_EQ(doubles.texts(), (std::vector<std::string>{"0"}));           // the left one
    ASSERT_EQ(wheels.values.size(), 1u);
    EXPECT_EQ(wheels.values[0].intValue, -120);
    EXPECT_EQ(edit->lastMouse().x, 5);
    delete edit;  // before the sinks go
    edit = nullptr;
}

TEST_F(Edit, WindowBaseFocusKeyPreviewAndResizeLinks) {
    Sink entered, left, keys;
    makeEdit(&TZTEdit::textReader);
    edit->onEnter = makeLink<&Sink::input>(entered);
    edit->onExit = makeLink<&Sink::input>(left);
    edit->onKeyDown = makeLink<&Sink::input>(keys);
    SetFocus(form->handle());
    SetFocus(box());
    EXPECT_EQ(entered.values.size(), 1u);
    EXPECT_EQ(left.values.size(), 1u);
    // The form sees each key first, and a key it clears goes no further.
    form->setOnKeyDown([](TControl&, std::uint32_t& key, std::uint32_t) {
        if (key == 'Q') key = 0;
    });
    type(box(), "qw");
    EXPECT_EQ(keys.texts(), (std::vector<std::string>{std::to_string('W')}));
    struct Grow {
        void point(TData& data, std::uint16_t) { setInteger(data, 3); }
        using DataPoints = dataflow::TDataPoints<&Grow::point>;
    } grow;  // any change of height is answered with 3 pixels more
    edit->resizeHeight = makeDataLink<&Grow::point>(grow);
    const int height = edit->control->getHeight();
    edit->control->setHeight(height + 40);
    EXPECT_EQ(edit->control->getHeight(), height + 3);
    delete edit;  // before the sinks go
    edit = nullptr;
}

TEST_F(Edit, TabOrderAndBorders) {
    TZTEdit skipped(form), stop(form);
    skipped.tabOrder = -1;
    skipped.init();
    stop.tabOrder = 0;
    stop.edgeStyle = TZTWin::esSunken;
    stop.borderStyle = TZTWin::bsStatic;
    stop.init();
    EXPECT_FALSE(skipped.control->tabStop);
    EXPECT_TRUE(stop.control->tabStop);
    EXPECT_EQ(stop.control->exStyle(), static_cast<DWORD>(WS_EX_STATICEDGE));
    TZTEdit plain(form);
    plain.edgeStyle = TZTWin::esPlain;
    plain.borderStyle = TZTWin::bsStatic;  // no effect without the 3-D edge
    plain.init();
    EXPECT_EQ(plain.control->exStyle() & WS_EX_STATICEDGE, 0u);
    EXPECT_EQ(skipped.hintTool(), 0);  // no hint: no tooltip
    for (TZTWin::TBorderStyle border : {TZTWin::bsDialog, TZTWin::bsSunkenDialog}) {
        TZTEdit framed(form);
        framed.edgeStyle = TZTWin::esSunken;
        framed.borderStyle = border;
        framed.init();
        EXPECT_EQ(GetWindowLongW(framed.control->handle(), GWL_EXSTYLE) & 0x20201,
                  border == TZTWin::bsDialog ? WS_EX_DLGMODALFRAME : WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME);
    }
}

TEST_F(Edit, AlignmentAndLengthLimit) {
    for (TTextAlign align : {taRight, taCenter}) {
        TZTEdit aligned(form);
        aligned.textAlign = align;
        aligned.maxLength = 3;
        aligned.init();
        const LONG style = GetWindowLongW(aligned.control->handle(), GWL_STYLE);
        EXPECT_EQ(style & (ES_RIGHT | ES_CENTER), align == taRight ? ES_RIGHT : ES_CENTER);
        EXPECT_EQ(SendMessageW(aligned.control->handle(), EM_GETLIMITTEXT, 0, 0), 3);
    }
}

TEST_F(Edit, ATabOrderAboveZeroMakesTabMoveTheFocus) {
    TZTLabel first(form);               // its control exists from construction on
    first.control->navigationKeys = 0;  // as a control that keeps Tab for itself
    first.tabOrder = 1;
    first.init();
    TZTEdit second(form);
    second.tabOrder = 2;
    second.init();
    toolkit::installTabulation(*form);
    EXPECT_NE(first.control->navigationKeys & 1, 0u);
    SetFocus(first.control->handle());
    ASSERT_EQ(GetFocus(), first.control->handle());
    pressKey(first.control->handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), second.control->handle());
}

TEST_F(Edit, ParentFontIsCopiedEvenBeforeTheParentMadeOne) {
    ASSERT_FALSE(form->hasFont());
    TZTEdit copy(form);
    copy.parentFont = true;
    copy.font.fontName = "Courier New";  // not used: the parent's font is
    copy.font.fontSize = 12;
    copy.init();
    EXPECT_STREQ(copy.control->font().logFont().lfFaceName, form->font().logFont().lfFaceName);
    EXPECT_EQ(copy.control->font().logFont().lfHeight, form->font().logFont().lfHeight);
    EXPECT_EQ(copy.control->font().color(), form->font().color());
}
