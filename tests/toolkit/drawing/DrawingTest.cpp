// Drawing checked by its pixels: tools, canvas operations, bitmaps and the control's
// paint handler.
#include <string>

#include "tests/support/WindowTest.h"
#include "toolkit/drawing/TBitmap.h"
#include "toolkit/drawing/TCanvas.h"
#include "toolkit/drawing/TGraphicTool.h"

using namespace toolkit;
using testsupport::WindowTest;

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

// A white 32-bit picture to draw on.
TBitmap* whiteBitmap(int width, int height) {
    TBitmap* bitmap = TBitmap::newDIBBitmap(width, height, pf32bit);
    const RECT all{0, 0, width, height};
    FillRect(bitmap->canvas()->getDCHandle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return bitmap;
}

COLORREF pixel(TBitmap* bitmap, int x, int y) {
    GdiFlush();
    return GetPixel(bitmap->canvas()->getDCHandle(), x, y);
}

class Drawing : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        madeBefore = TGraphicTool::handlesMade();
        deletedBefore = TGraphicTool::handlesDeleted();
    }
    // Every system object the tools made during the test was deleted again.
    void expectNoToolLeaks() {
        EXPECT_EQ(TGraphicTool::handlesMade() - madeBefore, TGraphicTool::handlesDeleted() - deletedBefore);
    }
    long madeBefore = 0, deletedBefore = 0;
};

}  // namespace

TEST_F(Drawing, LinesLeaveOutTheirEndPoint) {
    TBitmap* bitmap = whiteBitmap(20, 20);
    TCanvas& canvas = *bitmap->canvas();
    canvas.pen().setColor(black);
    canvas.moveTo(2, 5);
    canvas.lineTo(10, 5);
    EXPECT_EQ(pixel(bitmap, 2, 5), black);
    EXPECT_EQ(pixel(bitmap, 9, 5), black);
    EXPECT_EQ(pixel(bitmap, 10, 5), white);
    EXPECT_EQ(canvas.penPos.x, 10);
    bitmap->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, RectanglesAndFloodFill) {
    TBitmap* bitmap = whiteBitmap(20, 20);
    TCanvas& canvas = *bitmap->canvas();
    canvas.pen().setColor(black);
    canvas.brush().setColor(red);
    canvas.rectangle(2, 2, 8, 8);
    EXPECT_EQ(pixel(bitmap, 2, 2), black);
    EXPECT_EQ(pixel(bitmap, 7, 7), black);
    EXPECT_EQ(pixel(bitmap, 4, 4), red);
    EXPECT_EQ(pixel(bitmap, 8, 8), white);

    canvas.brush().setBrushStyle(1);  // hollow: an outline only
    canvas.rectangle(10, 10, 18, 18);
    EXPECT_EQ(pixel(bitmap, 13, 13), white);
    canvas.brush().setBrushStyle(0);
    canvas.brush().setColor(blue);
    canvas.floodFill(13, 13, black, FLOODFILLBORDER);
    EXPECT_EQ(pixel(bitmap, 13, 13), blue);
    EXPECT_EQ(pixel(bitmap, 11, 16), blue);
    EXPECT_EQ(pixel(bitmap, 10, 10), black);  // the border stops it
    EXPECT_EQ(pixel(bitmap, 19, 19), white);
    bitmap->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, ADashedPenAlsoSetsTheBrushBackground) {
    TBitmap* bitmap = whiteBitmap(20, 20);
    TCanvas& canvas = *bitmap->canvas();
    canvas.brush().setColor(red);
    canvas.pen().setPenStyle(PS_DASH);
    canvas.textOut(0, 0, "x");  // selects the brush, not the pen
    const HDC dc = canvas.getDCHandle();
    SetBkColor(dc, white);
    SetBkMode(dc, TRANSPARENT);
    canvas.moveTo(0, 10);
    canvas.lineTo(19, 10);  // the dashed pen selects the brush again, for its gaps
    EXPECT_EQ(GetBkColor(dc), red);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    // A brush that is not solid: transparent gaps, on the complement of its colour.
    canvas.brush().setBrushStyle(2 + HS_VERTICAL);
    canvas.brush().setHatchColor(blue);
    canvas.rectangle(0, 12, 20, 20);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetBkColor(dc), ~red & 0xFFFFFFu);
    int hatched = 0;
    for (int x = 1; x < 19; ++x) hatched += pixel(bitmap, x, 17) == blue;  // lines in the hatch colour
    EXPECT_GT(hatched, 0);
    bitmap->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, AFontColourChangeTakesEffectOnTheNextText) {
    TBitmap* bitmap = whiteBitmap(60, 20);
    TCanvas& canvas = *bitmap->canvas();
    canvas.font().setColor(red);
    canvas.textOut(0, 0, "Ab");
    const HDC dc = canvas.getDCHandle();
    EXPECT_EQ(GetTextColor(dc), red);
    const HGDIOBJ first = GetCurrentObject(dc, OBJ_FONT);
    const long made = TGraphicTool::handlesMade();
    canvas.font().setColor(blue);
    EXPECT_EQ(canvas.canvasState() & TCanvas::csFontValid, 0);
    canvas.textOut(0, 0, "Ab");
    EXPECT_EQ(GetTextColor(dc), blue);
    EXPECT_EQ(TGraphicTool::handlesMade(), made + 1);  // a new font was made and selected
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    (void)first;
    bitmap->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, TextExtentWithoutAContextLeavesNone) {
    TCanvas* canvas = new TCanvas;
    canvas->font().setFontName("Tahoma");
    canvas->font().setFontHeight(-11);
    const SIZE size = canvas->textExtent("Значение");
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 0);
    EXPECT_EQ(canvas->getDCHandle(), nullptr);
    EXPECT_EQ(canvas->canvasState() & TCanvas::csHandleValid, 0);
    canvas->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, FontStyleFaceAndCharset) {
    TGraphicTool* font = TGraphicTool::newFont();
    font->setFontStyle(TGraphicTool::fsBold | TGraphicTool::fsUnderline);
    EXPECT_EQ(font->logFont().lfWeight, 700);
    EXPECT_EQ(font->logFont().lfUnderline, 1);
    EXPECT_EQ(font->fontStyle(), TGraphicTool::fsBold | TGraphicTool::fsUnderline);
    font->setFontStyle(TGraphicTool::fsItalic);
    EXPECT_EQ(font->logFont().lfWeight, 0);
    EXPECT_EQ(font->logFont().lfItalic, 1);
    font->setFontName(std::string(40, 'x'));
    EXPECT_EQ(std::string(font->logFont().lfFaceName), std::string(31, 'x'));
    font->setFontName("MS Sans Serif");
    EXPECT_EQ(std::string(font->logFont().lfFaceName), "MS Sans Serif");
    font->setFontCharset(1);
    EXPECT_EQ(font->logFont().lfCharSet, 1);
    EXPECT_NE(font->getToolHandle(), nullptr);
    font->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, ChildrenWithTheParentsColourShareItsBrushes) {
    TControl* form = makeForm();
    form->setColor(0x00224466);
    form->brush();
    TControl* a = TControl::newLabel(form, "a");
    TControl* b = TControl::newLabel(form, "b");
    EXPECT_EQ(a->backgroundBrush(), form->backgroundBrush());
    EXPECT_EQ(b->backgroundBrush(), form->backgroundBrush());
    EXPECT_EQ(a->brush().getToolHandle(), form->brush().getToolHandle());
    EXPECT_EQ(b->brush().getToolHandle(), form->brush().getToolHandle());
    a->brush().setColor(0x00102030);  // the brush's colour is the control's
    EXPECT_EQ(a->color(), 0x00102030u);
    b->setColor(0x00000080);  // a colour of its own: a brush of its own
    EXPECT_NE(b->backgroundBrush(), form->backgroundBrush());
    EXPECT_NE(b->brush().getToolHandle(), form->brush().getToolHandle());
    form->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, BitmapFormatsAndRows) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit}) {  // a grey-scale colour table
        TBitmap* bitmap = TBitmap::newDIBBitmap(8, 8, format);
        PatBlt(bitmap->canvas()->getDCHandle(), 0, 0, 8, 8, WHITENESS);
        EXPECT_EQ(pixel(bitmap, 3, 3), white) << int(format);
        bitmap->free();
    }
    EXPECT_EQ(TBitmap::rowSize(pf24bit, 5), 16);
    EXPECT_EQ(TBitmap::rowSize(pf1bit, 10), 4);
    EXPECT_EQ(TBitmap::rowSize(pf32bit, 3), 12);
    EXPECT_EQ(TBitmap::rowSize(pf4bit, 9), 8);
    TBitmap* device = TBitmap::newDIBBitmap(4, 4, pfDevice);
    EXPECT_EQ(device->pixelFormat(), pf16bit);
    EXPECT_EQ(device->scanlineSize(), 8);
    device->free();
}

TEST_F(Drawing, AZeroSizedBitmapDrawsNothing) {
    TBitmap* target = whiteBitmap(10, 10);
    for (const auto& [width, height] : {std::pair{-5, 10}, {10, -1}, {0x40000000, 1}, {100000, 100000}}) {
        TBitmap* impossible = TBitmap::newDIBBitmap(width, height, pf32bit);  // no picture, no end
        EXPECT_TRUE(impossible->empty());
        impossible->free();
    }
    TBitmap* empty = TBitmap::newDIBBitmap(0, 10, pf32bit);
    EXPECT_EQ(empty->canvas(), nullptr);
    EXPECT_EQ(empty->handle(), nullptr);
    empty->draw(target->canvas()->getDCHandle(), 0, 0);
    EXPECT_EQ(pixel(target, 0, 0), white);
    empty->free();
    target->free();
}

TEST_F(Drawing, BitmapsDrawAndKeepTheirPictureWhenResized) {
    TBitmap* picture = TBitmap::newDIBBitmap(4, 4, pf32bit);
    std::uint8_t* row = picture->scanLine(1);  // rows held as BGRA, top row first
    row[4 * 2 + 2] = 255;                      // (2, 1) red
    TBitmap* target = whiteBitmap(10, 10);
    TCanvas& canvas = *picture->canvas();  // kept, with its tools, through draws and resizes
    canvas.pen().setColor(blue);
    picture->draw(target->canvas()->getDCHandle(), 3, 3);
    EXPECT_EQ(pixel(target, 5, 4), red);
    EXPECT_EQ(pixel(target, 3, 3), black);
    EXPECT_EQ(pixel(target, 8, 8), white);

    picture->bkColor = blue;
    picture->setWidth(8);
    EXPECT_EQ(picture->width(), 8);
    EXPECT_EQ(pixel(picture, 2, 1), red);
    EXPECT_EQ(pixel(picture, 6, 1), blue);  // the added area
    picture->setHeight(6);
    EXPECT_EQ(picture->handleType(), 1);
    EXPECT_EQ(pixel(picture, 2, 1), red);
    EXPECT_EQ(pixel(picture, 2, 5), blue);
    EXPECT_EQ(picture->canvas(), &canvas);
    canvas.moveTo(0, 3);
    canvas.lineTo(8, 3);
    EXPECT_EQ(pixel(picture, 6, 3), blue);
    const HBITMAP section = picture->handle();
    const HDC memory = picture->canvas()->getDCHandle();
    picture->clear();
    EXPECT_EQ(picture->handle(), nullptr);
    EXPECT_EQ(GetObjectType(section), 0u);  // the bitmap and its memory context are gone
    EXPECT_EQ(GetObjectType(memory), 0u);
    picture->free();
    target->free();
}

TEST_F(Drawing, TheControlsPaintHandlerDrawsThroughItsCanvas) {
    TControl* form = makeForm();
    form->font().setColor(blue);
    COLORREF textColour = 0;
    form->setOnPaint([&textColour](TControl& control, HDC dc) {
        TCanvas& canvas = control.canvas();
        canvas.brush().setColor(red);
        canvas.pen().setColor(red);
        canvas.rectangle(0, 0, 10, 10);
        canvas.textOut(0, 12, "x");
        textColour = GetTextColor(dc);
    });
    form->getWindowHandle();
    form->canvas().textExtent("Значение");  // as an auto-size does: a window context kept
    TBitmap* target = whiteBitmap(20, 20);
    SendMessageW(form->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target->canvas()->getDCHandle()),
                 PRF_CLIENT);
    EXPECT_EQ(pixel(target, 5, 5), red);  // into the context of the paint
    EXPECT_EQ(pixel(target, 15, 15), white);
    EXPECT_EQ(textColour, blue);  // the font's colour
    EXPECT_EQ(form->paintDC, nullptr);
    target->free();
    form->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, AControlsFontChangeReachesItsCanvas) {
    TControl* form = makeForm();
    form->font().setFontHeight(-11);
    form->getWindowHandle();
    TCanvas& canvas = form->canvas();
    canvas.textOut(0, 0, "x");
    const HDC dc = canvas.getDCHandle();
    const HGDIOBJ first = GetCurrentObject(dc, OBJ_FONT);
    form->font().setFontHeight(-30);
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), first);  // let go before the old handle went
    canvas.textOut(0, 0, "x");
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    EXPECT_GE(metrics.tmHeight, 28);
    form->free();
    expectNoToolLeaks();
}

TEST_F(Drawing, ASystemColourChangeRenewsATool) {
    TGraphicTool* brush = TGraphicTool::newBrush();
    brush->setColor(0x80000000 | COLOR_WINDOW);
    const HGDIOBJ before = brush->getToolHandle();
    const int element = COLOR_WINDOW;
    const COLORREF old = GetSysColor(COLOR_WINDOW), changed = RGB(1, 2, 3);
    SetSysColors(1, &element, &changed);
    EXPECT_NE(brush->getToolHandle(), before);
    EXPECT_EQ(brush->colorRGB(), changed);
    SetSysColors(1, &element, &old);
    const HBITMAP pattern = CreateBitmap(8, 8, 1, 1, nullptr);
    brush->setPatternBitmap(pattern);  // owned by the tool from now on
    LOGBRUSH description{};
    GetObjectW(brush->getToolHandle(), sizeof description, &description);
    EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_PATTERN));
    brush->free();
    EXPECT_EQ(GetObjectType(pattern), 0u);
    expectNoToolLeaks();
}
