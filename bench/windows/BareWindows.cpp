// A bare Win32 program that creates the same seven windows as the converter (a form,
// three edit boxes, three static texts), for comparing start-up times.
#include <windows.h>

namespace {
LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = formProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareForm";
    RegisterClassW(&wc);
    HWND form = CreateWindowExW(0, L"BareForm", L"Bare", WS_CAPTION | WS_SYSMENU, 100, 100, 332, 224, nullptr,
                                nullptr, instance, nullptr);
    const struct {
        const wchar_t* cls;
        const wchar_t* text;
        int x, y, w, h;
        DWORD style;
    } children[] = {
        {L"EDIT", L"", 20, 40, 50, 20, WS_BORDER | ES_AUTOHSCROLL},
        {L"STATIC", L"Введите виброускорение в дБ ", 20, 15, 157, 17, 0},
        {L"STATIC", L"Значение виброускорения в м/с2 ", 20, 70, 175, 17, 0},
        {L"STATIC", L"", 20, 90, 285, 20, 0},
        {L"EDIT", L"", 15, 150, 290, 25, WS_BORDER | ES_MULTILINE},
        {L"EDIT", L"", 20, 120, 280, 20, WS_BORDER | ES_AUTOHSCROLL},
    };
    for (const auto& c : children)
        CreateWindowExW(WS_EX_CLIENTEDGE, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.w, c.h,
                        form, nullptr, instance, nullptr);
    ShowWindow(form, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
