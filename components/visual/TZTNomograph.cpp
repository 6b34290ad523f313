#include "components/visual/TZTNomograph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "dataflow/EventDispatch.h"
#include "toolkit/drawing/TBitmap.h"
#include "toolkit/drawing/TCanvas.h"
#include "toolkit/text/WideText.h"
#include "toolkit/window/Clipboard.h"

namespace components {

using namespace dataflow;

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

// The colours of the chart (0x00BBGGRR): each kind of line has one of its own, so that a
// picture of it can be read by colour.
constexpr COLORREF paper = 0xFFFFFF, frameColour = 0x483830, textColour = 0x000000;
constexpr COLORREF decadeGrid = 0xB4B4B4, minorGrid = 0xE0E0E0;
constexpr COLORREF displacementColour = 0xC05020, accelerationColour = 0x6030B0;
constexpr COLORREF pointColour = 0x0000E0;

// The margins around the plot, in pixels at 96 DPI: room for the scales' numbers and
// titles.
constexpr int leftMargin = 38, topMargin = 20, rightMargin = 16, bottomMargin = 34;

// A number of the scales with a decimal comma: "0,01", "10", "10000".
std::string decimalText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    std::string out = text;
    std::replace(out.begin(), out.end(), '.', ',');
    return out;
}

// A zone's colour made pale: a quarter of it over white, so that lines and texts read
// over its band.
COLORREF pale(COLORREF colour) {
    const auto mix = [](unsigned channel) { return (channel + 3 * 255) / 4; };
    return RGB(mix(GetRValue(colour)), mix(GetGValue(colour)), mix(GetBValue(colour)));
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    PatBlt(dc, left, top, right - left, bottom - top, PATCOPY);
}

void text(HDC dc, int x, int y, UINT align, const std::string& text1251, COLORREF colour) {
    const std::wstring wide = toolkit::toWide(text1251);
    SetTextColor(dc, colour);
    SetTextAlign(dc, align);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

// A line of the given colour and width, drawn with a pen of that width.
void line(HDC dc, double x0, double y0, double x1, double y1, COLORREF colour, int width) {
    const HPEN pen = CreatePen(PS_SOLID, width, colour);
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, static_cast<int>(std::lround(x0)), static_cast<int>(std::lround(y0)), nullptr);
    LineTo(dc, static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)));
    SelectObject(dc, old);
    DeleteObject(pen);
}

// A diagonal of the chart in its logarithmic coordinates X = lg f, Y = lg v: Y = slope·X +
// c, with slope +1 or -1; the part of it inside the range, as X from x0 to x1 (none when
// x0 >= x1).
struct Segment {
    double x0, x1;
};
Segment insideRange(int slope, double c) {
    const double lowX = std::log10(TZTNomograph::lowestHertz), highX = std::log10(TZTNomograph::highestHertz);
    const double lowY = std::log10(TZTNomograph::lowestVelocity),
                 highY = std::log10(TZTNomograph::highestVelocity);
    const double a = (lowY - c) / slope, b = (highY - c) / slope;
    return {std::max(lowX, std::min(a, b)), std::min(highX, std::max(a, b))};
}

}  // namespace

TZTNomograph::~TZTNomograph() {
    // The control outlives this part of the component (the base hides and frees it), so
    // the hook goes before the picture it draws from.
    if (control && !controlDestroyed()) control->detachProc(toolkit::TMessageHandler{messageHook, this});
    freeObject(picture_);
    picture_ = nullptr;
    if (font_) DeleteObject(font_);
}

void TZTNomograph::init() {
    control = TControl::newLabel(parentControl(), "");
    control->setSize(200, 200);
    control->attachProc(toolkit::TMessageHandler{messageHook, this});
    picture_ = toolkit::TBitmap::newDIBBitmap(control->getWidth(), control->getHeight(), toolkit::pf32bit);
    TZTWin::init();
    redraw();
}

// ---------------------------------------------------------------- input methods

void TZTNomograph::doPoint(TData& data, std::uint16_t) {
    const double velocity = toReal(data);
    TData hertz;
    readData(hertz, frequency);
    hasPoint_ = !isNull(hertz) && toReal(hertz) > 0 && velocity > 0;
    if (hasPoint_) {
        pointHertz_ = toReal(hertz);
        pointVelocity_ = velocity;
    }
    redraw();
}

void TZTNomograph::doClear(TData&, std::uint16_t) {
    hasPoint_ = false;
    redraw();
}

void TZTNomograph::doCopy(TData&, std::uint16_t) { copyPicture(); }

void TZTNomograph::copyPicture() {
    if (!picture_ || picture_->empty()) return;
    // A copy of the picture without the focus frame, which the clipboard then owns.
    const bool focused = focused_;
    focused_ = false;
    redraw();
    focused_ = focused;
    const HDC screen = GetDC(nullptr);
    const HBITMAP copy = CreateCompatibleBitmap(screen, picture_->width(), picture_->height());
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, copy);
    picture_->draw(dc, 0, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    toolkit::setClipboardBitmap(control->handle(), copy);
    redraw();
}

// ---------------------------------------------------------------- the mapping

TZTNomograph::TPlotArea TZTNomograph::plotAreaFor(int width, int height, int dpi) {
    return {MulDiv(leftMargin, dpi, 96), MulDiv(topMargin, dpi, 96), width - 1 - MulDiv(rightMargin, dpi, 96),
            height - 1 - MulDiv(bottomMargin, dpi, 96)};
}

POINT TZTNomograph::toPixel(const TPlotArea& plot, double hertz, double mmPerSecond) {
    const double across = std::log10(hertz / lowestHertz) / std::log10(highestHertz / lowestHertz);
    const double up = std::log10(mmPerSecond / lowestVelocity) / std::log10(highestVelocity / lowestVelocity);
    return {static_cast<LONG>(std::lround(plot.left + across * (plot.right - plot.left))),
            static_cast<LONG>(std::lround(plot.bottom - up * (plot.bottom - plot.top)))};
}

void TZTNomograph::fromPixel(const TPlotArea& plot, POINT pixel, double& hertz, double& mmPerSecond) {
    const double across = static_cast<double>(pixel.x - plot.left) / (plot.right - plot.left);
    const double up = static_cast<double>(plot.bottom - pixel.y) / (plot.bottom - plot.top);
    hertz = lowestHertz * std::pow(highestHertz / lowestHertz, across);
    mmPerSecond = lowestVelocity * std::pow(highestVelocity / lowestVelocity, up);
}

// ---------------------------------------------------------------- drawing

bool TZTNomograph::messageHook(void* self, TControl& control, toolkit::TMsg& msg) {
    auto& chart = *static_cast<TZTNomograph*>(self);
    switch (msg.message) {
        case WM_PAINT:
            if (msg.wParam) {  // painted into a given context (a buffered parent's picture)
                chart.picture_->draw(reinterpret_cast<HDC>(msg.wParam), 0, 0);
            } else {
                PAINTSTRUCT ps;
                const HDC dc = BeginPaint(control.handle(), &ps);
                chart.picture_->draw(dc, 0, 0);
                EndPaint(control.handle(), &ps);
            }
            break;
        case WM_PRINTCLIENT: chart.picture_->draw(reinterpret_cast<HDC>(msg.wParam), 0, 0); break;
        case WM_SIZE: {
            RECT client;
            GetClientRect(control.handle(), &client);
            chart.picture_->setWidth(client.right);
            chart.picture_->setHeight(client.bottom);
            chart.redraw();
            break;
        }
        // A click gives the chart the focus, for Ctrl+C; its frame shows it has it.
        case WM_LBUTTONDOWN: SetFocus(control.handle()); return false;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            chart.focused_ = msg.message == WM_SETFOCUS;
            chart.redraw();
            return false;
        case WM_GETDLGCODE: msg.result = DLGC_WANTCHARS; return true;
        case WM_CHAR:
            if (msg.wParam != 3) return false;  // Ctrl+C
            chart.copyPicture();
            break;
        default: return false;
    }
    msg.result = 0;
    return true;
}

int TZTNomograph::scaled(double pixels96) const {
    return std::max(1, static_cast<int>(std::lround(pixels96 * control->dpi() / 96)));
}

void TZTNomograph::redraw() {
    if (!picture_ || picture_->empty() || !picture_->canvas()) return;
    paintTo(picture_->canvas()->getDCHandle());
    if (control->handle()) InvalidateRect(control->handle(), nullptr, FALSE);
}

void TZTNomograph::paintTo(HDC dc) {
    const int width = picture_->width(), height = picture_->height();
    const int dpi = control->dpi();
    if (!font_ || fontDpi_ != dpi) {
        if (font_) DeleteObject(font_);
        font_ =
            CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma");
        fontDpi_ = dpi;
    }
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    fill(dc, 0, 0, width, height, paper);
    const TPlotArea plot = plotAreaFor(width, height, dpi);
    if (plot.right > plot.left + 20 && plot.bottom > plot.top + 20) {
        drawBands(dc, plot);
        drawGrid(dc, plot);
        drawDiagonals(dc, plot);
        drawScales(dc, plot);
        drawPoint(dc, plot);
    }
    if (focused_) {
        RECT all{0, 0, width, height};
        SetTextColor(dc, textColour);
        SetBkColor(dc, paper);
        DrawFocusRect(dc, &all);
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
}

// The zones of the row read, from the bottom of the range to its top.
void TZTNomograph::drawBands(HDC dc, const TPlotArea& plot) {
    if (!zoneRow.isLinked() || boundariesPerRow <= 0) return;
    const std::int32_t row = readInteger(zoneRow);
    const auto perRow = static_cast<std::size_t>(boundariesPerRow);
    const std::size_t first = static_cast<std::size_t>(row) * perRow;
    if (row < 0 || first + perRow > zoneBoundaries.size() || zoneColours.size() <= perRow) return;
    double below = lowestVelocity;
    for (std::size_t band = 0; band <= perRow; ++band) {
        const double above = band < perRow ? zoneBoundaries[first + band] : highestVelocity;
        const int top =
            std::clamp(static_cast<int>(toPixel(plot, lowestHertz, std::min(above, highestVelocity)).y),
                       plot.top, plot.bottom);
        const int bottom =
            std::clamp(static_cast<int>(toPixel(plot, lowestHertz, below).y), plot.top, plot.bottom);
        if (bottom > top) fill(dc, plot.left, top, plot.right + 1, bottom + 1, pale(zoneColours[band]));
        below = std::max(below, above);
    }
}

// Lines at each decade, fainter at its 2 and 5, and the plot's frame.
void TZTNomograph::drawGrid(HDC dc, const TPlotArea& plot) {
    const int thin = scaled(1);
    for (double decade = lowestHertz; decade < highestHertz * 1.5; decade *= 10) {
        for (double step : {1.0, 2.0, 5.0}) {
            const double f = decade * step;
            if (f > highestHertz * 1.0001) continue;
            const int x = toPixel(plot, f, lowestVelocity).x;
            fill(dc, x, plot.top, x + thin, plot.bottom, step == 1 ? decadeGrid : minorGrid);
        }
    }
    for (double decade = lowestVelocity; decade < highestVelocity * 1.5; decade *= 10) {
        for (double step : {1.0, 2.0, 5.0}) {
            const double v = decade * step;
            if (v > highestVelocity * 1.0001) continue;
            const int y = toPixel(plot, lowestHertz, v).y;
            fill(dc, plot.left, y, plot.right, y + thin, step == 1 ? decadeGrid : minorGrid);
        }
    }
    fill(dc, plot.left, plot.top, plot.right + 1, plot.top + thin, frameColour);
    fill(dc, plot.left, plot.bottom + 1 - thin, plot.right + 1, plot.bottom + 1, frameColour);
    fill(dc, plot.left, plot.top, plot.left + thin, plot.bottom + 1, frameColour);
    fill(dc, plot.right + 1 - thin, plot.top, plot.right + 1, plot.bottom + 1, frameColour);
}

// A line per decade of displacement (0,01 µm – 10 mm RMS) and of acceleration (0,001 –
// 10 000 m/s² RMS), each labelled at its right-hand end inside the plot; the labels are
// drawn over all the lines.
void TZTNomograph::drawDiagonals(HDC dc, const TPlotArea& plot) {
    const int width = scaled(1), gap = scaled(2);
    for (const bool labels : {false, true}) {
        const auto draw = [&](int slope, double c, COLORREF colour, const std::string& label) {
            const Segment s = insideRange(slope, c);
            if (s.x0 >= s.x1) return;
            const POINT a = toPixel(plot, std::pow(10.0, s.x0), std::pow(10.0, slope * s.x0 + c));
            const POINT b = toPixel(plot, std::pow(10.0, s.x1), std::pow(10.0, slope * s.x1 + c));
            if (!labels) {
                line(dc, a.x, a.y, b.x, b.y, colour, width);
                return;
            }
            // The right-hand end: on the right edge, else on the top (rising) or bottom edge.
            if (b.x >= plot.right - 1)
                text(dc, b.x - gap, b.y + (slope > 0 ? gap : -gap),
                     TA_RIGHT | (slope > 0 ? TA_TOP : TA_BOTTOM), label, colour);
            else if (slope > 0)
                text(dc, b.x - gap, b.y + gap, TA_RIGHT | TA_TOP, label, colour);
            else
                text(dc, b.x + gap, b.y - gap, TA_LEFT | TA_BOTTOM, label, colour);
        };
        // v [mm/s] = 2πf · d [µm] / 1000; v [mm/s] = a [m/s²] · 1000 / 2πf.
        for (double micrometres = 0.01; micrometres < 10001; micrometres *= 10) {
            const std::string label = micrometres < 1000 ? decimalText(micrometres) + " мкм"
                                                         : decimalText(micrometres / 1000) + " мм";
            draw(+1, std::log10(twoPi * micrometres / 1000), displacementColour, label);
        }
        for (double acceleration = 0.001; acceleration < 10001; acceleration *= 10)
            draw(-1, std::log10(acceleration * 1000 / twoPi), accelerationColour,
                 decimalText(acceleration) + " м/с2");
    }
}

// The numbers of the decades and the titles of the axes.
void TZTNomograph::drawScales(HDC dc, const TPlotArea& plot) {
    const int gap = scaled(3);
    for (double f = lowestHertz; f < highestHertz * 1.5; f *= 10)
        text(dc, toPixel(plot, f, lowestVelocity).x, plot.bottom + gap, TA_CENTER | TA_TOP, decimalText(f),
             textColour);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    for (double v = lowestVelocity; v < highestVelocity * 1.5; v *= 10)
        text(dc, plot.left - gap, toPixel(plot, lowestHertz, v).y - metrics.tmHeight / 2, TA_RIGHT | TA_TOP,
             decimalText(v), textColour);
    text(dc, plot.right, plot.bottom + gap + metrics.tmHeight, TA_RIGHT | TA_TOP, "Частота, Гц", textColour);
    text(dc, plot.left, plot.top - gap, TA_LEFT | TA_BOTTOM, "СКЗ виброскорости, мм/с", textColour);
}

// The point with a thin cross-hair to both axes; a point outside the range sits on its
// edge with an arrow pointing out.
void TZTNomograph::drawPoint(HDC dc, const TPlotArea& plot) {
    if (!hasPoint_) return;
    const POINT exact = toPixel(plot, pointHertz_, pointVelocity_);
    const POINT p{std::clamp(exact.x, static_cast<LONG>(plot.left), static_cast<LONG>(plot.right)),
                  std::clamp(exact.y, static_cast<LONG>(plot.top), static_cast<LONG>(plot.bottom))};
    const int thin = scaled(1), radius = scaled(4);
    fill(dc, plot.left, p.y, p.x, p.y + thin, pointColour);
    fill(dc, p.x, p.y, p.x + thin, plot.bottom, pointColour);
    const HPEN outline = CreatePen(PS_SOLID, thin, pointColour);
    const HGDIOBJ oldPen = SelectObject(dc, outline);
    SetDCBrushColor(dc, pointColour);
    Ellipse(dc, p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1);
    if (p.x != exact.x || p.y != exact.y) {
        // The arrow: from the point outward, as far as the point is outside.
        const int dx = exact.x < p.x ? -1 : exact.x > p.x ? 1 : 0;
        const int dy = exact.y < p.y ? -1 : exact.y > p.y ? 1 : 0;
        const int length = scaled(14), head = scaled(5);
        const POINT tip{p.x - dx * radius + dx * length, p.y - dy * radius + dy * length};
        const POINT tipInside{std::clamp(tip.x, static_cast<LONG>(plot.left - scaled(leftMargin) + 1),
                                         static_cast<LONG>(plot.right + scaled(rightMargin) - 1)),
                              std::clamp(tip.y, static_cast<LONG>(plot.top - scaled(topMargin) + 1),
                                         static_cast<LONG>(plot.bottom + scaled(bottomMargin) - 1))};
        MoveToEx(dc, p.x, p.y, nullptr);
        LineTo(dc, tipInside.x, tipInside.y);
        // The head: back along the arrow, and either way across it.
        const POINT wings[] = {tipInside,
                               {tipInside.x - dx * head - dy * head, tipInside.y - dy * head + dx * head},
                               {tipInside.x - dx * head + dy * head, tipInside.y - dy * head - dx * head}};
        Polygon(dc, wings, 3);
    }
    SelectObject(dc, oldPen);
    DeleteObject(outline);
}

}  // namespace components
