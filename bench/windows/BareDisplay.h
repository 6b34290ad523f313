// The seven-segment display of the bare benchmark programs, drawn the cheapest honest
// way: the cells of a text into an off-screen picture that a static window shows.
#pragma once

#include <windows.h>

namespace bench {

struct BarePicture {
    HWND window = nullptr;
    HDC dc = nullptr;  // with the DC brush selected
    int width = 0, height = 0;
};

// The segments a character lights, as on the converter's display.
inline const char* litSegments(wchar_t c) {
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
inline void hline(const BarePicture& picture, int y, int x1, int x2) {
    PatBlt(picture.dc, x1, y, x2 - x1, 1, PATCOPY);
}
inline void vline(const BarePicture& picture, int x, int y1, int y2) {
    PatBlt(picture.dc, x, y1, 1, y2 - y1, PATCOPY);
}

inline void drawSegment(const BarePicture& picture, char segment, int x, int W, int H, int t, int g) {
    switch (segment) {
        case '1':
            for (int k = 0; k <= g; ++k) hline(picture, k, x + k + 1, x + W - k - 1);
            break;
        case '2':
            for (int k = 0; k <= t; ++k) vline(picture, x + k, k + 1, H / 2 - k - 1);
            break;
        case '3':
            for (int k = 0; k <= t; ++k) vline(picture, x + k, H / 2 + k + 1, H - k - 1);
            break;
        case '4':
            for (int k = 0; k <= g; ++k) hline(picture, H - k - 1, x + k + 1, x + W - k - 1);
            break;
        case '5':
            for (int k = 0; k <= t; ++k) vline(picture, x + W - k, H / 2 + k, H - k);
            break;
        case '6':
            for (int k = 0; k <= t; ++k) vline(picture, x + W - k, k, H / 2 - k);
            break;
        case '7':
            for (int k = 0; k <= g; ++k) hline(picture, H / 2 - k - 1, x + k + 1, x + W - k - 1);
            for (int k = 0; k <= g; ++k) hline(picture, H / 2 + k, x + k + 1, x + W - k - 1);
            break;
    }
}

inline void drawDisplay(const BarePicture& picture, const wchar_t* text) {
    const int H = picture.height, W = H * 6 / 10, t = W / 7, g = W / 10;
    SetDCBrushColor(picture.dc, RGB(0, 0, 0));
    PatBlt(picture.dc, 0, 0, picture.width, H, PATCOPY);
    SetDCBrushColor(picture.dc, RGB(0, 255, 0));
    for (int i = 0; text[i]; ++i) {
        const int x = i * (W + 3);
        if (text[i] == L'.') {
            // The point: the box that a rectangle of the lit pen and brush covers.
            PatBlt(picture.dc, x + W - 2 * t, H - 3 * g, 2 * t, 2 * g, PATCOPY);
        } else {
            for (const char* s = litSegments(text[i]); *s; ++s) drawSegment(picture, *s, x, W, H, t, g);
        }
    }
    InvalidateRect(picture.window, nullptr, FALSE);
}

// A picture of the window's client size, which its paints copy.
inline BarePicture makePicture(HWND window) {
    BarePicture picture;
    picture.window = window;
    RECT client;
    GetClientRect(window, &client);
    picture.width = client.right;
    picture.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    picture.dc = CreateCompatibleDC(nullptr);
    SelectObject(picture.dc, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectObject(picture.dc, GetStockObject(DC_BRUSH));
    return picture;
}

// The display's paints copy the picture: its procedure takes the static's place.
inline const BarePicture* shownPicture = nullptr;
inline WNDPROC staticProc = nullptr;

inline LRESULT CALLBACK displayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return CallWindowProcW(staticProc, window, message, wParam, lParam);
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window, &ps);
    BitBlt(dc, 0, 0, shownPicture->width, shownPicture->height, shownPicture->dc, 0, 0, SRCCOPY);
    EndPaint(window, &ps);
    return 0;
}

inline void showPicture(const BarePicture& picture) {
    shownPicture = &picture;
    staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(picture.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(displayProc)));
}

}  // namespace bench
