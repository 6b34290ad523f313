// The label and the memo on real windows.
#include <algorithm>
#include <string>
#include <vector>

#include "components/visual/TZTEdit.h"
#include "components/visual/TZTLabel.h"
#include "components/visual/TZTMemo.h"
#include "dataflow/EventDispatch.h"
#include "tests/components/visual/FormTest.h"
#include "tests/support/Sink.h"
#include "toolkit/drawing/TCanvas.h"
#include "toolkit/drawing/TGraphicTool.h"

using namespace components;
using namespace dataflow;
using testsupport::Sink;
using testsupport::WindowTest;

namespace {

struct Text {
    std::string text;
    void point(TData& data, std::uint16_t) { setString(data, text); }
    using DataPoints = dataflow::TDataPoints<&Text::point>;
};

using Components = testsupport::FormTest;

// How many pixels of a window differ from its background colour, as it paints itself.
int inkPixels(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    const HDC screen = GetDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP picture = CreateCompatibleBitmap(screen, r.right, r.bottom);
    const HGDIOBJ old = SelectObject(memory, picture);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF background = GetPixel(memory, r.right - 1, r.bottom - 1);
    int ink = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) ink += GetPixel(memory, x, y) != background;
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return ink;
}

}  // namespace

TEST_F(Components, LabelShowsItsCaptionAndReportsClicks) {
    TZTLabel label(form);
    Sink clicks;
    label.caption = "Введите виброускорение в дБ ";
    label.onClick = makeLink<&Sink::input>(clicks);
    label.font.fontName = "MS Sans Serif";
    label.font.fontSize = 8;
    label.font.fontCharset = 1;
    label.init();
    label.setAutoSize(true);
    EXPECT_EQ(label.control->getControlText(), "Введите виброускорение в дБ ");
    const SIZE text = label.control->canvas().textExtent(label.caption);
    // The text's width, the label's allowance of 1 and room for the ink: a sixth of the
    // font's height of 11, and 1.
    EXPECT_EQ(label.control->getWidth(), text.cx + 1 + 3);
    EXPECT_EQ(label.control->getHeight(), text.cy + 1);
    SendMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(label.control->controlId, STN_CLICKED),
                 reinterpret_cast<LPARAM>(label.control->handle()));
    EXPECT_EQ(clicks.values.size(), 1u);
    label.mouseCapture = true;  // the mouse is held from button-down to button-up
    SendMessageW(label.control->handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(GetCapture(), label.control->handle());
    SendMessageW(label.control->handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Components, LabelHoverColourAndUnderline) {
    TZTLabel plain(form), hover(form), colourOnly(form), underlineOnly(form);
    Sink entered;
    plain.onMouseEnter = makeLink<&Sink::input>(entered);
    plain.init();
    hover.hoverColor = colourOnly.hoverColor = 0x000000FF;
    hover.hoverUnderline = underlineOnly.hoverUnderline = true;
    hover.font.fontColor = 0x00123456;
    hover.onMouseEnter = makeLink<&Sink::input>(entered);
    for (TZTLabel* l : {&hover, &colourOnly, &underlineOnly}) l->init();
    bool inside = true;
    for (TZTLabel* l : {&plain, &hover, &colourOnly, &underlineOnly}) {
        l->control->mouseHitTest = [&inside](TControl&) { return inside; };
        SendMessageW(l->control->handle(), WM_MOUSEMOVE, 0, 0);
    }
    EXPECT_EQ(entered.values.size(), 1u);  // the plain label never hooks enter and leave
    EXPECT_EQ(hover.control->font().color(), 0x000000FFu);
    EXPECT_NE(hover.control->font().fontStyle() & toolkit::TGraphicTool::fsUnderline, 0);
    EXPECT_EQ(colourOnly.control->font().color(), 0x000000FFu);  // each alone reacts too
    EXPECT_NE(underlineOnly.control->font().fontStyle() & toolkit::TGraphicTool::fsUnderline, 0);
    inside = false;
    SendMessageW(hover.control->handle(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(hover.control->font().color(), 0x00123456u);  // the font property's colour
    EXPECT_EQ(hover.control->font().fontStyle() & toolkit::TGraphicTool::fsUnderline, 0);
}

TEST_F(Components, MemoAddsLinesAndClears) {
    TZTMemo memo(form);
    Sink changes;
    memo.onChange = makeLink<&Sink::input>(changes);
    memo.editable = true;
    memo.init();
    const HWND box = memo.control->handle();
    SetFocus(box);
    SendMessageW(box, WM_KEYDOWN, 'X', 1);
    SendMessageW(box, WM_CHAR, 'x', 1);
    EXPECT_EQ(changes.texts(), std::vector<std::string>{"x"});  // a typed change carries the text
    memo.control->setControlText("");
    changes.values.clear();
    TData message;
    setString(message, "msg");
    fireEvent(makeLink<&TZTMemo::doAdd>(memo), message);
    memo.selectAdded = true;
    fireEvent(makeLink<&TZTMemo::doAdd>(memo), message);
    EXPECT_EQ(memo.control->getControlText(), "msg\r\nmsg");
    DWORD start = 0, end = 0;  // the added line is selected
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 5u);
    EXPECT_EQ(end, 8u);
    TData text;
    memo.memoText(text, 0);
    EXPECT_EQ(text.strValue, "msg\r\nmsg");
    ASSERT_FALSE(changes.values.empty());
    EXPECT_TRUE(isNull(changes.values.back()));  // doAdd passes a null value on

    changes.values.clear();
    fireEventNull(makeLink<&TZTMemo::doClear>(memo));
    EXPECT_EQ(memo.control->getControlText(), "");
    ASSERT_FALSE(changes.values.empty());
    EXPECT_TRUE(isNull(changes.values.back()));
    changes.values.clear();
    fireEventNull(makeLink<&TZTMemo::doClear>(memo));  // an empty memo still reports
    ASSERT_FALSE(changes.values.empty());
    EXPECT_TRUE(isNull(changes.values.back()));
    memo.memoText(text, 0);
    EXPECT_EQ(text.strValue, "");
}

TEST_F(Components, MemoTakesItsLineFromTheTextSourceAndCanAddAtTop) {
    TZTMemo memo(form);
    Text source{"Введите число большее нуля!!! "};
    memo.textSource = makeDataLink<&Text::point>(source);
    memo.initialText = "first\r\n";
    memo.init();
    TData ignored;
    setString(ignored, "ignored");
    fireEvent(makeLink<&TZTMemo::doAdd>(memo), ignored);
    EXPECT_EQ(memo.control->getControlText(), "first\r\nВведите число большее нуля!!! ");

    TZTMemo top(form);
    top.addAtTop = true;
    top.selectAdded = true;
    top.initialText = "b";
    top.init();
    TData a;
    setString(a, "a");
    fireEvent(makeLink<&TZTMemo::doAdd>(top), a);
    EXPECT_EQ(top.control->getControlText(), "a\r\nb");
    TData text;
    top.memoText(text, 0);
    EXPECT_EQ(text.strValue, "a\r\nb");
    TData index, value;
    setInteger(index, 1);
    setString(value, "B");
    top.replaceLine(index, value);
    EXPECT_EQ(top.control->getControlText(), "a\r\nB");
}

TEST_F(Components, LabelTextPaintsWithEveryAlignment) {
    for (std::uint8_t code : {0, 1, 2, 3, 200}) {
        TZTLabel label(form);
        label.width = 150;
        label.height = 20;
        label.caption = "Text 123 ABC";
        label.setTextAlign(TTextAlign(code));
        label.init();
        EXPECT_GT(inkPixels(label.control->handle()), 50) << int(code);
        const DWORD type = label.control->style() & SS_TYPEMASK;
        EXPECT_EQ(type, code == 1   ? DWORD{SS_RIGHT}
                        : code == 2 ? DWORD{SS_CENTER}
                                    : DWORD{SS_LEFTNOWORDWRAP});
    }
    TZTEdit edit(form);  // edit fields take codes above 2 as left too
    edit.textAlign = TTextAlign(4);
    edit.init();
    EXPECT_EQ(edit.control->style() & (ES_RIGHT | ES_CENTER), 0u);
}

TEST_F(Components, MemoStylesFollowScrollBarsEditableAndEdge) {
    form->setCtl3D(false);  // as under the converter's form: children get a plain border
    for (int variant = 0; variant < 4; ++variant) {
        TZTMemo memo(form);
        memo.scrollBars = TZTMemo::TScrollBars(variant);
        memo.editable = variant % 2 == 0;
        memo.edgeStyle = variant < 2 ? TZTWin::esSunken : TZTWin::esPlain;
        memo.init();
        const DWORD style = static_cast<DWORD>(GetWindowLongW(memo.control->handle(), GWL_STYLE));
        EXPECT_EQ((style & WS_HSCROLL) != 0, (variant & 1) != 0) << variant;
        EXPECT_EQ((style & WS_VSCROLL) != 0, (variant & 2) != 0) << variant;
        EXPECT_EQ((style & ES_READONLY) != 0, !memo.editable) << variant;
        // The edit control draws a border itself: the toolkit's record tells what was asked.
        EXPECT_EQ((memo.control->style() & WS_BORDER) != 0, memo.edgeStyle == TZTWin::esPlain) << variant;
    }
}

TEST_F(Components, MemoLinesAreTheStringListsLines) {
    TZTMemo memo(form);
    memo.initialText = "a\rb\r\nc\r\n";  // a lone CR ends a line too
    memo.init();
    TData text;
    memo.memoText(text, 0);
    EXPECT_EQ(text.strValue, "a\r\nb\r\nc");
    TData index, value;
    setInteger(index, 1);
    setString(value, "B");
    memo.replaceLine(index, value);
    EXPECT_EQ(memo.control->getControlText(), "a\rB\r\nc\r\n");
    TData line;
    setString(line, "d");
    fireEvent(makeLink<&TZTMemo::doAdd>(memo), line);  // the text ends its last line already
    EXPECT_EQ(memo.control->getControlText(), "a\rB\r\nc\r\nd");
}

// A label sized to its text keeps its last letter whole, in the face asked for and in
// the one the system puts in place of a face it lacks: its ink, drawn wider, ends
// inside the size it took.
TEST_F(Components, ALabelSizedToItsTextHoldsAllOfItsInk) {
    for (const char* face : {"Tahoma", "Нет такого шрифта"}) {
        for (const char* text :
             {"Виброскорость, мм/с", "Виброперемещение, мкм", "СКЗ виброскорости, мм/с:"}) {
            TZTLabel label(form);
            label.place({0, 0, 0, 0}, toolkit::clSysButtonFace, fontOf(face, 9), TZTWin::esPlain);
            label.caption = text;
            label.setAutoSize(true);
            label.init();
            const int sized = label.control->getWidth();
            label.setAutoSize(false);
            label.control->setWidth(sized + 40);
            const HWND window = label.control->handle();
            RECT r;
            GetClientRect(window, &r);
            const HDC screen = GetDC(window);
            const HDC memory = CreateCompatibleDC(screen);
            const HBITMAP picture = CreateCompatibleBitmap(screen, r.right, r.bottom);
            const HGDIOBJ old = SelectObject(memory, picture);
            SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                         PRF_CLIENT | PRF_ERASEBKGND);
            const COLORREF background = GetPixel(memory, r.right - 1, 0);
            int inkEnd = 0;
            for (int y = 0; y < r.bottom; ++y)
                for (int x = 0; x < r.right; ++x)
                    if (GetPixel(memory, x, y) != background) inkEnd = std::max(inkEnd, x + 1);
            SelectObject(memory, old);
            DeleteObject(picture);
            DeleteDC(memory);
            ReleaseDC(window, screen);
            EXPECT_GT(inkEnd, sized / 2) << face << ": " << text;
            EXPECT_LE(inkEnd, sized) << face << ": " << text;
        }
    }
}
