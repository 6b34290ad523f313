// The converter's keystroke done by hand in a bare Win32 program, for comparing key
// latencies: the form's change notice reads the level field, converts and computes the
// acceleration, writes its 15-digit text into the result field, and draws the text's
// seven-segment cells into an off-screen bitmap that a static shows. The same windows,
// texts and pixels as the converter, each drawn the cheapest honest way.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>

#include "BareDisplay.h"
#include "KeyLoop.h"

namespace {

struct Bare {
    HWND form = nullptr, level = nullptr, memo = nullptr, result = nullptr, display = nullptr;
    bench::BarePicture picture;
} bare;

// Fifteen significant digits in plain decimals, trailing zeros dropped.
void writeNumber(double value, wchar_t* text, std::size_t size) {
    const int exponent = value != 0 ? static_cast<int>(std::floor(std::log10(std::fabs(value)))) : 0;
    std::swprintf(text, size, L"%.*f", exponent < 14 ? 14 - exponent : 0, value);
    if (std::wcschr(text, L'.')) {
        wchar_t* end = text + std::wcslen(text);
        while (end[-1] == L'0') --end;
        if (end[-1] == L'.') --end;
        *end = 0;
    }
}

void levelChanged() {
    wchar_t typed[64];
    GetWindowTextW(bare.level, typed, 64);
    const double level = std::wcstod(typed, nullptr);
    if (level < 0.0000001) {
        SetWindowTextW(bare.memo, L"Введите число большее нуля!!! ");
        return;
    }
    wchar_t text[64];
    writeNumber(0.000001 * std::exp(level * 0.1151292546), text, 64);
    SetWindowTextW(bare.result, text);
    bench::drawDisplay(bare.picture, text);
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == bare.level)
        levelChanged();
    return DefWindowProcW(window, message, wParam, lParam);
}

// The converter's font: 8 points of "MS Sans Serif" at the screen's DPI.
HFONT converterFont() {
    const HDC screen = GetDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = (8 * GetDeviceCaps(screen, LOGPIXELSY) + 36) / -72;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(font.lfFaceName, L"MS Sans Serif");
    ReleaseDC(nullptr, screen);
    return CreateFontIndirectW(&font);
}

HWND child(const wchar_t* cls, const wchar_t* text, int x, int y, int w, int h, DWORD style) {
    static const HFONT font = converterFont();
    const HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w,
                                        h, bare.form, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

void createWindows() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = formProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareForm";
    RegisterClassW(&wc);
    bare.form = CreateWindowExW(0, L"BareForm", L"Bare", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 332,
                                224, nullptr, nullptr, wc.hInstance, nullptr);
    bare.level = child(L"EDIT", L"", 20, 40, 50, 20, ES_AUTOHSCROLL | WS_TABSTOP);
    child(L"STATIC", L"Введите виброускорение в дБ ", 20, 15, 157, 17, 0);
    child(L"STATIC", L"Значение виброускорения в м/с2 ", 20, 70, 175, 17, 0);
    bare.display = child(L"STATIC", L"", 20, 90, 285, 20, 0);
    bare.memo = child(L"EDIT", L"", 15, 150, 290, 25, ES_MULTILINE);
    bare.result = child(L"EDIT", L"", 20, 120, 280, 20, ES_AUTOHSCROLL | WS_TABSTOP);
}

}  // namespace

int wmain() {
    createWindows();
    bare.picture = bench::makePicture(bare.display);
    bench::showPicture(bare.picture);
    bench::measureKeys(bare.level);
    DestroyWindow(bare.form);
    return 0;
}
