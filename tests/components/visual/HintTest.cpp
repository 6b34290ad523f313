// Tooltips: one tooltip window per component with a hint, none without.
#include <string>
#include <vector>

#include "components/visual/TZTEdit.h"
#include "components/visual/TZTHintManager.h"
#include "dataflow/EventDispatch.h"
#include "tests/support/WindowTest.h"

using namespace components;
using testsupport::WindowTest;

namespace {

bool isTooltip(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return lstrcmpiW(name, L"tooltips_class32") == 0;
}

// The tooltip windows of this thread (a tooltip's owner is the top-level window).
std::vector<HWND> tooltipWindowList() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            if (isTooltip(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

int tooltipWindows() { return static_cast<int>(tooltipWindowList().size()); }

HWND someTooltip() {
    const std::vector<HWND> found = tooltipWindowList();
    return found.empty() ? nullptr : found.back();
}

class Hints : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        toolkit::initCommonControls(0xFF);
        manager = new TZTHintManager;
        globalHintManager = manager;
        form = TControl::newForm(nullptr, "Form");
        form->getWindowHandle();
    }
    void TearDown() override {
        form->free();
        globalHintManager = nullptr;
        delete manager;
        WindowTest::TearDown();
    }
    TZTHintManager* manager = nullptr;
    TControl* form = nullptr;
};

}  // namespace

TEST_F(Hints, OnlyAComponentWithAHintGetsATooltipWindow) {
    const int before = tooltipWindows();
    auto* silent = new TZTEdit(form);
    silent->init();
    silent->attachHint(nullptr);
    EXPECT_EQ(silent->hintTool(), 0);
    EXPECT_EQ(tooltipWindows(), before);

    auto* helpful = new TZTEdit(form);
    helpful->hint = "Подсказка";
    helpful->init();
    helpful->attachHint(nullptr);
    EXPECT_NE(helpful->hintTool(), 0);
    EXPECT_EQ(tooltipWindows(), before + 1);

    delete helpful;  // its registration and tooltip window go with it
    EXPECT_EQ(tooltipWindows(), before);
    delete silent;
}

TEST_F(Hints, TheTooltipCarriesTheHintText) {
    auto* edit = new TZTEdit(form);
    edit->hint = "Подсказка";
    edit->init();
    edit->attachHint(nullptr);
    HWND tooltip = someTooltip();
    ASSERT_NE(tooltip, nullptr);
    wchar_t text[64] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = edit->control->handle();
    info.uId = reinterpret_cast<UINT_PTR>(edit->control->handle());
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::wstring(text), L"Подсказка");
    delete edit;
}

// Another provider could offer titles too: the title goes through the interface.
TEST_F(Hints, TheTitleIsSetThroughTheInterface) {
    auto* edit = new TZTEdit(form);
    edit->hint = "Подсказка";
    edit->init();
    edit->attachHint(nullptr);
    HWND tooltip = someTooltip();
    ASSERT_NE(tooltip, nullptr);
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = edit->control->handle();
    info.uId = reinterpret_cast<UINT_PTR>(edit->control->handle());
    const auto bubbleHeight = [&] {
        return HIWORD(SendMessageW(tooltip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&info)));
    };
    const int withoutTitle = bubbleHeight();
    THintInterface& provider = *globalHintManager;
    provider.setTitle(edit->hintTool(), TTI_INFO, "Заголовок");
    EXPECT_GT(bubbleHeight(), withoutTitle);  // the title takes a line of its own
    delete edit;
}

// The manager's settings reach each tooltip window it makes.
TEST_F(Hints, SettingsReachTheTooltipWindow) {
    manager->standardStyle = false;
    manager->hintFont.fontStyle = 1;
    manager->initialDelay = 300;
    manager->autoPopDelay = 7000;
    manager->hintBackColor = 0x00102030;
    auto* edit = new TZTEdit(form);
    edit->hint = "Подсказка";
    edit->init();
    edit->attachHint(nullptr);
    const HWND tooltip = someTooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_NE(GetWindowLongW(tooltip, GWL_STYLE) & TTS_BALLOON, 0);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 300);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 7000);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTIPBKCOLOR, 0, 0), 0x00102030);
    const HFONT font = TZTHintManager::fontOf(edit->hintTool());
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    EXPECT_EQ(description.lfWeight, 700);

    // Without tracking the mouse handlers send the tooltip nothing.
    static int trackMessages = 0;
    static WNDPROC original = nullptr;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tooltip, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                              if (m == TTM_TRACKACTIVATE || m == TTM_TRACKPOSITION) ++trackMessages;
                              return CallWindowProcW(original, w, m, wp, lp);
                          })));
    globalHintManager->activate(edit->hintTool());
    globalHintManager->trackPosition(edit->hintTool(), 1, 1);
    globalHintManager->deactivate(edit->hintTool());
    EXPECT_EQ(trackMessages, 0);
    SetWindowLongPtrW(tooltip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));

    delete edit;  // the font made for the tooltip goes with it
    EXPECT_EQ(GetObjectType(font), 0u);
}
