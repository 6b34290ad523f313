// The converter's keystroke done by hand in a bare Win32 program, for comparing key
// latencies: the form's change notice reads the level field, converts and computes the
// acceleration, writes its 15-digit text into the result field, and draws the text's
// seven-segment cells into an off-screen bitmap that a static shows. The same windows,
// texts and pixels as the converter, each drawn the cheapest honest way.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>

#include "KeyLoop.h"

namespace {

struct Bare {
    HWND form = nullptr, level = nullptr, memo = nullptr, result = nullptr, display = nullptr;
    HDC pictureDc = nullptr;
    int width = 0, height = 0;
} bare;

// The segments a character lights, as on the converter's display.
const char* litSegments(wchar_t c) {
    switch (c) {
        case L'0': return "123456";
        case L'1': return "65";
        case L'2': return "16734";
        case L'3': return "16754";
        case L'4': return "2765";
        case L'5': return "12754";
        case L'6': return "123457";
        case L'7': return "165";
        case L'8': return "1234567";
        case L'9': return "126754";
        case L'-': return "7";
        default: return "";
    }
}

// One-pixel lines as one-pixel-wide rectangles of the selected brush; the end is left
// out, as a line's last pixel is.
void hline(int y, int x1, int x2) { PatBlt(bare.pictureDc, x1, y, x2 - x1, 1, PATCOPY); }
void vline(int x, int y1, int y2) { PatBlt(bare.pictureDc, x, y1, 1, y2 - y1, PATCOPY); }

void drawSegment(char segment, int x, int W, int H, int t, int g) {
    switch (segment) {
        case '1':
            for (int k = 0; k <= g; ++k) hline(k, x + k + 1, x + W - k - 1);
            break;
        case '2':
            for (int k = 0; k <= t; ++k) vline(x + k, k + 1, H / 2 - k - 1);
            break;
        case '3':
            for (int k = 0; k <= t; ++k) vline(x + k, H / 2 + k + 1, H - k - 1);
            break;
        case '4':
            for (int k = 0; k <= g; ++k) hline(H - k - 1, x + k + 1, x + W - k - 1);
            break;
        case '5':
            for (int k = 0; k <= t; ++k) vline(x + W - k, H / 2 + k, H - k);
            break;
        case '6':
            for (int k = 0; k <= t; ++k) vline(x + W - k, k, H / 2 - k);
            break;
        case '7':
            for (int k = 0; k <= g; ++k) hline(H / 2 - k - 1, x + k + 1, x + W - k - 1);
            for (int k = 0; k <= g; ++k) hline(H / 2 + k, x + k + 1, x + W - k - 1);
            break;
    }
}

void drawDisplay(const wchar_t* text) {
    const int H = bare.height, W = H * 6 / 10, t = W / 7, g = W / 10;
    SetDCBrushColor(bare.pictureDc, RGB(0, 0, 0));
    PatBlt(bare.pictureDc, 0, 0, bare.width, H, PATCOPY);
    SetDCBrushColor(bare.pictureDc, RGB(0, 255, 0));
    for (int i = 0; text[i]; ++i) {
        const int x = i * (W + 3);
        if (text[i] == L'.') {
            // The point: the box that a rectangle of the lit pen and brush covers.
            PatBlt(bare.pictureDc, x + W - 2 * t, H - 3 * g, 2 * t, 2 * g, PATCOPY);
        } else {
            for (const char* s = litSegments(text[i]); *s; ++s) drawSegment(*s, x, W, H, t, g);
        }
    }
    InvalidateRect(bare.display, nullptr, FALSE);
}

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
    drawDisplay(text);
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == bare.level)
        levelChanged();
    return DefWindowProcW(window, message, wParam, lParam);
}

WNDPROC staticProc = nullptr;

LRESULT CALLBACK displayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return CallWindowProcW(staticProc, window, message, wParam, lParam);
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window, &ps);
    BitBlt(dc, 0, 0, bare.width, bare.height, bare.pictureDc, 0, 0, SRCCOPY);
    EndPaint(window, &ps);
    return 0;
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
    staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bare.display, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(displayProc)));
}

void createPicture() {
    RECT client;
    GetClientRect(bare.display, &client);
    bare.width = client.right;
    bare.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bare.width, -bare.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bare.pictureDc = CreateCompatibleDC(nullptr);
    SelectObject(bare.pictureDc, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectObject(bare.pictureDc, GetStockObject(DC_BRUSH));
}

}  // namespace

int wmain() {
    createWindows();
    createPicture();
    bench::measureKeys(bare.level);
    DestroyWindow(bare.form);
    return 0;
}
