#include "components/visual/TZTHintManager.h"

#include <cstring>

#include "toolkit/drawing/FontHeight.h"
#include "toolkit/text/WideText.h"
#include "toolkit/window/TControl.h"

namespace components {

TZTHintManager::TZTHintManager() {
    hintFont.fontName = "Tahoma";
    hintFont.fontSize = 8;
    hintFont.fontCharset = 1;
    hintFont.fontColor = toolkit::clInfoText;
}

HFONT TZTHintManager::makeFont() const {
    LOGFONTW description{};
    description.lfHeight = toolkit::pointsToFontHeight(hintFont.fontSize);
    description.lfWeight = (hintFont.fontStyle & 1) ? 700 : 0;
    description.lfItalic = (hintFont.fontStyle & 2) ? 1 : 0;
    description.lfUnderline = (hintFont.fontStyle & 4) ? 1 : 0;
    description.lfStrikeOut = (hintFont.fontStyle & 8) ? 1 : 0;
    description.lfCharSet = hintFont.fontCharset;
    toolkit::toWide(hintFont.fontName).copy(description.lfFaceName, LF_FACESIZE - 1);  // cut to fit
    return CreateFontIndirectW(&description);
}

std::intptr_t TZTHintManager::addTool(HWND window) {
    auto* tool = new Registration{};
    TTTOOLINFOW& info = tool->info;
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(window);
    info.lpszText = tool->text.data();
    DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
    if (!standardStyle) style |= TTS_BALLOON;
    const HWND tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    info.lParam = reinterpret_cast<LPARAM>(tooltip);
    tool->font = makeFont();
    SendMessageW(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(tool->font), TRUE);
    SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tooltip, TTM_SETTIPTEXTCOLOR, toolkit::resolveColor(hintFont.fontColor), 0);
    SendMessageW(tooltip, TTM_SETTIPBKCOLOR, toolkit::resolveColor(hintBackColor), 0);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, initialDelay);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, autoPopDelay);
    RECT margins{margin, margin, margin, margin};
    SendMessageW(tooltip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
    return reinterpret_cast<std::intptr_t>(tool);
}

void TZTHintManager::removeTool(std::intptr_t tool) {
    if (!tool) return;
    Registration& r = registration(tool);
    const HWND tooltip = tooltipOf(tool);
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&r.info));
    DestroyWindow(tooltip);
    if (r.font) DeleteObject(r.font);
    delete &r;
}

void TZTHintManager::setText(std::intptr_t tool, const std::string& text) {
    Registration& r = registration(tool);
    r.text = toolkit::toWide(text);
    r.info.lpszText = r.text.data();
    SendMessageW(tooltipOf(tool), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&r.info));
}

void TZTHintManager::setTitle(std::intptr_t tool, int icon, const std::string& title) {
    const std::wstring wide = toolkit::toWide(title);
    SendMessageW(tooltipOf(tool), TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TZTHintManager::activate(std::intptr_t tool) {
    if (tracking)
        SendMessageW(tooltipOf(tool), TTM_TRACKACTIVATE, TRUE,
                     reinterpret_cast<LPARAM>(&registration(tool).info));
}

void TZTHintManager::deactivate(std::intptr_t tool) {
    if (tracking)
        SendMessageW(tooltipOf(tool), TTM_TRACKACTIVATE, FALSE,
                     reinterpret_cast<LPARAM>(&registration(tool).info));
}

void TZTHintManager::trackPosition(std::intptr_t tool, int x, int y) {
    if (tracking) SendMessageW(tooltipOf(tool), TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
}

}  // namespace components
