// Reads another program's windows from outside: for the visible top-level window of the
// given class, prints a line for the window and one per child window, each with its
// class, screen rectangle, visibility and text (UTF-8), separated by tabs.
//   window_texts.exe [CLASS]      (default obj_Form; exit code 1 when there is none)
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::wstring textOf(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return std::wstring(buffer, copied);
}

void printWindow(const char* kind, HWND window) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%s\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%s\n", kind, utf8(className).c_str(), r.left, r.top, r.right,
                r.bottom, IsWindowVisible(window) ? 1 : 0, utf8(textOf(window)).c_str());
}

struct Search {
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK findWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && search->className == className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK printChild(HWND window, LPARAM) {
    printWindow("child", window);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Search search{argc > 1 ? argv[1] : L"obj_Form"};
    EnumWindows(findWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    printWindow("window", search.found);
    EnumChildWindows(search.found, printChild, 0);
    return 0;
}
