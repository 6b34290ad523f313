// A line of text shown as seven-segment digits, drawn into an off-screen bitmap that
// every paint copies to the window. Only whole cells are drawn, and a number longer
// than the cells is rounded to them (hyphens where even its integer part is too long).
#pragma once

#include <cstdint>
#include <string>

#include "components/visual/TZTWin.h"
#include "toolkit/drawing/TBitmap.h"

namespace components {

class TZTLedNumber : public TZTWin {
public:
    using TZTWin::TZTWin;
    ~TZTLedNumber() override;

    // Properties.
    std::string initialText;
    bool showUnlit = false;
    TTextAlign digitAlign = taLeft;
    COLORREF backColor = 0, litColor = 0, unlitColor = 0;
    bool hoverEnabled = false;
    COLORREF hoverBackColor = 0, hoverLitColor = 0, hoverUnlitColor = 0;

    // Links.
    TDataLink textSource;
    TEventLink onClick;

    void init() override;
    void doText(TData& data, std::uint16_t index);  // input method

    const std::string& shownText() const { return shownText_; }
    std::int32_t charCount() const { return charCount_; }

protected:
    void mouseEnter() override;
    void mouseLeave() override;

private:
    static bool messageHook(void* self, TControl& control, toolkit::TMsg& msg);
    void redraw();
    static int wholeCells(int Wc, int W);
    void drawCell(char c, int x, int W, int H, int t, int g);
    void drawSegment(int segment, int x, int W, int H, int t, int g);
    void drawColon(int x, int W, int H, int t, int g);
    void useColour(COLORREF colour);
    void hline(int y, int x1, int x2);
    void vline(int x, int y1, int y2);

    COLORREF currentBack_ = 0, currentLit_ = 0, currentUnlit_ = 0;
    std::string shownText_;
    std::int32_t charCount_ = 0;
    toolkit::TBitmap* buffer_ = nullptr;
};

}  // namespace components
