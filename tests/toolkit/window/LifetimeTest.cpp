// Object lifetimes on the paths a program takes: controls and forms freed from their own
// notifications, second forms closed or freed, containers and re-parented controls,
// termination from a handler, and windows the system refuses. The tests run under the
// page heap: a use of a freed control ends the program with a report.
#include "tests/support/ProcessMemory.h"
#include "tests/support/WindowTest.h"

#include <psapi.h>

#include <functional>
#include <string>

using namespace toolkit;
using testsupport::pumpMessages;
using testsupport::WindowTest;

namespace {

// A form with one edit box, shown and focused.
struct FormWithEdit {
    FormWithEdit() {
        form = TControl::newForm(nullptr, "Form");
        edit = TControl::newEditbox(form, 0);
        form->show();
        form->getWindowHandle();
        SetFocus(edit->handle());
    }
    TControl* form;
    TControl* edit;
};

}  // namespace

using Lifetime = WindowTest;

// A handler that frees its control, or the control's form, on any kind of notification:
// the victim dies once the message that ran the handler has returned, not inside it.
struct Victim {
    TControl* control = nullptr;
    bool destroyed = false;
    bool diedInside = false;
    bool handledAfterFree = false;       // a freed control runs no more handlers,
    bool classAnswersAfterFree = false;  // but its window still answers as its class does
    void watch(TControl* c) {
        control = c;
        c->onDestroy = [this](TObj*) { destroyed = true; };
    }
    void kill() {
        control->free();
        diedInside = destroyed;
    }
};

TEST_F(Lifetime, AControlOrItsFormFreedFromANotification) {
    using Notification = std::function<void(FormWithEdit&, Victim&)>;
    const std::pair<const char*, Notification> cases[] = {
        {"click frees the form",
         [](FormWithEdit& w, Victim& v) {
             TControl* label = TControl::newLabel(w.form, "Закрыть");
             label->getWindowHandle();
             label->onClick = [&v](TControl&) { v.kill(); };
             v.watch(w.form);
             SendMessageW(w.form->handle(), WM_COMMAND, MAKEWPARAM(label->controlId, STN_CLICKED),
                          reinterpret_cast<LPARAM>(label->handle()));
         }},
        {"change frees the edit",
         [](FormWithEdit& w, Victim& v) {
             w.edit->onChange = [&v](TControl&) { v.kill(); };
             v.watch(w.edit);
             SendMessageW(w.edit->handle(), WM_CHAR, 'a', 1);
         }},
        {"enter frees the form",
         [](FormWithEdit& w, Victim& v) {
             SetFocus(TControl::newEditbox(w.form, 0)->getWindowHandle());
             w.edit->onEnter = [&v](TControl&) { v.kill(); };
             v.watch(w.form);
             SetFocus(w.edit->handle());
         }},
        {"leave frees the edit",
         [](FormWithEdit& w, Victim& v) {
             w.edit->onLeave = [&v](TControl&) { v.kill(); };
             v.watch(w.edit);
             SetFocus(w.form->handle());
         }},
        {"its own message hook frees the edit",
         [](FormWithEdit& w, Victim& v) {
             w.edit->onMessage = [&v](TMsg& msg) {
                 if (msg.message == WM_APP + 1) v.handledAfterFree = true;
                 if (msg.message != WM_APP) return false;
                 v.kill();
                 SendMessageW(msg.hwnd, WM_APP + 1, 0, 0);
                 SendMessageW(msg.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"freed"));
                 wchar_t text[8] = {};
                 GetWindowTextW(msg.hwnd, text, 8);
                 v.classAnswersAfterFree = lstrcmpW(text, L"freed") == 0;
                 return false;
             };
             v.watch(w.edit);
             SendMessageW(w.edit->handle(), WM_APP, 0, 0);
         }},
    };
    for (const auto& [name, notify] : cases) {
        FormWithEdit w;
        Victim victim;
        notify(w, victim);
        EXPECT_FALSE(victim.diedInside) << name;
        EXPECT_TRUE(victim.destroyed) << name;
        EXPECT_FALSE(victim.handledAfterFree) << name;
        if (std::string(name).find("hook") != std::string::npos) {
            EXPECT_TRUE(victim.classAnswersAfterFree);
        }
        if (victim.control != w.form) w.form->free();
        pumpMessages();
    }
}

TEST_F(Lifetime, ASecondFormClosesAndFreesItself) {
    const auto [app, main] = makeApplication();
    TControl* second = makeForm(app, "Second");
    bool destroyed = false;
    second->onDestroy = [&destroyed](TObj*) { destroyed = true; };
    app->getWindowHandle();
    SendMessageW(second->handle(), WM_CLOSE, 0, 0);  // destroys its window, which frees it
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(app->childCount(), 1);
    (void)main;
    applet = nullptr;
}

TEST_F(Lifetime, FreedFormsAndControlsAreNobodysCurrentControl) {
    const auto [app, main] = makeApplication();
    TControl* dialog = makeForm(nullptr, "Dialog");  // a form of its own
    TControl* panel = TControl::newControl(main, "STATIC", WS_CHILD | WS_VISIBLE, false, TCommandActions{});
    TControl* inner = TControl::newEditbox(panel, 0);
    TControl* moved = TControl::newEditbox(main, 0);
    dialog->show();
    app->getWindowHandle();

    SetFocus(dialog->getWindowHandle());
    EXPECT_EQ(app->currentControl, dialog);
    // The focus goes to a window of somebody else's, and the dialog is freed.
    const HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr);
    SetFocus(foreign);
    dialog->free();
    EXPECT_EQ(app->currentControl, nullptr);
    SendMessageW(app->handle(), WM_SETFOCUS, 0, 0);  // the activation of the application window
    DestroyWindow(foreign);

    main->currentControl = inner;  // it had the focus last
    panel->free();                 // frees the edit inside it too
    EXPECT_EQ(main->currentControl, nullptr);

    TControl* other = makeForm(nullptr, "Other");
    main->currentControl = moved;
    moved->setParent(other);
    EXPECT_EQ(main->currentControl, nullptr);
    moved->free();
    SendMessageW(main->handle(), WM_SETFOCUS, 0, 0);
    other->free();
    app->free();
    applet = nullptr;
}

// The edit class frees its text when its window is destroyed; freeing the control must
// let the class see that.
TEST_F(Lifetime, FreedEditBoxesReleaseTheirText) {
    std::wstring text;  // 128 KiB in short lines (Wine lays out a long line slowly)
    while (text.size() < 64 * 1024)
        text += L"0123456789012345678901234567890123456789012345678901234567890\r\n";
    TControl* form = makeForm();
    form->getWindowHandle();
    const auto round = [&] {
        for (int i = 0; i < 10; ++i) {
            TControl* edit = TControl::newEditbox(form, eoMultiline);
            SendMessageW(edit->getWindowHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            edit->free();
        }
    };
    round();
    const std::size_t before = testsupport::privateBytes();
    for (int i = 0; i < 4; ++i) round();
    EXPECT_LT(testsupport::privateBytes(), before + 1024 * 1024);  // forty freed boxes: no 10 MiB kept
}

TEST_F(Lifetime, TerminationFromAHandlerWithMessagesQueued) {
    TControl* app = makeApplet();
    TControl* main = makeForm(app, "Main");
    main->show();
    TControl* appVariable = app;
    app->messageFilter = [](const MSG&) { return false; };
    main->onMessage = [&appVariable](TMsg& msg) {
        if (msg.message != WM_APP) return false;
        terminateExecution(appVariable);
        for (int i = 0; i < 3; ++i) PostMessageW(nullptr, WM_APP + 1, 0, 0);  // still queued
        return true;
    };
    PostMessageW(main->getWindowHandle(), WM_APP, 0, 0);
    run(appVariable);
    EXPECT_EQ(applet, nullptr);
    EXPECT_EQ(appVariable, nullptr);
}

TEST_F(Lifetime, AWindowTheSystemRefusesIsAFailure) {
    TControl* app = makeApplet();
    applet = app;           // as under run: a form of the applet whose window goes is freed
    makeForm(app, "Main");  // the first: the main window
    TControl* refused = makeForm(app, "Refused");
    TControl* next = makeForm(app, "Next");
    refused->attachProc(TMessageHandler{[](void*, TControl&, TMsg& msg) {
                                            if (msg.message != WM_NCCREATE) return false;
                                            msg.result = FALSE;  // the window is refused
                                            return true;
                                        },
                                        nullptr});
    EXPECT_TRUE(app->createWindow());
    EXPECT_EQ(refused->handle(), nullptr);
    EXPECT_FALSE(refused->createWindow());
    EXPECT_NE(next->handle(), nullptr);  // the sibling after it still gets its window
    applet = nullptr;
}
