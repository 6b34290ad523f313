#include "toolkit/drawing/TCanvas.h"

#include "toolkit/drawing/Colors.h"
#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

struct StockObjects {
    HGDIOBJ pen = GetStockObject(BLACK_PEN);
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    HGDIOBJ font = GetStockObject(SYSTEM_FONT);
};

const StockObjects& stock() {
    static const StockObjects objects;
    return objects;
}

}  // namespace

TCanvas::~TCanvas() {
    setDCHandle(nullptr);
    freeObject(canvasBrush);
    freeObject(canvasFont);
    freeObject(canvasPen);
}

TGraphicTool& TCanvas::brush() {
    if (!canvasBrush) canvasBrush = TGraphicTool::newBrush();
    return *canvasBrush;
}

TGraphicTool& TCanvas::font() {
    if (!canvasFont) canvasFont = TGraphicTool::newFont();
    return *canvasFont;
}

TGraphicTool& TCanvas::pen() {
    if (!canvasPen) canvasPen = TGraphicTool::newPen();
    return *canvasPen;
}

void TCanvas::deselectTools() {
    if (!(canvasState_ & (csPenValid | csBrushValid | csFontValid))) return;
    if (dcHandle_) {
        SelectObject(dcHandle_, stock().pen);
        SelectObject(dcHandle_, stock().brush);
        SelectObject(dcHandle_, stock().font);
    }
    canvasState_ &= ~(csPenValid | csBrushValid | csFontValid);
}

void TCanvas::setDCHandle(HDC dc, bool fromWindow) {
    if (dc == dcHandle_) return;
    if (dcHandle_) {
        deselectTools();
        const bool ownersPaintContext = ownerControl && ownerControl->canvasPaintDC() == dcHandle_;
        if (!ownersPaintContext) {
            if (dcFromWindow_ && ownerControl)
                ReleaseDC(ownerControl->canvasWindow(), dcHandle_);
            else if (!isPaintDC)
                DeleteDC(dcHandle_);
        }
        dcHandle_ = nullptr;
        isPaintDC = false;
        canvasState_ &= ~csHandleValid;
    }
    if (dc) {
        canvasState_ |= csHandleValid;
        dcHandle_ = dc;
        dcFromWindow_ = fromWindow;
        MoveToEx(dc, penPos.x, penPos.y, nullptr);
    }
}

HDC TCanvas::getDCHandle() {
    // Within its owner's paint cycle a canvas draws into the paint context, whatever
    // context it kept from before (a text measured for an auto-size, say).
    if (ownerControl && ownerControl->canvasPaintDC() && dcHandle_ != ownerControl->canvasPaintDC())
        setDCHandle(nullptr);
    if (getHandleProc && !dcHandle_) {
        bool fromWindow = false;
        const HDC dc = getHandleProc(fromWindow);
        setDCHandle(dc, fromWindow);
    }
    return dcHandle_;
}

void TCanvas::selectFont() {
    if (canvasFont) {
        SelectObject(dcHandle_, canvasFont->getToolHandle());
        SetTextColor(dcHandle_, canvasFont->colorRGB());
        canvasFont->onToolChange = [this] { deselectTools(); };
    } else if (ownerControl) {
        SetTextColor(dcHandle_, resolveColor(ownerControl->canvasTextColor()));
    }
}

void TCanvas::selectPen(std::uint8_t& missing) {
    if (!canvasPen) return;
    SelectObject(dcHandle_, canvasPen->getToolHandle());
    SetROP2(dcHandle_, canvasPen->penMode() + 1);
    canvasPen->onToolChange = [this] { deselectTools(); };
    // The gaps of a dashed line take the background colour and mode of the brush.
    if (canvasPen->penStyle() >= 1 && canvasPen->penStyle() <= 4) missing |= csBrushValid;
}

void TCanvas::selectBrush() {
    if (canvasBrush) {
        SelectObject(dcHandle_, canvasBrush->getToolHandle());
        const COLORREF color = canvasBrush->colorRGB();
        if (canvasBrush->brushStyle() == 0) {
            SetBkColor(dcHandle_, color);
            SetBkMode(dcHandle_, OPAQUE);
        } else {
            SetBkColor(dcHandle_, ~color & 0x00FFFFFF);
            SetBkMode(dcHandle_, TRANSPARENT);
        }
        canvasBrush->onToolChange = [this] { deselectTools(); };
    } else if (ownerControl) {
        SetBkColor(dcHandle_, resolveColor(ownerControl->canvasBackColor()));
        SetBkMode(dcHandle_, OPAQUE);
    }
}

HDC TCanvas::requiredState(std::uint8_t flags) {
    if ((flags & csChangeReport) && onCanvasChange) onCanvasChange();
    std::uint8_t missing = flags & 0x0F & ~canvasState_;
    if ((flags & csHandleValid) && !getDCHandle()) return nullptr;
    if (missing == 0) return dcHandle_;
    if (missing & csFontValid) selectFont();
    if (missing & csPenValid) selectPen(missing);
    if (missing & csBrushValid) selectBrush();
    canvasState_ |= missing;
    return dcHandle_;
}

void TCanvas::moveTo(int x, int y) {
    if (const HDC dc = requiredState(csHandleValid)) MoveToEx(dc, x, y, nullptr);
    penPos = POINT{x, y};
}

void TCanvas::lineTo(int x, int y) {
    if (const HDC dc = requiredState(csHandleValid | csPenValid | csBrushValid | csChangeReport))
        LineTo(dc, x, y);
    penPos = POINT{x, y};
}

void TCanvas::rectangle(int left, int top, int right, int bottom) {
    if (const HDC dc = requiredState(csHandleValid | csPenValid | csBrushValid | csChangeReport))
        Rectangle(dc, left, top, right, bottom);
}

void TCanvas::floodFill(int x, int y, COLORREF color, UINT fillType) {
    if (const HDC dc = requiredState(csHandleValid | csBrushValid | csChangeReport))
        ExtFloodFill(dc, x, y, color, fillType);
}

SIZE TCanvas::textExtent(std::string_view text) {
    SIZE size{0, 0};
    HDC dc = requiredState(csHandleValid | csFontValid);
    bool temporary = false;
    if (!dc) {
        // No context of its own: measure on a memory context and give it back after.
        setDCHandle(CreateCompatibleDC(nullptr));
        temporary = true;
        dc = requiredState(csHandleValid | csFontValid);
    }
    if (dc) {
        const std::wstring wide = toWide(text);
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    }
    if (temporary) setDCHandle(nullptr);
    return size;
}

void TCanvas::textOut(int x, int y, std::string_view text) {
    const HDC dc = requiredState(csHandleValid | csFontValid | csBrushValid | csChangeReport);
    if (!dc) return;
    const std::wstring wide = toWide(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace toolkit
