// Alignment, navigation and input events on real windows.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/WindowTest.h"
#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/window/Alignment.h"
#include "toolkit/window/Navigation.h"

using namespace toolkit;
using testsupport::pumpMessages;
using testsupport::WindowTest;

namespace {

::testing::AssertionResult boundsAre(TControl* c, int left, int top, int right, int bottom) {
    const RECT r = c->getBoundsRect();
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

// A form whose client area is exactly 200 x 200.
TControl* squareForm() {
    TControl* form = TControl::newForm(nullptr, "Form");
    form->show();
    form->getWindowHandle();
    form->setClientSize(200, 200);
    return form;
}

// Puts the cursor at a client point of the window. Under an X server the position also
// comes back in motion events that the program handles a little later, an old one
// possibly after the new position was set: the cursor counts as placed once it has read
// back right several times in a row, the position being set again whenever it has not.
// False when it never settles (the point is off the screen, or five seconds pass).
bool placeCursor(HWND window, POINT at) {
    ClientToScreen(window, &at);
    int settled = 0;
    for (int i = 0; i < 500 && settled < 5; ++i) {
        POINT now{};
        if (GetCursorPos(&now) && now.x == at.x && now.y == at.y) {
            ++settled;
        } else {
            settled = 0;
            SetCursorPos(at.x, at.y);
        }
        pumpMessages();
        Sleep(10);
    }
    return settled == 5;
}

void pressKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

}  // namespace

using Layout = WindowTest;

TEST_F(Layout, ClientSizeIsWhatItSays) {
    TControl* form = squareForm();
    RECT client;
    GetClientRect(form->handle(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 200);
    form->clientTop = 10;
    form->clientRight = 5;
    const RECT inner = form->clientRect();
    EXPECT_EQ(inner.top, 10);
    EXPECT_EQ(inner.right, 195);
    form->free();
}

TEST_F(Layout, TopChildrenStackAndAClientChildFillsTheRest) {
    TControl* form = squareForm();
    TControl* first = TControl::newLabel(form, "1");
    TControl* second = TControl::newLabel(form, "2");
    TControl* rest = TControl::newLabel(form, "3");
    first->setHeight(20);
    second->setHeight(20);
    rest->setAlign(alClient);
    first->setAlign(alTop);
    second->setAlign(alTop);
    form->createWindow();
    realign(form);
    EXPECT_TRUE(boundsAre(first, 2, 2, 198, 22));
    EXPECT_TRUE(boundsAre(second, 2, 24, 198, 44));
    EXPECT_TRUE(boundsAre(rest, 2, 46, 198, 198));

    second->setVisible(false);  // skipped, and leaves no gap
    EXPECT_TRUE(boundsAre(rest, 2, 24, 198, 198));
    form->free();
}

TEST_F(Layout, LeftRightAndBottomAndClamping) {
    TControl* form = squareForm();
    TControl* bottom = TControl::newLabel(form, "b");
    TControl* left = TControl::newLabel(form, "l");
    TControl* right = TControl::newLabel(form, "r");
    bottom->setHeight(30);
    left->setWidth(150);
    right->setWidth(150);
    bottom->setAlign(alBottom);
    left->setAlign(alLeft);
    right->setAlign(alRight);
    form->createWindow();
    realign(form);
    EXPECT_TRUE(boundsAre(bottom, 2, 168, 198, 198));
    EXPECT_TRUE(boundsAre(left, 2, 2, 152, 166));
    form->free();
    // Where the system gives no window (the layout then works on the bounds alone), what
    // is left for a client child is narrower than nothing: it gets no negative width.
    TControl* windowless = makeForm();
    windowless->attachProc(TMessageHandler{[](void*, TControl&, TMsg& msg) {
                                               if (msg.message != WM_NCCREATE) return false;
                                               msg.result = FALSE;
                                               return true;
                                           },
                                           nullptr});
    windowless->setBoundsRect(RECT{0, 0, 200, 200});
    TControl* wide = TControl::newLabel(windowless, "w");
    TControl* rest = TControl::newLabel(windowless, "c");
    wide->setWidth(250);
    wide->setAlign(alLeft);
    rest->setAlign(alClient);
    EXPECT_EQ(rest->handle(), nullptr);
    const RECT r = rest->getBoundsRect();
    EXPECT_EQ(r.right, r.left);
}

TEST_F(Layout, TabMovesAmongTabStopsWrappingAndShiftGoesBack) {
    TControl* form = makeForm();
    TControl* a = TControl::newEditbox(form, 0);
    TControl* b = TControl::newEditbox(form, 0);
    TControl* c = TControl::newEditbox(form, 0);
    TControl* label = TControl::newLabel(form, "not a tab stop");
    installTabulation(*a);
    a->setTabOrder(1);
    b->setTabOrder(2);
    c->setTabOrder(3);
    form->show();
    form->getWindowHandle();
    EXPECT_EQ(tabCandidates(*form), (std::vector<TControl*>{a, b, c}));
    (void)label;

    SetFocus(c->handle());
    form->currentControl = c;
    for (const int held : {VK_CONTROL, VK_MENU}) {  // Ctrl+Tab and Alt+Tab are the class's
        pressKeys({held});
        SendMessageW(c->handle(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(GetFocus(), c->handle()) << held;
    }
    pressKeys({});
    SendMessageW(c->handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), a->handle());
    EXPECT_EQ(form->currentControl, a);

    SetFocus(c->handle());
    form->currentControl = c;
    b->setControlText("12");
    SendMessageW(b->handle(), EM_SETSEL, 2, 2);
    pressKeys({VK_SHIFT});
    SendMessageW(c->handle(), WM_KEYDOWN, VK_TAB, 0);
    pressKeys({});
    EXPECT_EQ(GetFocus(), b->handle());
    DWORD start = 9, end = 9;  // the box Tab moved into has its text selected
    SendMessageW(b->handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);

    // In a single-line edit the right arrow stays, the down arrow moves on.
    SendMessageW(b->handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(GetFocus(), b->handle());
    SendMessageW(b->handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(GetFocus(), c->handle());
}

TEST_F(Layout, MouseRecordsCarryButtonsPositionAltAndWheel) {
    TControl* form = squareForm();
    std::vector<TMouseEventData> downs, doubles, wheels;
    form->setOnMouseDown([&](TControl&, TMouseEventData& m) { downs.push_back(m); });
    form->setOnMouseDblClk([&](TControl&, TMouseEventData& m) {
        doubles.push_back(m);
        m.stopHandling = true;
    });
    form->setOnMouseWheel([&](TControl&, TMouseEventData& m) { wheels.push_back(m); });
    SendMessageW(form->handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 20));
    pressKeys({VK_MENU});
    SendMessageW(form->handle(), WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(-3, 7));
    pressKeys({});
    POINT screen{7, 9};  // the wheel's position comes in screen coordinates
    ClientToScreen(form->handle(), &screen);
    SendMessageW(form->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(screen.x, screen.y));
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, 1);
    EXPECT_EQ(downs[0].shift, static_cast<std::uint32_t>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(downs[0].x, 10);
    EXPECT_EQ(downs[0].y, 20);
    ASSERT_EQ(doubles.size(), 1u);
    EXPECT_EQ(doubles[0].button, 2);
    EXPECT_EQ(doubles[0].shift, static_cast<std::uint32_t>(MK_RBUTTON | 32));
    EXPECT_EQ(doubles[0].x, -3);
    ASSERT_EQ(wheels.size(), 1u);
    EXPECT_EQ(wheels[0].button, 0);
    EXPECT_EQ(static_cast<std::int16_t>(HIWORD(wheels[0].shift)), 120);  // the wheel delta
    EXPECT_EQ(wheels[0].x, 7);                                           // in the record, client coordinates
    EXPECT_EQ(wheels[0].y, 9);
    form->free();
}

TEST_F(Layout, AClickOnAChildDoesNotReachTheParentsMouseHandler) {
    TControl* form = squareForm();
    TControl* label = TControl::newLabel(form, "child");
    int parentDowns = 0;
    form->setOnMouseDown([&](TControl&, TMouseEventData&) { ++parentDowns; });
    form->createWindow();
    SendMessageW(label->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    EXPECT_EQ(parentDowns, 0);
    form->free();
}

TEST_F(Layout, MouseEnterAndLeave) {
    TControl* form = squareForm();
    std::string log;
    bool inside = false;  // the hit test decides, not the real cursor
    form->mouseHitTest = [&inside](TControl&) { return inside; };
    form->setOnMouseEnter([&](TControl&) { log += "enter "; });
    form->setOnMouseLeave([&](TControl&) { log += "leave "; });
    ASSERT_TRUE(placeCursor(form->handle(), POINT{100, 100}));  // the system tracks the leaving
    const auto move = [&] { SendMessageW(form->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100)); };
    move();
    EXPECT_EQ(log, "");
    inside = true;
    move();
    EXPECT_TRUE(form->mouseInside());
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};  // the system will tell when it leaves
    TrackMouseEvent(&query);
    EXPECT_EQ(query.hwndTrack, form->handle());
    EXPECT_NE(query.dwFlags & TME_LEAVE, 0u);
    move();  // still inside: no second enter
    inside = false;
    move();
    EXPECT_FALSE(form->mouseInside());
    inside = true;
    move();
    SendMessageW(form->handle(), WM_MOUSELEAVE, 0, 0);  // the system's leave notice
    EXPECT_FALSE(form->mouseInside());
    SendMessageW(form->handle(), WM_MOUSELEAVE, 0, 0);  // nothing more to leave
    EXPECT_EQ(log, "enter leave enter leave ");
    // Without a hit test: the right and bottom edges are outside the client area.
    form->mouseHitTest = nullptr;
    const RECT client = form->clientRect();
    for (const POINT edge : {POINT{client.right, 50}, POINT{50, client.bottom}}) {
        ASSERT_TRUE(placeCursor(form->handle(), edge));
        move();
        EXPECT_FALSE(form->mouseInside());
    }
    ASSERT_TRUE(placeCursor(form->handle(), POINT{client.right - 1, client.bottom - 1}));
    move();
    EXPECT_TRUE(form->mouseInside());
    form->free();
}

TEST_F(Layout, ResizeShowAndHideEvents) {
    TControl* form = squareForm();
    TControl* label = TControl::newLabel(form, "x");
    form->createWindow();
    std::string log;
    label->setOnResize([&](TControl&) { log += "resize "; });
    label->setOnShow([&](TControl&) { log += "show "; });
    label->setOnHide([&](TControl&) { log += "hide "; });
    label->setWidth(30);
    label->setVisible(false);
    label->setVisible(true);
    EXPECT_EQ(log, "resize hide show ");
    form->free();
}

TEST_F(Layout, AutoSizeAddsTheClassAllowances) {
    TControl* form = squareForm();
    TControl* label = TControl::newLabel(form, "Введите виброускорение в дБ ");
    form->createWindow();
    label->setAutoSize(true);
    HDC dc = GetDC(label->handle());
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label->handle(), WM_GETFONT, 0, 0)));
    SIZE text;
    GetTextExtentPoint32W(dc, L"Введите виброускорение в дБ ", 28, &text);
    ReleaseDC(label->handle(), dc);
    EXPECT_EQ(label->getWidth(), text.cx + 1 + 1);  // and 1 for the ink, without a font of its own
    EXPECT_EQ(label->getHeight(), text.cy + 1);
    // The measuring gives the window's context back: kept by every label of a large
    // form, the system's cache of common contexts runs out.
    EXPECT_EQ(label->canvas().currentDC(), nullptr);
    label->setControlText("Виброскорость");
    EXPECT_EQ(label->canvas().currentDC(), nullptr);
    label->setControlText("");
    EXPECT_EQ(label->getWidth(), 1);
    form->free();
}

TEST_F(Layout, ResizingAFormRealignsItsChildren) {
    TControl* form = squareForm();
    TControl* panel = TControl::newLabel(form, "panel");
    panel->setAlign(alClient);
    form->createWindow();
    realign(form);
    EXPECT_TRUE(boundsAre(panel, 2, 2, 198, 198));
    form->setClientSize(300, 100);
    EXPECT_TRUE(boundsAre(panel, 2, 2, 298, 98));
    form->free();
}

// Moved to a monitor of 144 DPI: the form takes the suggested rectangle, each control the
// same bounds at 96 DPI and a font made for the new scale.
TEST_F(Layout, ADpiChangeLaysTheFormOutAgain) {
    TControl* form = squareForm();
    form->font().setFontHeight(-11);
    TControl* edit = TControl::newEditbox(form, 0);
    edit->setBoundsRect(RECT{10, 10, 110, 32});
    form->createWindow();
    EXPECT_EQ(edit->font().logFont().lfHeight, -11);
    const RECT suggested{100, 80, 460, 420};
    SendMessageW(form->handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT window;
    GetWindowRect(form->handle(), &window);
    EXPECT_TRUE(EqualRect(&window, &suggested));
    EXPECT_EQ(form->dpi(), 144);
    RECT device;
    GetWindowRect(edit->handle(), &device);
    MapWindowPoints(nullptr, form->handle(), reinterpret_cast<POINT*>(&device), 2);
    EXPECT_EQ(device.left, 15);
    EXPECT_EQ(device.top, 15);
    EXPECT_EQ(device.right, 165);
    EXPECT_EQ(device.bottom, 48);
    EXPECT_TRUE(boundsAre(edit, 10, 10, 110, 32));  // the schema's numbers stay
    EXPECT_EQ(edit->font().logFont().lfHeight, -17);
    form->setClientSize(200, 100);  // in the schema's units, so 300 x 150 pixels
    RECT client;
    GetClientRect(form->handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 150);
    form->free();
}
