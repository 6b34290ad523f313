// Shared set-up of the window tests: fresh application globals for every test, a
// message pump, and the check that a test leaves as many blocks allocated as it found
// (the tests run under the page heap).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string_view>

#include "tests/support/PageHeap.h"
#include "toolkit/window/Application.h"
#include "toolkit/window/TControl.h"

namespace testsupport {

inline void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetApplication();
        // The first window of the program makes the toolkit's lasting tables: made
        // before the count, they do not count as the first test's blocks.
        static const bool warmedUp = [] {
            toolkit::TControl* form = toolkit::TControl::newForm(nullptr, "Form");
            form->getWindowHandle();
            form->free();
            pumpMessages();
            return true;
        }();
        (void)warmedUp;
        allocationsAtStart_ = liveAllocations();
    }
    void TearDown() override {
        resetApplication();
        freeOwned();
        pumpMessages();
        EXPECT_EQ(liveAllocations(), allocationsAtStart_) << "blocks the test left allocated";
    }

    // A form, or an application window, that the fixture frees at the end of the test
    // unless the test (or its parent) freed it before.
    toolkit::TControl* makeForm(toolkit::TControl* parent = nullptr, std::string_view caption = "Form") {
        return own(toolkit::TControl::newForm(parent, caption));
    }
    toolkit::TControl* makeApplet(std::string_view caption = "App") {
        return own(toolkit::TControl::newApplet(caption));
    }
    // An application window, made the applet, with its first form: the main window.
    struct TApplication {
        toolkit::TControl* app;
        toolkit::TControl* main;
    };
    TApplication makeApplication(std::string_view mainCaption = "Main") {
        toolkit::TControl* app = makeApplet();
        toolkit::applet = app;
        return {app, makeForm(app, mainCaption)};
    }
    toolkit::TControl* own(toolkit::TControl* control) {
        owned_.push_back(control);
        control->addAutoFree([](void* slot) { *static_cast<toolkit::TControl**>(slot) = nullptr; },
                             &owned_.back());
        return control;
    }
    static void resetApplication() {
        toolkit::applet = nullptr;
        toolkit::appletRunning = false;
        toolkit::appletTerminated = false;
        toolkit::appletCreated = false;
    }

private:
    // The last made first; the list's own blocks go before the count.
    void freeOwned() {
        for (auto it = owned_.rbegin(); it != owned_.rend(); ++it)
            if (*it) (*it)->free();
        std::deque<toolkit::TControl*>().swap(owned_);
    }

    std::size_t allocationsAtStart_ = 0;
    std::deque<toolkit::TControl*> owned_;  // stable places for the clean-up actions
};

}  // namespace testsupport
