// Buffered painting of a form with a transparent label, checked by its pixels.
#include <string>

#include "tests/support/WindowTest.h"
#include "toolkit/drawing/TBitmap.h"
#include "toolkit/drawing/TCanvas.h"
#include "toolkit/window/BufferedPainting.h"

using namespace toolkit;
using testsupport::pumpMessages;
using testsupport::WindowTest;

namespace {

constexpr COLORREF formColour = RGB(0, 0, 200);
constexpr COLORREF labelColour = RGB(255, 255, 255);

struct Scene {
    TControl* form;
    TControl* label;
};

// A shown form of formColour with a transparent label whose own colour is white.
Scene transparentLabelScene() {
    TControl* form = TControl::newForm(nullptr, "Form");
    form->setColor(formColour);
    TControl* label = TControl::newLabel(form, "MMMM");
    label->setColor(labelColour);
    label->setBoundsRect(RECT{10, 10, 110, 40});
    label->setTransparent(true);
    form->show();
    form->getWindowHandle();
    form->setClientSize(200, 100);
    form->createWindow();
    UpdateWindow(form->handle());
    pumpMessages();
    return {form, label};
}

// How many pixels of the rectangle have the colour.
int count(HDC dc, RECT r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
    return n;
}

}  // namespace

using BufferedPainting = WindowTest;

TEST_F(BufferedPainting, ATransparentLabelMakesItsFormDoubleBuffered) {
    Scene s = transparentLabelScene();
    EXPECT_TRUE(s.form->doubleBuffered());
    EXPECT_EQ(bufferedAncestor(s.label), s.form);
    EXPECT_EQ(bufferedAncestor(s.form), s.form);
    s.form->free();
}

TEST_F(BufferedPainting, TheLabelShowsTheFormsColourAroundItsText) {
    Scene s = transparentLabelScene();
    // A buffered paint of the form; its off-screen picture is what reached the screen.
    InvalidateRect(s.form->handle(), nullptr, TRUE);
    bufferedPaint(*s.form);
    ASSERT_NE(s.form->bufferBitmap, nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, s.form->bufferBitmap);
    const RECT labelArea{10, 10, 110, 40};
    const int area = 100 * 30;
    const int background = count(dc, labelArea, formColour);
    EXPECT_EQ(count(dc, labelArea, labelColour), 0);  // never the label's own background
    EXPECT_GT(background, area / 2);                  // the form's colour around the text
    EXPECT_LT(background, area);                      // and the text on it
    EXPECT_EQ(GetPixel(dc, 150, 80), formColour);
    SelectObject(dc, old);
    DeleteDC(dc);
    s.form->free();
}

TEST_F(BufferedPainting, TheScreenNeverShowsABlankBackgroundOnATextChange) {
    Scene s = transparentLabelScene();
    const HDC screen = GetDC(s.form->handle());
    const RECT besideText{90, 12, 108, 38};  // inside the label, right of "MMMM"
    for (const char* text : {"W", "MMMMMM", "1.5"}) {
        s.label->setControlText(text);
        pumpMessages();
        EXPECT_EQ(count(screen, besideText, labelColour), 0) << text;
        EXPECT_EQ(count(screen, besideText, RGB(255, 255, 255)), 0) << text;
        EXPECT_EQ(GetPixel(screen, 100, 20), formColour) << text;
    }
    ReleaseDC(s.form->handle(), screen);
    // A hidden label takes a new text and stays hidden.
    s.label->setVisible(false);
    s.label->setControlText("hidden");
    EXPECT_FALSE(IsWindowVisible(s.label->handle()));
    EXPECT_EQ(s.label->getControlText(), "hidden");
    s.form->free();
}

// The standard controls clip their painting to their client rectangle in device
// coordinates: each child must be painted where its own coordinates are the device's.
TEST_F(BufferedPainting, ChildrenPaintAtTheirPlacesTheUpperOneLast) {
    Scene s = transparentLabelScene();
    TControl* lower = TControl::newLabel(s.form, "");
    lower->setColor(RGB(200, 0, 0));
    lower->setBoundsRect(RECT{10, 50, 110, 90});
    TControl* upper = TControl::newLabel(s.form, "WWWW");
    upper->setColor(RGB(0, 200, 0));
    upper->setBoundsRect(RECT{60, 50, 160, 90});
    s.form->createWindow();
    SetWindowPos(upper->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    InvalidateRect(s.form->handle(), nullptr, TRUE);
    bufferedPaint(*s.form);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, s.form->bufferBitmap);
    EXPECT_EQ(GetPixel(dc, 30, 85), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(dc, 100, 85), RGB(0, 200, 0));  // where they overlap, the upper one
    const RECT upperArea{60, 50, 160, 90};
    EXPECT_GT(100 * 40 - count(dc, upperArea, RGB(0, 200, 0)), 20);  // its text is there
    SelectObject(dc, old);
    DeleteDC(dc);
    s.form->free();
}

TEST_F(BufferedPainting, TheBufferIsReusedWithinThirtyTwoPixels) {
    Scene s = transparentLabelScene();
    ASSERT_NE(s.form->bufferBitmap, nullptr);
    const HBITMAP first = s.form->bufferBitmap;
    EXPECT_EQ(s.form->bufferWidth, 200);
    EXPECT_EQ(s.form->bufferHeight, 100);
    const auto repaintAt = [&](int width, int height) {
        s.form->setClientSize(width, height);
        InvalidateRect(s.form->handle(), nullptr, TRUE);
        UpdateWindow(s.form->handle());
    };

    repaintAt(180, 80);  // 20 smaller: the buffer still fits
    EXPECT_EQ(s.form->bufferBitmap, first);
    repaintAt(190, 90);  // then 10 larger: still inside the kept buffer
    EXPECT_EQ(s.form->bufferBitmap, first);
    EXPECT_EQ(s.form->bufferWidth, 200);

    repaintAt(150, 50);  // 40 smaller than that: a new, smaller buffer
    EXPECT_EQ(s.form->bufferWidth, 150);
    EXPECT_EQ(s.form->bufferHeight, 50);

    repaintAt(160, 60);  // larger than the buffer: renewed at the new size
    EXPECT_EQ(s.form->bufferWidth, 160);
    EXPECT_EQ(GetObjectType(first), 0u);  // replaced buffers are deleted
    repaintAt(128, 60);                   // one side at a time: 32 narrower still fits,
    EXPECT_EQ(s.form->bufferWidth, 160);
    repaintAt(127, 60);  // 33 does not
    EXPECT_EQ(s.form->bufferWidth, 127);
    repaintAt(127, 28);
    EXPECT_EQ(s.form->bufferHeight, 60);
    repaintAt(127, 27);
    EXPECT_EQ(s.form->bufferHeight, 27);
    const HBITMAP last = s.form->bufferBitmap;
    const HBRUSH background = s.form->backgroundBrush();
    s.form->free();
    EXPECT_EQ(GetObjectType(last), 0u);  // and the last one with its form
    EXPECT_EQ(GetObjectType(background), 0u);
}

TEST_F(BufferedPainting, AControlThatPaintsItselfIsCutOutOfTheCopy) {
    Scene s = transparentLabelScene();
    TControl* panel = TControl::newControl(s.form, "STATIC", WS_CHILD | WS_VISIBLE, false, {});
    panel->setBoundsRect(RECT{100, 40, 190, 95});
    TControl* own = TControl::newLabel(panel, "");  // inside a child that does not
    own->paintsItself = true;
    own->setBoundsRect(RECT{20, 10, 60, 50});
    s.form->createWindow();
    UpdateWindow(s.form->handle());
    pumpMessages();
    // The control draws itself; a buffered paint of the form must not cover that.
    HDC ownDC = GetDC(own->handle());
    const RECT all{0, 0, 40, 40};
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    FillRect(ownDC, &all, green);
    DeleteObject(green);
    ReleaseDC(own->handle(), ownDC);
    ValidateRect(own->handle(), nullptr);
    InvalidateRect(s.form->handle(), nullptr, FALSE);
    bufferedPaint(*s.form);
    HDC screen = GetDC(s.form->handle());
    EXPECT_EQ(GetPixel(screen, 140, 70), RGB(0, 160, 0));
    EXPECT_EQ(GetPixel(screen, 180, 90), formColour);
    ReleaseDC(s.form->handle(), screen);
    s.form->free();
}

namespace {
HWND foreignChild = nullptr;
bool createForeignChild(void*, TControl& control, TMsg& msg) {
    if (msg.message == WM_CREATE)
        foreignChild = CreateWindowExW(0, L"STATIC", L"foreign", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20,
                                       msg.hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    (void)control;
    return false;
}
}  // namespace

TEST_F(BufferedPainting, ForeignChildWindowsAreSubclassed) {
    Scene s = transparentLabelScene();  // installs the hooks
    TControl* host = TControl::newControl(s.form, "STATIC", WS_CHILD | WS_VISIBLE, false, {});
    host->attachProc(TMessageHandler{createForeignChild, nullptr});
    foreignChild = nullptr;
    host->getWindowHandle();
    ASSERT_NE(foreignChild, nullptr);
    EXPECT_NE(GetPropW(foreignChild, L"PREV_PROC"), nullptr);
    EXPECT_NE(GetWindowLongPtrW(foreignChild, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(GetPropW(foreignChild, L"PREV_PROC")));
    // Outside a buffered paint it does not erase itself; its text still works.
    HDC dc = GetDC(foreignChild);
    EXPECT_EQ(SendMessageW(foreignChild, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(foreignChild, dc);
    SetWindowTextW(foreignChild, L"текст");
    wchar_t text[16] = {};
    GetWindowTextW(foreignChild, text, 16);
    EXPECT_EQ(std::wstring(text), L"текст");
    s.form->free();
}

TEST_F(BufferedPainting, ColourMessagesOfATransparentLabelGiveTheNullBrush) {
    Scene s = transparentLabelScene();
    HDC dc = GetDC(s.form->handle());
    const LRESULT brush = SendMessageW(s.form->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(s.label->handle()));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(s.form->handle(), dc);
    s.form->free();
}

TEST_F(BufferedPainting, OutsideTheBufferChildrenNeitherEraseNorPaintTheirFrames) {
    Scene s = transparentLabelScene();
    std::string seen;
    s.label->onMessage = [&seen](TMsg& msg) {
        if (msg.message == WM_NCPAINT) seen += "frame ";
        if (msg.message == WM_ERASEBKGND) seen += "erase ";
        return false;
    };
    SendMessageW(s.label->handle(), WM_NCPAINT, 1, 0);
    s.form->bufferPainting = true;  // a transparent control never erases, not even then
    const HDC dc = GetDC(s.label->handle());
    SendMessageW(s.label->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(s.label->handle(), dc);
    s.form->bufferPainting = false;
    EXPECT_EQ(seen, "");
    s.label->onMessage = nullptr;
    s.form->free();
}
