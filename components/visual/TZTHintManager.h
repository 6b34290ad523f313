// Tooltips for window components: one common-controls tooltip window per registered
// control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "components/TFontRec.h"
#include "components/visual/THintInterface.h"
#include "toolkit/drawing/Colors.h"

namespace components {

class TZTHintManager : public THintInterface {
public:
    TZTHintManager();

    bool standardStyle = true;  // false: balloon tooltips
    std::uint32_t hintBackColor = toolkit::clInfoBackground;
    std::int32_t initialDelay = 500;
    std::int32_t autoPopDelay = 5000;
    std::int32_t margin = 0;
    bool tracking = false;
    TFontRec hintFont;

    std::intptr_t addTool(HWND window) override;
    void removeTool(std::intptr_t tool) override;
    void setText(std::intptr_t tool, const std::string& text) override;
    void setTitle(std::intptr_t tool, int icon, const std::string& title) override;
    void activate(std::intptr_t tool) override;
    void deactivate(std::intptr_t tool) override;
    void trackPosition(std::intptr_t tool, int x, int y) override;

    // The font made for a registration's tooltip.
    static HFONT fontOf(std::intptr_t tool) { return registration(tool).font; }

private:
    // A registration: the tool record, its tooltip window, the text it shows and the
    // font made for it (the tooltip draws with a copy of its own, so this one is kept
    // to be deleted with the registration).
    struct Registration {
        TTTOOLINFOW info;
        std::wstring text;
        HFONT font;
    };
    static Registration& registration(std::intptr_t tool) { return *reinterpret_cast<Registration*>(tool); }
    static HWND tooltipOf(std::intptr_t tool) {
        return reinterpret_cast<HWND>(registration(tool).info.lParam);
    }
    HFONT makeFont() const;
};

}  // namespace components
