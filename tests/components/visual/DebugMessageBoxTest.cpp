// The real box: a helper thread finds it, reads what it shows and presses OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "components/visual/ProgramRun.h"
#include "dataflow/DebugMessage.h"
#include "toolkit/text/WideText.h"

using namespace dataflow;

namespace {

struct BoxSeen {
    std::wstring caption;
    std::wstring text;
    int buttons = 0;
};

BOOL CALLBACK readChild(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<BoxSeen*>(param);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    if (lstrcmpiW(className, L"Button") == 0) ++seen->buttons;
    if (lstrcmpiW(className, L"Static") == 0 && text[0] != 0) seen->text = text;
    return TRUE;
}

DWORD WINAPI answerTheBox(LPVOID param) {
    auto* seen = static_cast<BoxSeen*>(param);
    for (int attempt = 0; attempt < 200; ++attempt) {
        HWND box = FindWindowW(L"#32770", L"String-Debug");
        if (box) {
            Sleep(100);  // let the box finish laying out its children
            wchar_t caption[64] = {};
            GetWindowTextW(box, caption, 64);
            seen->caption = caption;
            EnumChildWindows(box, readChild, reinterpret_cast<LPARAM>(seen));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(50);
    }
    return 1;
}

}  // namespace

// A program's modules install the box.
TEST(DebugMessageBox, ShowsCyrillicTextWithItsCaptionAndOneButton) {
    const TDebugMessageSink before = setDebugMessageSink(nullptr);
    components::TProgramModules modules;
    BoxSeen seen;
    HANDLE helper = CreateThread(nullptr, 0, answerTheBox, &seen, 0, nullptr);
    showDebugMessage("Ошибка синтаксиса в элементе DazeDuveru\r\nОбнаружена в позиции 2");
    WaitForSingleObject(helper, 15000);
    CloseHandle(helper);
    setDebugMessageSink(before);

    EXPECT_EQ(seen.caption, L"String-Debug");
    EXPECT_EQ(toolkit::fromWide(seen.text),
              "Ошибка синтаксиса в элементе DazeDuveru\r\nОбнаружена в позиции 2");
    EXPECT_EQ(seen.buttons, 1);
}
