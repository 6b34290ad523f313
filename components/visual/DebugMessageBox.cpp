#include "components/visual/DebugMessageBox.h"

#include <windows.h>

#include "dataflow/DebugMessage.h"
#include "toolkit/text/WideText.h"
#include "toolkit/window/Application.h"

namespace components {

void installDebugMessageBox() {
    dataflow::setDebugMessageSink([](const std::string& text, const std::string& caption) {
        const HWND owner = toolkit::applet ? toolkit::applet->handle() : nullptr;
        MessageBoxW(owner, toolkit::toWide(text).c_str(), toolkit::toWide(caption).c_str(), MB_OK);
    });
}

}  // namespace components
