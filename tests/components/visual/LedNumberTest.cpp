// The seven-segment display, read back pixel by pixel from what it paints.
#include <string>
#include <vector>

#include "components/visual/TZTLedNumber.h"
#include "dataflow/EventDispatch.h"
#include "tests/support/WindowTest.h"
#include "toolkit/drawing/TCanvas.h"

using namespace components;
using namespace dataflow;
using testsupport::WindowTest;

namespace {

constexpr COLORREF lit = 0x0000FF00;
constexpr COLORREF unlit = 0x00008000;
constexpr COLORREF back = 0x00000000;

// Where each segment of a cell at x can be seen: the middle of its stack of lines.
POINT segmentProbe(int segment, int x, int W, int H) {
    switch (segment) {
        case 1: return {x + W / 2, 0};
        case 2: return {x, H / 4};
        case 3: return {x, 3 * H / 4};
        case 4: return {x + W / 2, H - 1};
        case 5: return {x + W, 3 * H / 4};
        case 6: return {x + W, H / 4};
        default: return {x + W / 2, H / 2};
    }
}

class Led : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        enableEvents();
        form = TControl::newForm(nullptr, "Form");
        form->getWindowHandle();
    }
    void TearDown() override {
        delete led;
        freeObject(picture);
        form->free();
        disableEvents();
        WindowTest::TearDown();
    }
    void show(const std::string& text, int width, int height, TTextAlign align = taLeft,
              bool showUnlit = false) {
        led = new TZTLedNumber(form);
        led->width = width;
        led->height = height;
        led->litColor = lit;
        led->unlitColor = unlit;
        led->backColor = back;
        led->digitAlign = align;
        led->showUnlit = showUnlit;
        led->initialText = text;
        led->init();
        capture();
    }
    // What the display paints, through WM_PRINTCLIENT: a single copy of its buffer.
    void capture() {
        freeObject(picture);
        picture = toolkit::TBitmap::newDIBBitmap(led->control->getWidth(), led->control->getHeight(),
                                                 toolkit::pf32bit);
        SendMessageW(led->control->handle(), WM_PRINTCLIENT,
                     reinterpret_cast<WPARAM>(picture->canvas()->getDCHandle()), PRF_CLIENT);
        GdiFlush();
    }
    COLORREF at(POINT p) { return GetPixel(picture->canvas()->getDCHandle(), p.x, p.y); }
    // The lit segments of cell i as a string of segment numbers.
    std::string litIn(int x, int W, int H) {
        std::string segments;
        for (int s = 1; s <= 7; ++s)
            if (at(segmentProbe(s, x, W, H)) == lit) segments += static_cast<char>('0' + s);
        return segments;
    }

    TControl* form = nullptr;
    TZTLedNumber* led = nullptr;
    toolkit::TBitmap* picture = nullptr;
};

}  // namespace

TEST_F(Led, EveryDigitLightsItsSegmentsAtBothHeights) {
    const std::vector<std::pair<char, std::string>> expected = {
        {'0', "123456"}, {'1', "56"},     {'2', "13467"}, {'3', "14567"},   {'4', "2567"},
        {'5', "12457"},  {'6', "123457"}, {'7', "156"},   {'8', "1234567"}, {'9', "124567"},
        {'-', "7"},      {'_', "4"},      {'E', "12347"}, {'x', ""},        {' ', ""}};
    for (int H : {20, 40}) {
        const int W = H * 6 / 10;
        std::string text;
        for (const auto& e : expected) text += e.first;
        delete led;
        led = nullptr;
        show(text, static_cast<int>(text.size()) * (W + 3), H);
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(litIn(static_cast<int>(i) * (W + 3), W, H), expected[i].second)
                << "'" << expected[i].first << "' at height " << H;
    }
}

TEST_F(Led, SegmentsHaveBevelledEnds) {
    show("8", 40, 20);            // W = 12, t = 1, g = 1
    EXPECT_EQ(at({0, 0}), back);  // the top segment's first line starts at x + 1
    EXPECT_EQ(at({1, 0}), lit);
    EXPECT_EQ(at({10, 0}), lit);
    EXPECT_EQ(at({11, 0}), back);  // and ends before x + W - 1
    EXPECT_EQ(at({1, 1}), back);   // the second line is one shorter at each end
    EXPECT_EQ(at({2, 1}), lit);
    EXPECT_EQ(at({12, 0}), lit);   // the upper right column runs from row 0
    EXPECT_EQ(at({12, 10}), lit);  // the lower right column from row H / 2
    EXPECT_EQ(at({15, 5}), back);  // between cells
    EXPECT_EQ(at({0, 8}), lit);    // the upper left column ends above row H / 2 - 1,
    EXPECT_EQ(at({0, 9}), back);
    EXPECT_EQ(at({0, 10}), back);  // the lower left one starts below row H / 2
    EXPECT_EQ(at({0, 11}), lit);
    EXPECT_EQ(at({1, 10}), lit);  // the middle bar's lower stack starts at x + 1
}

TEST_F(Led, APaintWithAGivenContextDrawsIntoIt) {  // as a buffered parent paints it
    show("8", 40, 20);
    PatBlt(picture->canvas()->getDCHandle(), 0, 0, 40, 20, WHITENESS);
    SendMessageW(led->control->handle(), WM_PAINT, reinterpret_cast<WPARAM>(picture->canvas()->getDCHandle()),
                 0);
    GdiFlush();
    EXPECT_EQ(at({5, 0}), lit);
}

TEST_F(Led, ABorderedDisplayDrawsWholeCellsInItsClientArea) {
    led = new TZTLedNumber(form);
    led->width = 40;
    led->height = 20;
    led->edgeStyle = TZTWin::esSunken;  // a sunken edge of 2 pixels on each side: a client of 36 x 16
    led->litColor = lit;
    led->initialText = "8";
    led->init();
    capture();
    EXPECT_EQ(litIn(0, 16 * 6 / 10, 16), "1234567");
}

TEST_F(Led, PointCommaAndColonCells) {
    show("1.5:,", 100, 20);  // W = 12, pitch 15
    const int W = 12, H = 20, t = 1, g = 1;
    EXPECT_EQ(litIn(0, W, H), "56");
    EXPECT_EQ(at({15 + W - t, H - 2 * g}), lit);      // the point fills its own cell
    EXPECT_EQ(at({15 + W - 2 * t, H - 3 * g}), lit);  // from x + W - 2t
    EXPECT_EQ(at({15 + W - 2 * t - 1, H - 3 * g}), back);
    EXPECT_EQ(at({15 + W / 2, H / 2}), back);
    EXPECT_EQ(litIn(30, W, H), "12457");
    EXPECT_EQ(at({45 + W / 2, (H - g) / 4}), lit);                // upper colon dot
    EXPECT_EQ(at({45 + W / 2 + t / 2, H - H / 4 + g / 2}), lit);  // lower colon dot
    EXPECT_EQ(at({60 + W - t, H - 2 * g}), lit);                  // the comma draws as a point
    EXPECT_EQ(led->charCount(), 5);
}

TEST_F(Led, EmptyTextShowsTheBackgroundOnly) {
    show("", 60, 20, taLeft, true);
    for (int x = 0; x < 60; x += 3)
        for (int y = 0; y < 20; y += 3) ASSERT_EQ(at({x, y}), back) << x << "," << y;
}

TEST_F(Led, ShowUnlitDrawsEverySegmentOfEveryCell) {
    show("x1", 60, 20, taLeft, true);
    for (int s = 1; s <= 7; ++s) EXPECT_EQ(at(segmentProbe(s, 0, 12, 20)), unlit) << s;  // a letter's cell
    EXPECT_EQ(at(segmentProbe(2, 15, 12, 20)), unlit);
    EXPECT_EQ(at(segmentProbe(6, 15, 12, 20)), lit);
}

TEST_F(Led, AlignmentMovesTheCells) {
    show("1", 100, 20, taRight);  // right: offset = 100 - 15
    EXPECT_EQ(litIn(85, 12, 20), "56");
    delete led;
    led = nullptr;
    show("1", 100, 20, taCenter);  // centred: (100 - 15) / 2 = 42
    EXPECT_EQ(litIn(42, 12, 20), "56");
    EXPECT_EQ(at(segmentProbe(6, 0, 12, 20)), back);
}

TEST_F(Led, TheConvertersInitialRowOfBars) {
    std::string bars(19, '-');
    bars.push_back(' ');
    show(bars, 285, 20);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(litIn(i * 15, 12, 20), "7") << i;
}

TEST_F(Led, ANumberIsRoundedToTheWholeCellsThereAre) {
    const auto cellsLit = [this] {
        std::string cells;
        for (int i = 0; i < 19; ++i) cells += litIn(i * 15, 12, 20) + " ";
        for (int x = 19 * 15; x < 292; ++x)  // the room of a 20th cell, not whole
            for (int y = 0; y < 20; ++y)
                if (at({x, y}) != back) return cells + "and a cut cell";
        return cells;
    };
    show("0.0000011220184542462", 292, 20);  // the converter's result at 1 dB: ...845424|62
    EXPECT_TRUE(cellsLit().ends_with("1234567 2567 12457 2567 13467 12457 ")) << cellsLit();  // ...845425
    delete led;
    show("99999995029771300000000000000000000000000000", 292, 20);  // at 1000 dB
    std::string bars;
    for (int i = 0; i < 19; ++i) bars += "7 ";
    EXPECT_EQ(cellsLit(), bars);
    delete led;
    show("x" + std::string(19, '8'), 292, 20);  // not a number: cut, but to whole cells
    std::string eights = " ";
    for (int i = 1; i < 19; ++i) eights += "1234567 ";
    EXPECT_EQ(cellsLit(), eights);
}

TEST_F(Led, DoTextShowsAValuesTextOrTheTextSourcesAndClicksReport) {
    show("", 200, 20);
    TData value;
    setReal(value, 0.5);
    fireEvent(makeLink<&TZTLedNumber::doText>(*led), value);
    EXPECT_EQ(led->shownText(), "0.5");
    capture();
    EXPECT_EQ(litIn(0, 12, 20), "123456");
    EXPECT_EQ(litIn(30, 12, 20), "12457");
    struct Source {
        void point(TData& data, std::uint16_t) { setString(data, "7"); }
        using DataPoints = dataflow::TDataPoints<&Source::point>;
    } source;
    led->textSource = makeDataLink<&Source::point>(source);
    fireEvent(makeLink<&TZTLedNumber::doText>(*led), value);
    EXPECT_EQ(led->shownText(), "7");
    int clicks = 0;
    struct Counter {
        int* count;
        void input(TData&, std::uint16_t) { ++*count; }
    } counter{&clicks};
    led->onClick = makeLink<&Counter::input>(counter);
    SendMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(led->control->controlId, STN_CLICKED),
                 reinterpret_cast<LPARAM>(led->control->handle()));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Led, AResizeRedrawsAtTheNewHeight) {
    show("8", 40, 20);
    led->control->setSize(60, 30);
    capture();
    EXPECT_EQ(litIn(0, 18, 30), "1234567");
}

TEST_F(Led, HoverColoursSwitchWhileTheMouseIsOver) {
    show("8", 40, 20);
    led->hoverLitColor = 0x000000FF;  // not enabled: no switch
    bool over = true;
    led->control->mouseHitTest = [&over](TControl&) { return over; };
    SendMessageW(led->control->handle(), WM_MOUSEMOVE, 0, 0);
    capture();
    EXPECT_EQ(at({5, 0}), lit);
    delete led;
    led = new TZTLedNumber(form);
    led->width = 40;
    led->height = 20;
    led->litColor = lit;
    led->hoverEnabled = true;
    led->hoverLitColor = 0x000000FF;
    led->hoverBackColor = 0x00404040;
    led->initialText = "8";
    led->init();
    bool inside = true;
    led->control->mouseHitTest = [&inside](TControl&) { return inside; };
    SendMessageW(led->control->handle(), WM_MOUSEMOVE, 0, 0);
    capture();
    EXPECT_EQ(at({5, 0}), 0x000000FFu);
    EXPECT_EQ(at({5, 5}), 0x00404040u);
    inside = false;
    SendMessageW(led->control->handle(), WM_MOUSEMOVE, 0, 0);
    capture();
    EXPECT_EQ(at({5, 0}), lit);
    EXPECT_EQ(at({5, 5}), back);  // the normal background again
}

// The display's own part goes first and the base hides and frees the control after it:
// a message that arrives then must pass the display by (the static paints itself)
// instead of reaching a hook that draws from the freed buffer.
TEST_F(Led, MessagesDuringTeardownPassTheDisplayBy) {
    struct Teardown {
        HWND window = nullptr;
        HDC picture = nullptr;
        bool ran = false;
        void hidden(TData&, std::uint16_t) {
            ran = true;
            SendMessageW(window, WM_SIZE, 0, MAKELPARAM(30, 10));
            SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture), PRF_CLIENT);
        }
    } teardown;
    form->show();  // a hidden form's display never becomes hidden itself
    show("8", 40, 20);
    teardown.window = led->control->handle();
    teardown.picture = picture->canvas()->getDCHandle();
    led->onHide = makeLink<&Teardown::hidden>(teardown);
    PatBlt(teardown.picture, 0, 0, 40, 20, BLACKNESS);
    delete led;
    led = nullptr;
    GdiFlush();
    EXPECT_TRUE(teardown.ran);
    EXPECT_EQ(at({39, 19}), toolkit::resolveColor(form->color()));
}
