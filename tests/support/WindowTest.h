// Shared set-up of the window tests: fresh application globals for every test, a
// message pump, and the check that a test leaves as many blocks allocated as it found
// (the tests run under the page heap).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

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
        pumpMessages();
        resetApplication();
        EXPECT_EQ(liveAllocations(), allocationsAtStart_) << "blocks the test left allocated";
    }
    static void resetApplication() {
        toolkit::applet = nullptr;
        toolkit::appletRunning = false;
        toolkit::appletTerminated = false;
        toolkit::appletCreated = false;
    }

private:
    std::size_t allocationsAtStart_ = 0;
};

}  // namespace testsupport
