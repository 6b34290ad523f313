// Component tests on a shown form of their own, with the dataflow switched on.
#pragma once

#include "dataflow/EventDispatch.h"
#include "tests/support/WindowTest.h"

namespace testsupport {

class FormTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dataflow::enableEvents();
        form = toolkit::TControl::newForm(nullptr, "Form");
        form->show();
        form->getWindowHandle();
    }
    void TearDown() override {
        form->free();
        dataflow::disableEvents();
        WindowTest::TearDown();
    }
    toolkit::TControl* form = nullptr;
};

}  // namespace testsupport
