// The message chain on real windows: attached handlers, deferred release, reflected
// notifications and the keyboard rules.
#include <string>
#include <vector>

#include "tests/support/WindowTest.h"
#include "toolkit/window/SelfProperty.h"

using namespace toolkit;
using testsupport::pumpMessages;
using testsupport::WindowTest;

namespace {

constexpr UINT probeMessage = WM_APP + 1;

struct Recorder {
    std::string log;
    char name = '?';
    bool handles = false;
};

bool record(void* context, TControl&, TMsg& msg) {
    auto* recorder = static_cast<Recorder*>(context);
    if (msg.message != probeMessage) return false;
    recorder->log += recorder->name;
    return recorder->handles;
}

// Frees its control from inside the chain and notes whether it died right there.
struct SelfFreeing {
    bool destroyed = false;
    bool destroyedInsideHandler = false;
};

bool freeSelf(void* context, TControl& control, TMsg& msg) {
    if (msg.message != probeMessage) return false;
    auto* state = static_cast<SelfFreeing*>(context);
    control.free();
    control.free();  // a second request in the same window changes nothing
    state->destroyedInsideHandler = state->destroyed;
    return false;
}

}  // namespace

using Dispatch = WindowTest;

TEST_F(Dispatch, AttachedHandlersRunLastFirstAndOnce) {
    std::string log;
    Recorder a{"", 'a'}, b{"", 'b'};
    TControl* form = makeForm();
    form->attachProc(TMessageHandler{record, &a});
    form->attachProc(TMessageHandler{record, &b});
    form->attachProc(TMessageHandler{record, &a});  // already attached
    form->perform(probeMessage, 0, 0);
    EXPECT_EQ(b.log + a.log, "ba");
    b.handles = true;
    form->perform(probeMessage, 0, 0);
    EXPECT_EQ(a.log, "a");  // b handled it: a did not see it
}

TEST_F(Dispatch, AControlFreedByItsHandlerDiesAfterTheChain) {
    TControl* form = makeForm();
    SelfFreeing state;
    form->onDestroy = [&state](TObj*) { state.destroyed = true; };
    Recorder earlier{"", 'e'};
    form->attachProc(TMessageHandler{record, &earlier});
    form->attachProc(TMessageHandler{freeSelf, &state});
    // Nothing after the chain may touch the freed control: not its after-handler either.
    static bool afterRan;
    afterRan = false;
    form->afterHandler = TMessageHandler{[](void*, TControl&, TMsg& msg) {
                                             if (msg.message == probeMessage) afterRan = true;
                                             return false;
                                         },
                                         nullptr};
    const HWND window = form->getWindowHandle();
    EXPECT_EQ(SendMessageW(window, probeMessage, 0, 0), 0);
    EXPECT_FALSE(state.destroyedInsideHandler);
    EXPECT_EQ(earlier.log, "e");  // the walk went on while the control was kept alive
    EXPECT_TRUE(state.destroyed);
    EXPECT_FALSE(afterRan);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Dispatch, TheWindowKnowsItsControlUntilItIsDestroyed) {
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, 0);
    const HWND formWindow = form->getWindowHandle();
    const HWND editWindow = edit->handle();
    // The real property is there for anyone who looks, and agrees with the lookup.
    EXPECT_EQ(GetPropW(editWindow, L"SELF_"), edit);
    EXPECT_EQ(selfProperty(editWindow), edit);
    EXPECT_EQ(selfProperty(formWindow), form);
    EXPECT_EQ(selfProperty(GetDesktopWindow()), nullptr);
    // A handler that takes WM_NCDESTROY for itself skips the built-in removal; the
    // window still forgets its control when it goes.
    edit->attachProc(
        TMessageHandler{[](void*, TControl&, TMsg& msg) { return msg.message == WM_NCDESTROY; }, nullptr});
    DestroyWindow(editWindow);
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(selfProperty(editWindow), nullptr);
    EXPECT_EQ(selfProperty(formWindow), form);
    form->free();
    EXPECT_EQ(selfProperty(formWindow), nullptr);
}

TEST_F(Dispatch, CommandNotificationsAreAnsweredByTheChild) {
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, 0);
    std::vector<std::string> events;
    edit->onChange = [&](TControl&) { events.push_back("change"); };
    edit->onEnter = [&](TControl&) { events.push_back("enter"); };
    edit->onLeave = [&](TControl&) { events.push_back("leave"); };
    form->show();
    form->getWindowHandle();
    SetFocus(edit->handle());                       // EN_SETFOCUS to the form
    SendMessageW(edit->handle(), WM_CHAR, '5', 0);  // EN_CHANGE to the form
    SendMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(edit->controlId, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(edit->handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "change", "leave"}));
}

TEST_F(Dispatch, TransparentChildAnswersColourMessagesWithTheNullBrush) {
    TControl* form = makeForm();
    TControl* label = TControl::newLabel(form, "text");
    label->setTransparent(true);
    form->getWindowHandle();
    HDC dc = GetDC(form->handle());
    const LRESULT brush = SendMessageW(form->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(label->handle()));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    label->setTransparent(false);
    label->setColor(0x000000FF);
    const LRESULT solid = SendMessageW(form->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(label->handle()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(solid), label->backgroundBrush());
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), 0x000000FFu);
    ReleaseDC(form->handle(), dc);
}

namespace {
std::vector<std::pair<std::uint32_t, bool>> gotoCalls;
bool recordGoto(TControl&, std::uint32_t key, bool notKeyDown) {
    gotoCalls.emplace_back(key, notKeyDown);
    return key == VK_TAB;
}
}  // namespace

TEST_F(Dispatch, TabCharacterIsSwallowedAndTheKeyGoesToGotoControl) {
    gotoCalls.clear();
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, eoMultiline);
    form->gotoControl = recordGoto;
    form->show();
    form->getWindowHandle();
    SetFocus(edit->handle());
    ASSERT_EQ(GetFocus(), edit->handle());
    SendMessageW(edit->handle(), WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(edit->getControlText(), "");
    SendMessageW(edit->handle(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_EQ(gotoCalls.size(), 1u);
    EXPECT_EQ(gotoCalls[0], std::make_pair(std::uint32_t{VK_TAB}, false));
    // Characters are never taken for navigation keys: "(" is 0x28, the down arrow's code.
    SendMessageW(edit->handle(), WM_CHAR, '(', 0);
    SendMessageW(edit->handle(), WM_CHAR, '&', 0);
    EXPECT_EQ(edit->getControlText(), "(&");
    EXPECT_EQ(gotoCalls.size(), 1u);
    std::vector<std::pair<std::uint32_t, bool>>().swap(gotoCalls);  // no blocks left behind
}

// Character messages carry UTF-16; the handlers see Windows-1251 bytes, and the control
// gets what the handler changed, converted back, or else exactly what was typed.
TEST_F(Dispatch, CharactersCrossTheBoundaryAsWindows1251) {
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, 0);
    std::string seen;
    edit->setOnChar([&seen](TControl&, char& key, std::uint32_t) {
        seen.push_back(key);
        if (key == "а"[0]) key = "я"[0];
        if (key == "ы"[0]) key = 0;
    });
    form->show();
    form->getWindowHandle();
    SetFocus(edit->handle());
    for (wchar_t c : std::wstring(L"бaаы€中é\U0001F600")) SendMessageW(edit->handle(), WM_CHAR, c, 0);
    // "€" is in 1251; "中", "é" and both surrogate halves are not: "?", no look-alike.
    EXPECT_EQ(seen,
              "бaаы€???"
              "?");
    wchar_t text[32] = {};
    GetWindowTextW(edit->handle(), text, 32);
    const std::wstring expected = L"бaя€中é\U0001F600";  // outside the macro: it quotes its text in 1251
    EXPECT_TRUE(expected == text);
    EXPECT_EQ(edit->getControlText(),
              "бaя€???"
              "?");
}

TEST_F(Dispatch, KeysOfAnUnfocusedControlAreIgnored) {
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, 0);
    TControl* other = TControl::newEditbox(form, 0);
    form->show();
    form->getWindowHandle();
    SetFocus(edit->handle());
    SetFocus(other->handle());
    SendMessageW(edit->handle(), WM_CHAR, 'z', 0);
    edit->tabStop = false;  // takes no focus: a focus message sent by hand leaves it where it is
    SendMessageW(edit->handle(), WM_SETFOCUS, 0, 0);
    SendMessageW(edit->handle(), WM_CHAR, 'y', 0);
    EXPECT_EQ(edit->getControlText(), "");
    edit->tabStop = true;
    SetFocus(edit->handle());
    SendMessageW(edit->handle(), WM_CHAR, 'x', 0);
    EXPECT_EQ(edit->getControlText(), "x");
    // Except Alt+Space, which a focused child hands on to its form: the window menu.
    int windowMenus = 0;
    form->attachProc(TMessageHandler{[](void* count, TControl&, TMsg& msg) {
                                         if (msg.message != WM_SYSCOMMAND ||
                                             (msg.wParam & 0xFFF0) != SC_KEYMENU)
                                             return false;
                                         ++*static_cast<int*>(count);
                                         return true;  // the menu itself would wait for the user
                                     },
                                     &windowMenus});
    SendMessageW(edit->handle(), WM_SYSCHAR, 'x', 0x20000000);  // with Alt (bit 29)
    SendMessageW(edit->handle(), WM_SYSCHAR, VK_SPACE, 0x20000000);
    EXPECT_EQ(windowMenus, 1);
}

TEST_F(Dispatch, KeyHandlerCanStopAKey) {
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, 0);
    edit->setOnChar([](TControl&, char& key, std::uint32_t) {
        if (key == 'q') key = 0;
        if (key == 'a') key = 'b';
    });
    form->show();
    form->getWindowHandle();
    SetFocus(edit->handle());
    for (char c : std::string("qa1")) SendMessageW(edit->handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_EQ(edit->getControlText(), "b1");
}

TEST_F(Dispatch, FocusReopeningAndTerminationRules) {
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, 0);
    form->show();
    form->getWindowHandle();
    // A control that is no tab stop takes no focus: its class never hears of it.
    int entered = 0;
    edit->onEnter = [&entered](TControl&) { ++entered; };
    edit->tabStop = false;
    SendMessageW(edit->handle(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(entered, 0);
    // A window hidden while its parent closed comes back as it was.
    TControl* other = makeForm(nullptr, "Other");
    other->getWindowHandle();
    other->restoreShowCmd = SW_SHOWNOACTIVATE;
    SendMessageW(other->handle(), WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
    EXPECT_TRUE(IsWindowVisible(other->handle()));
    EXPECT_EQ(other->restoreShowCmd, 0);
    // Once termination has begun, attached handlers no longer run.
    Recorder recorder{"", 'r'};
    other->attachProc(TMessageHandler{record, &recorder});
    appletTerminated = true;
    other->perform(probeMessage, 0, 0);
    EXPECT_EQ(recorder.log, "");
}
