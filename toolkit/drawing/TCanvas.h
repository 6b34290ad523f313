// A device context with fonts, brushes and pens selected into it lazily: each drawing
// operation selects only what it needs and what is not selected yet.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "toolkit/objects/TObj.h"

namespace toolkit {

class TGraphicTool;

// The window a canvas draws on, as the canvas sees it: the window, the context of the
// paint under way (none outside one), and the colours of its text and background.
class TCanvasOwner {
public:
    virtual HWND canvasWindow() const = 0;
    virtual HDC canvasPaintDC() const = 0;
    virtual std::uint32_t canvasTextColor() const = 0;
    virtual std::uint32_t canvasBackColor() const = 0;

protected:
    ~TCanvasOwner() = default;
};

class TCanvas : public TObj {
public:
    // canvasState bits and the drawing operations' requirements.
    static constexpr std::uint8_t csHandleValid = 1, csPenValid = 2, csBrushValid = 4, csFontValid = 8;
    static constexpr std::uint8_t csChangeReport = 0x10;

    explicit TCanvas(TCanvasOwner* owner = nullptr) : ownerControl(owner) {}
    ~TCanvas() override;

    // Sets the context; the old one is deselected and released (ReleaseDC when it came
    // from the owner's window, DeleteDC otherwise, never the owner's paint context).
    void setDCHandle(HDC dc, bool fromWindow = false);
    HDC getDCHandle();
    HDC currentDC() const { return dcHandle_; }  // without asking for one
    HDC requiredState(std::uint8_t flags);

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void rectangle(int left, int top, int right, int bottom);
    void floodFill(int x, int y, COLORREF color, UINT fillType);
    SIZE textExtent(std::string_view text);  // Windows-1251 text
    void textOut(int x, int y, std::string_view text);

    std::uint8_t canvasState() const { return canvasState_; }
    bool isPaintDC = false;
    POINT penPos{0, 0};
    TCanvasOwner* ownerControl;
    TGraphicTool* canvasBrush = nullptr;  // owned
    TGraphicTool* canvasFont = nullptr;   // owned
    TGraphicTool* canvasPen = nullptr;    // owned
    std::function<void()> onCanvasChange;
    // Supplies a context on demand; fromWindow tells how to release it.
    std::function<HDC(bool& fromWindow)> getHandleProc;

    TGraphicTool& brush();  // made on first use
    TGraphicTool& font();
    TGraphicTool& pen();

    // Selects the stock objects in place of the tools: the next operation selects them
    // again.
    void deselectTools();

private:
    void selectFont();
    void selectPen(std::uint8_t& missing);
    void selectBrush();

    HDC dcHandle_ = nullptr;
    bool dcFromWindow_ = false;
    std::uint8_t canvasState_ = 0;
};

}  // namespace toolkit
