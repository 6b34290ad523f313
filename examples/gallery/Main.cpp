// The gallery's main sequence: common controls and the global hint manager, the
// gallery built, run until its window closes, and torn down with events disabled.
#include <windows.h>

#include <memory>

#include "components/visual/TZTHintManager.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "examples/gallery/TClassGalleryForm.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    toolkit::initCommonControls(0xFF);
    auto hintManager = std::make_unique<components::TZTHintManager>();
    components::globalHintManager = hintManager.get();
    auto gallery = std::make_unique<gallery::TClassGalleryForm>();
    if (toolkit::applet) toolkit::applet->setVisible(gallery->mainForm->visible);
    dataflow::enableEvents();
    dataflow::runInitProcs();
    toolkit::run(toolkit::applet);
    dataflow::disableEvents();
    gallery.reset();  // the components go in the reverse order of creation
    components::globalHintManager = nullptr;
    return 0;
}
