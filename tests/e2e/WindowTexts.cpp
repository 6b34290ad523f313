// Reads another program's windows from outside: for the visible top-level window of the
// given class, prints a line for the window and one per child window, separated by
// tabs: kind, class, screen rectangle (left, top, right, bottom), visibility, style and
// extended style (hexadecimal), client width and height, the selection of an edit
// field (start:end, followed by +N while a one-line field shows its text from character
// N on; else -) and the text (UTF-8, line ends written as \r and \n).
// A last line "focus" gives the rectangle of the window that has the keyboard focus.
//   window_texts.exe [CLASS]      (default obj_Form; exit code 1 when there is none)
// The clipboard, which the programs under Wine share: its Unicode text printed as UTF-8
// (line ends as they are), or the text of a UTF-8 file put on it (a file: the command
// line of a program under a C locale keeps no Cyrillic).
//   window_texts.exe --clipboard
//   window_texts.exe --set-clipboard FILE
// or the size of the picture on it ("WIDTHxHEIGHT"; nothing when it holds none).
//   window_texts.exe --clipboard-picture
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
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

int clipboard() {
    if (!OpenClipboard(nullptr)) return 1;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            _setmode(_fileno(stdout), _O_BINARY);  // the line ends as they are
            std::fputs(utf8(text).c_str(), stdout);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return 0;
}

int clipboardPicture() {
    if (!OpenClipboard(nullptr)) return 1;
    if (const auto picture = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP size = {};
        if (GetObjectW(picture, sizeof size, &size)) std::printf("%ldx%ld\n", size.bmWidth, size.bmHeight);
    }
    CloseClipboard();
    return 0;
}

int setClipboard(const wchar_t* path) {
    std::FILE* file = _wfopen(path, L"rb");
    if (!file) return 1;
    std::string content;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) content.append(buffer, n);
    std::fclose(file);
    std::wstring wide(content.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, content.data(),
                                                             static_cast<int>(content.size()), wide.data(),
                                                             static_cast<int>(wide.size()))));
    const wchar_t* text = wide.c_str();
    if (!OpenClipboard(nullptr)) return 1;
    EmptyClipboard();
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--clipboard") return clipboard();
    if (argc > 1 && std::wstring(argv[1]) == L"--clipboard-picture") return clipboardPicture();
    if (argc > 2 && std::wstring(argv[1]) == L"--set-clipboard") return setClipboard(argv[2]);
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
