#include "components/visual/ProgramRun.h"

#include "components/visual/DebugMessageBox.h"
#include "dataflow/InitProcs.h"

namespace components {

toolkit::TStrListEx* formsList = nullptr;
UINT innerMessage = 0;

namespace {
// All the common-control classes.
constexpr std::uint32_t allControlClasses = 0xFF;
}  // namespace

TProgramModules::TProgramModules() {
    toolkit::initCommonControls(allControlClasses);
    hintManager_ = std::make_unique<TZTHintManager>();
    globalHintManager = hintManager_.get();
    formsList = new toolkit::TStrListEx;
    innerMessage = RegisterWindowMessageW(L"inner message");
    installDebugMessageBox();
}

TProgramModules::~TProgramModules() {
    formsList->free();
    formsList = nullptr;
    globalHintManager = nullptr;
}

void startMainForm(TZTMainForm& mainForm) {
    if (toolkit::applet) toolkit::applet->setVisible(mainForm.visible);
    dataflow::enableEvents();
    dataflow::runInitProcs();
}

}  // namespace components
