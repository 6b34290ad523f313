// Reads another program's windows from outside: for the visible top-level window of the
// given class, prints a line for the window and one per child window, separated by
// tabs: kind, class, screen rectangle (left, top, right, bottom), visibility, style and
// extended style (hexadecimal), client width and height, the selection of an edit
// field (start:end, followed by +N while a one-line field shows its text from character
// N on; else -) and the text (UTF-8, line ends written as \r and \n).
// A last line "focus" gives the rectangle of the window that has the keyboard focus.
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

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

std::wstring textOf(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return std::wstring(buffer, copied);
}

std::string selectionOf(HWND window, const std::wstring& className) {
    if (className.find(L"EDIT") == std::wstring::npos) return "-";
    DWORD_PTR selection = 0, firstVisible = 0;
    SendMessageTimeoutW(window, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
    if (!(GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE))
        SendMessageTimeoutW(window, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 2000, &firstVisible);
    return std::to_string(LOWORD(selection)) + ":" + std::to_string(HIWORD(selection)) +
           (firstVisible ? "+" + std::to_string(firstVisible) : "");
}

void printWindow(const char* kind, HWND window) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    RECT r, client;
    GetWindowRect(window, &r);
    GetClientRect(window, &client);
    std::printf("%s\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%08lX\t%08lX\t%ld\t%ld\t%s\t%s\n", kind,
                utf8(className).c_str(), r.left, r.top, r.right, r.bottom, IsWindowVisible(window) ? 1 : 0,
                static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), client.right, client.bottom,
                selectionOf(window, className).c_str(), escaped(utf8(textOf(window))).c_str());
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
    GUITHREADINFO thread{sizeof thread};
    RECT focus{};
    if (GetGUIThreadInfo(GetWindowThreadProcessId(search.found, nullptr), &thread) && thread.hwndFocus)
        GetWindowRect(thread.hwndFocus, &focus);
    std::printf("focus\t%ld\t%ld\t%ld\t%ld\n", focus.left, focus.top, focus.right, focus.bottom);
    return 0;
}
