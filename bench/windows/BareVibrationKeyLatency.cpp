// The vibration program's keystroke done by hand in a bare Win32 program, for comparing
// key latencies: the form's change notice reads the value and frequency fields, computes
// the RMS acceleration of a level in dB at the frequency, the 27 fields of the table
// (eight units, RMS, peak and peak-to-peak, three levels) with four significant digits
// or one decimal and a comma, writes each into its field, draws the RMS velocity's
// seven-segment cells into an off-screen picture and shows the velocity's zone line in
// its colour. The same windows, texts and pixels as the program, without the chart.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <numbers>

#include "BareDisplay.h"
#include "KeyLoop.h"

namespace {

struct Bare {
    HWND form = nullptr, value = nullptr, frequency = nullptr, zone = nullptr, display = nullptr;
    HWND fields[27] = {};
    bench::BarePicture picture;
    HBRUSH zoneBrush = nullptr;
} bare;

// Class II's zones: boundaries in mm/s, lines and colours.
constexpr double boundaries[] = {1.12, 2.8, 7.1};
constexpr const wchar_t* zoneLines[] = {
    L"Зона A — новые машины", L"Зона B — длительная эксплуатация без ограничений",
    L"Зона C — ограниченное время, планировать ремонт", L"Зона D — опасно, возможны повреждения"};
constexpr COLORREF zoneColours[] = {0x50C850, 0x3CDCB4, 0x00A5FF, 0x3C3CE6};

double readNumber(HWND field) {
    wchar_t text[64];
    GetWindowTextW(field, text, 64);
    for (wchar_t* c = text; *c; ++c)
        if (*c == L',') *c = L'.';
    return std::wcstod(text, nullptr);
}

// Four significant digits, plain from 0.001 to below 10000, else with an exponent; a comma.
void writeSignificant(double value, wchar_t* text, std::size_t size) {
    const int exponent = value != 0 ? static_cast<int>(std::floor(std::log10(std::fabs(value)))) : 0;
    if (exponent >= -3 && exponent <= 3)
        std::swprintf(text, size, L"%.*f", 3 - exponent, value);
    else
        std::swprintf(text, size, L"%.3fE%+03d", value / std::pow(10.0, exponent), exponent);
    for (wchar_t* c = text; *c; ++c)
        if (*c == L'.') *c = L',';
}

void writeLevel(double value, wchar_t* text, std::size_t size) {
    std::swprintf(text, size, L"%.1f", value);
    for (wchar_t* c = text; *c; ++c)
        if (*c == L'.') *c = L',';
}

void valueChanged() {
    const double level = readNumber(bare.value), hertz = readNumber(bare.frequency);
    const double w = 2 * std::numbers::pi * hertz;
    const double a = 1e-6 * std::pow(10.0, level / 20);
    const struct {
        double rms, reference;  // reference 0: no level
    } rows[] = {
        {a, 1e-6},           {a / 9.80665, 0},         {a / w * 1000, 1e-9},  {a / w, 0},
        {a / w / 0.0254, 0}, {a / w / w * 1e6, 1e-12}, {a / w / w * 1000, 0}, {a / w / w / 2.54e-5, 0}};
    const double levelOf[] = {a, 0, a / w, 0, 0, a / w / w, 0, 0};
    wchar_t text[64], velocity[64] = L"";
    int field = 0;
    for (int r = 0; r < 8; ++r) {
        for (double factor : {1.0, std::numbers::sqrt2, 2 * std::numbers::sqrt2}) {
            writeSignificant(rows[r].rms * factor, text, 64);
            SetWindowTextW(bare.fields[field++], text);
            if (r == 2 && factor == 1.0) std::wcscpy(velocity, text);
        }
        if (rows[r].reference != 0) {
            writeLevel(20 * (std::log10(levelOf[r]) - std::log10(rows[r].reference)), text, 64);
            SetWindowTextW(bare.fields[field++], text);
        }
    }
    const double shown = rows[2].rms;
    for (wchar_t* c = velocity; *c; ++c)
        if (*c == L',') *c = L'.';
    bench::drawDisplay(bare.picture, velocity);
    int zone = 0;
    while (zone < 3 && shown >= boundaries[zone]) ++zone;
    if (bare.zoneBrush) DeleteObject(bare.zoneBrush);
    bare.zoneBrush = CreateSolidBrush(zoneColours[zone]);
    SetWindowTextW(bare.zone, zoneLines[zone]);
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == bare.value)
        valueChanged();
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == bare.zone && bare.zoneBrush) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(bare.zoneBrush);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND child(const wchar_t* cls, const wchar_t* text, int x, int y, int w, int h, DWORD style,
           DWORD exStyle = 0) {
    static const HFONT font = [] {
        LOGFONTW f{};
        const HDC screen = GetDC(nullptr);
        f.lfHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        f.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(f.lfFaceName, L"Tahoma");
        return CreateFontIndirectW(&f);
    }();
    const HWND window = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                        bare.form, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

void createWindows() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = formProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareVibration";
    RegisterClassW(&wc);
    bare.form = CreateWindowExW(0, L"BareVibration", L"Bare", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100,
                                660, 600, nullptr, nullptr, wc.hInstance, nullptr);
    bare.value = child(L"EDIT", L"120", 166, 16, 120, 22, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    bare.frequency = child(L"EDIT", L"100", 166, 100, 120, 22, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    int field = 0;
    for (int r = 0; r < 8; ++r) {
        const int columns = r == 0 || r == 2 || r == 5 ? 4 : 3;
        for (int c = 0; c < columns; ++c)
            bare.fields[field++] = child(L"EDIT", L"", 182 + c * 100, 218 + r * 26, 94, 22,
                                         ES_RIGHT | ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    }
    bare.display = child(L"STATIC", L"", 182, 436, 240, 30, 0);
    bare.zone = child(L"STATIC", L"", 16, 476, 613, 22, SS_CENTERIMAGE);
}

}  // namespace

int wmain() {
    createWindows();
    bare.picture = bench::makePicture(bare.display);
    bench::showPicture(bare.picture);
    bench::measureKeys(bare.value, "key to the whole table");
    DestroyWindow(bare.form);
    return 0;
}
