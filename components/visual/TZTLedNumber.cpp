#include "components/visual/TZTLedNumber.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/drawing/TCanvas.h"
#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/text/NumberFit.h"

namespace components {

using namespace dataflow;

namespace {

// The segments a character lights, in the order they are drawn.
const char* litSegments(char c) {
    switch (c) {
        case '0': return "123456";
        case '1': return "65";
        case '2': return "16734";
        case '3': return "16754";
        case '4': return "2765";
        case '5': return "12754";
        case '6': return "123457";
        case '7': return "165";
        case '8': return "1234567";
        case '9': return "126754";
        case '-': return "7";
        case '_': return "4";
        case 'E': return "12347";  // the exponent of a number written with one
        default: return "";
    }
}

}  // namespace

TZTLedNumber::~TZTLedNumber() {
    // The control outlives this part of the component (the base hides and frees it), so
    // the hook goes before the buffer it draws from.
    if (control && !controlDestroyed()) control->detachProc(toolkit::TMessageHandler{messageHook, this});
    freeObject(buffer_);
    buffer_ = nullptr;
}

void TZTLedNumber::init() {
    shownText_ = initialText;
    control = TControl::newLabel(parentControl(), "");
    control->setSize(40, 40);
    control->attachProc(toolkit::TMessageHandler{messageHook, this});
    currentBack_ = backColor;
    currentLit_ = litColor;
    currentUnlit_ = unlitColor;
    buffer_ = toolkit::TBitmap::newDIBBitmap(control->getWidth(), control->getHeight(), toolkit::pf32bit);
    control->onClick = [this](TControl&) { fireEventNull(onClick); };
    control->setOnMouseEnter([this](TControl&) { mouseEnter(); });
    control->setOnMouseLeave([this](TControl&) { mouseLeave(); });
    TZTWin::init();
    redraw();
}

void TZTLedNumber::doText(TData& data, std::uint16_t) {
    shownText_ = readString(data, textSource, "");
    redraw();
}

void TZTLedNumber::mouseEnter() {
    if (!hoverEnabled) return;
    currentBack_ = hoverBackColor;
    currentLit_ = hoverLitColor;
    currentUnlit_ = hoverUnlitColor;
    redraw();
}

void TZTLedNumber::mouseLeave() {
    if (!hoverEnabled) return;
    currentBack_ = backColor;
    currentLit_ = litColor;
    currentUnlit_ = unlitColor;
    redraw();
}

bool TZTLedNumber::messageHook(void* self, TControl& control, toolkit::TMsg& msg) {
    auto& led = *static_cast<TZTLedNumber*>(self);
    switch (msg.message) {
        case WM_PAINT:
            if (msg.wParam) {  // painted into a given context (a buffered parent's picture)
                led.buffer_->draw(reinterpret_cast<HDC>(msg.wParam), 0, 0);
            } else {
                PAINTSTRUCT ps;
                const HDC dc = BeginPaint(control.handle(), &ps);
                led.buffer_->draw(dc, 0, 0);
                EndPaint(control.handle(), &ps);
            }
            break;
        case WM_PRINTCLIENT: led.buffer_->draw(reinterpret_cast<HDC>(msg.wParam), 0, 0); break;
        case WM_SIZE: {
            RECT client;
            GetClientRect(control.handle(), &client);
            led.buffer_->setWidth(client.right);
            led.buffer_->setHeight(client.bottom);
            led.redraw();
            break;
        }
        default: return false;
    }
    msg.result = 0;
    return true;
}

// ---------------------------------------------------------------- drawing

void TZTLedNumber::useColour(COLORREF colour) {
    toolkit::TCanvas& canvas = *buffer_->canvas();
    canvas.pen().setColor(colour);
    canvas.brush().setColor(colour);
}

void TZTLedNumber::hline(int y, int x1, int x2) {
    toolkit::TCanvas& canvas = *buffer_->canvas();
    canvas.moveTo(x1, y);
    canvas.lineTo(x2, y);
}

void TZTLedNumber::vline(int x, int y1, int y2) {
    toolkit::TCanvas& canvas = *buffer_->canvas();
    canvas.moveTo(x, y1);
    canvas.lineTo(x, y2);
}

// Each segment is a stack of lines that shorten by a pixel at each end per step.
void TZTLedNumber::drawSegment(int segment, int x, int W, int H, int t, int g) {
    switch (segment) {
        case 1:
            for (int k = 0; k <= g; ++k) hline(k, x + k + 1, x + W - k - 1);
            break;
        case 2:
            for (int k = 0; k <= t; ++k) vline(x + k, k + 1, H / 2 - k - 1);
            break;
        case 3:
            for (int k = 0; k <= t; ++k) vline(x + k, H / 2 + k + 1, H - k - 1);
            break;
        case 4:
            for (int k = 0; k <= g; ++k) hline(H - k - 1, x + k + 1, x + W - k - 1);
            break;
        case 5:
            for (int k = 0; k <= t; ++k) vline(x + W - k, H / 2 + k, H - k);
            break;
        case 6:
            for (int k = 0; k <= t; ++k) vline(x + W - k, k, H / 2 - k);
            break;
        case 7:
            for (int k = 0; k <= g; ++k) hline(H / 2 - k - 1, x + k + 1, x + W - k - 1);
            for (int k = 0; k <= g; ++k) hline(H / 2 + k, x + k + 1, x + W - k - 1);
            break;
    }
}

void TZTLedNumber::drawColon(int x, int W, int H, int t, int g) {
    toolkit::TCanvas& canvas = *buffer_->canvas();
    const auto triangle = [&](POINT a, POINT b, POINT c, POINT fill) {
        canvas.moveTo(a.x, a.y);
        canvas.lineTo(b.x, b.y);
        canvas.lineTo(c.x, c.y);
        canvas.lineTo(a.x, a.y);
        canvas.floodFill(fill.x, fill.y, currentLit_, FLOODFILLBORDER);
    };
    const int upper = H / 4, lower = H - H / 4;
    triangle({x + W / 2 - t, upper - g}, {x + W / 2 - t, upper + g}, {x + W / 2 + t, upper - g},
             {x + W / 2, (H - g) / 4});
    triangle({x + W / 2 + t, lower - g}, {x + W / 2 + t, lower + g}, {x + W / 2 - t, lower + g},
             {x + W / 2 + t / 2, lower + g / 2});
}

void TZTLedNumber::drawCell(char c, int x, int W, int H, int t, int g) {
    if (showUnlit) {
        useColour(currentUnlit_);
        for (int segment = 1; segment <= 7; ++segment) drawSegment(segment, x, W, H, t, g);
    }
    useColour(currentLit_);
    if (c == '.' || c == ',') {
        buffer_->canvas()->rectangle(x + W - 2 * t, H - 3 * g, x + W, H - g);
    } else if (c == ':') {
        drawColon(x, W, H, t, g);
    } else {
        for (const char* s = litSegments(c); *s; ++s) drawSegment(*s - '0', x, W, H, t, g);
    }
}

// How many whole cells of width W + 1 (a cell's columns run from x to x + W) a picture
// Wc pixels wide holds, W + 3 pixels apart.
int TZTLedNumber::wholeCells(int Wc, int W) { return Wc > W ? (Wc - W - 1) / (W + 3) + 1 : 0; }

void TZTLedNumber::redraw() {
    if (!buffer_ || buffer_->empty() || !buffer_->canvas()) return;
    // The cells follow the picture, which has the client's size: a border takes its
    // share of the window's outer size.
    const int H = buffer_->height();
    const int Wc = buffer_->width();
    useColour(currentBack_);
    buffer_->canvas()->rectangle(0, 0, Wc, H);
    const int W = H * 6 / 10;
    const int t = W / 7;
    const int g = W / 10;
    // A number is never shown cut: it is rounded to the cells there are.
    const std::string text = toolkit::fitNumberText(shownText_, static_cast<std::size_t>(wholeCells(Wc, W)));
    const int n = static_cast<int>(text.size());
    charCount_ = n;
    int offset = 0;
    if (digitAlign == taRight)
        offset = Wc - (W + 3) * n;
    else if (digitAlign != taLeft)  // centred, as any other value
        offset = (Wc - (W + 3) * n) / 2;
    for (int i = 0; i < n; ++i) {
        const int x = offset + i * (W + 3);
        if (x >= 0 && x + W < Wc)
            drawCell(text[static_cast<std::size_t>(i)], x, W, H, t, g);  // whole cells only
    }
    control->invalidate();
}

}  // namespace components
