// Starts a program and measures the time until a visible top-level window of the given
// class belongs to it; then closes it. Prints the milliseconds.
//   launch_timer.exe CLASS PROGRAM.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {
struct Search {
    DWORD process;
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK findWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (process == search->process && IsWindowVisible(window) && search->className == className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    const auto started = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 1;
    Search search{process.dwProcessId, argv[1]};
    while (!search.found) {
        EnumWindows(findWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    const auto shown = std::chrono::steady_clock::now();
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(shown - started).count());
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
