// Shared set-up of the window tests: fresh application globals for every test and a
// message pump.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/TControl.h"

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
    void SetUp() override { resetApplication(); }
    void TearDown() override {
        pumpMessages();
        resetApplication();
    }
    static void resetApplication() {
        toolkit::applet = nullptr;
        toolkit::appletRunning = false;
        toolkit::appletTerminated = false;
        toolkit::appletCreated = false;
    }
};

}  // namespace testsupport
