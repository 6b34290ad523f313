// The application loop on real windows: closing, refusing, terminating.
#include "tests/support/WindowTest.h"

using namespace toolkit;
using testsupport::WindowTest;

using ApplicationLoop = WindowTest;

TEST_F(ApplicationLoop, ClosingTheMainWindowEndsRunWithTheAppletGone) {
    TControl* app = makeApplet();
    TControl* form = makeForm(app, "Main");
    form->show();
    bool formDestroyed = false;
    form->onDestroy = [&](TObj*) { formDestroyed = true; };
    TControl* appVariable = app;
    app->getWindowHandle();
    PostMessageW(form->getWindowHandle(), WM_CLOSE, 0, 0);
    run(appVariable);
    EXPECT_EQ(appVariable, nullptr);
    EXPECT_EQ(applet, nullptr);
    EXPECT_TRUE(appletTerminated);
    EXPECT_FALSE(appletRunning);
    EXPECT_TRUE(formDestroyed);
}

TEST_F(ApplicationLoop, ARefusedCloseKeepsTheLoopRunning) {
    TControl* app = makeApplet();
    TControl* form = makeForm(app, "Main");
    form->show();
    int asked = 0;
    form->onClose = [&](TControl& sender, bool& canClose) {
        ++asked;
        canClose = asked >= 2;
        if (!canClose) PostMessageW(sender.handle(), WM_CLOSE, 0, 0);  // ask again later
    };
    TControl* appVariable = app;
    PostMessageW(form->getWindowHandle(), WM_CLOSE, 0, 0);
    run(appVariable);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(appVariable, nullptr);
}

TEST_F(ApplicationLoop, TerminateExecutionTwiceDoesNothingTheSecondTime) {
    TControl* app = makeApplet();
    int destroyed = 0;
    app->onDestroy = [&](TObj*) { ++destroyed; };
    app->getWindowHandle();
    applet = app;
    TControl* appVariable = app;
    terminateExecution(appVariable);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(appVariable, nullptr);
    // A second application window ended while termination has begun: freed, but not
    // asked to close, and its queue left alone.
    TControl* second = makeApplet("Second");
    bool asked = false;
    second->onClose = [&asked](TControl&, bool&) { asked = true; };
    second->getWindowHandle();
    applet = second;
    TControl* again = second;
    terminateExecution(again);
    EXPECT_FALSE(asked);
    EXPECT_EQ(again, nullptr);
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(appletTerminated);
}

TEST_F(ApplicationLoop, CommonControlsLoadOnce) {
    initCommonControls(0xFF);
    const int loads = commonControlsLoads();
    initCommonControls(0xFF);
    EXPECT_EQ(commonControlsLoads(), loads);
    EXPECT_EQ(loads, 1);
}

TEST_F(ApplicationLoop, TheApplicationWindowsCloseCommandClosesTheMainForm) {
    TControl* app = makeApplet();
    TControl* form = makeForm(app, "Main");
    form->show();
    bool asked = false;
    form->onClose = [&](TControl&, bool&) { asked = true; };
    TControl* appVariable = app;
    app->getWindowHandle();
    PostMessageW(app->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    run(appVariable);
    EXPECT_TRUE(asked);
    EXPECT_EQ(applet, nullptr);
}
