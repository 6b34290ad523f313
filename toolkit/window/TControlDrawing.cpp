// The control's drawing: its background brush, canvas, font and brush (made on demand),
// and its own paint handler.
#include "toolkit/drawing/TCanvas.h"
#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/window/TControl.h"

namespace toolkit {

HBRUSH TControl::backgroundBrush() {
    if (parent_ && parent_->color_ == color_) return parent_->backgroundBrush();
    const COLORREF rgb = resolveColor(color_);
    if (backgroundBrush_ && rgb != backgroundRGB_) {  // the system colour changed
        DeleteObject(backgroundBrush_);
        backgroundBrush_ = nullptr;
    }
    if (!backgroundBrush_) {
        backgroundBrush_ = CreateSolidBrush(rgb);
        backgroundRGB_ = rgb;
    }
    return backgroundBrush_;
}

TCanvas& TControl::canvas() {
    if (!canvas_) {
        canvas_ = new TCanvas(this);
        if (font_) {  // the control's font, sharing its handle
            canvas_->canvasFont = font_->clone();
            canvas_->canvasFont->parentTool = font_;
        }
        canvas_->getHandleProc = [this](bool& fromWindow) -> HDC {
            if (paintDC) {
                canvas_->isPaintDC = true;
                return paintDC;
            }
            fromWindow = true;
            const HWND window = getWindowHandle();
            return window ? GetDC(window) : nullptr;
        };
    }
    return *canvas_;
}

TGraphicTool& TControl::font() {
    if (!font_) adoptFont(TGraphicTool::newFont());
    return *font_;
}

// The control's font is the one its canvas draws with: the canvas lets go of the old
// handle before the tool deletes it, and follows the new description.
void TControl::adoptFont(TGraphicTool* font) {
    font_ = font;
    font_->onToolChange = [this] {
        if (!canvas_) return;
        canvas_->deselectTools();
        if (canvas_->canvasFont) canvas_->canvasFont->assign(*font_);
    };
}

TGraphicTool& TControl::brush() {
    if (!brush_) {
        adoptBrush(TGraphicTool::newBrush());
        brush_->setColor(color_);
    }
    return *brush_;
}

// A change of the brush is a change of the control's colour.
void TControl::adoptBrush(TGraphicTool* brush) {
    brush_ = brush;
    brush_->onToolChange = [this] {
        color_ = brush_->color();
        if (backgroundBrush_) {
            DeleteObject(backgroundBrush_);
            backgroundBrush_ = nullptr;
        }
        if (!paintDC) invalidate();
    };
}

void TControl::applyFont() {
    if (!font_) return;
    if (handle_) {
        textColor = font_->color();
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->getToolHandle()), 1);
    }
    freeObject(canvas_);  // rebuilt with the new font
    canvas_ = nullptr;
    if (afterFontChange) afterFontChange(*this);
}

namespace {

bool paintHandler(void*, TControl& control, TMsg& msg) { return control.paint(msg); }

}  // namespace

void TControl::setOnPaint(std::function<void(TControl&, HDC)> paint) {
    onPaint_ = std::move(paint);
    attachProc(TMessageHandler{paintHandler, nullptr});
}

bool TControl::paint(TMsg& msg) {
    if ((msg.message != WM_PAINT && msg.message != WM_PRINTCLIENT) || !onPaint_) return false;
    const HDC savedPaintDC = paintDC;
    PAINTSTRUCT ps;
    HDC dc = reinterpret_cast<HDC>(msg.wParam);
    const bool began = dc == nullptr;
    if (began) dc = BeginPaint(handle_, &ps);
    paintDC = dc;
    onPaint_(*this, dc);
    if (canvas_) canvas_->setDCHandle(nullptr);
    if (began) EndPaint(handle_, &ps);
    paintDC = savedPaintDC;
    msg.result = 0;
    return true;
}

}  // namespace toolkit
