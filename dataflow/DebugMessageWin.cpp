#include <windows.h>

#include "dataflow/DebugMessage.h"
#include "toolkit/Application.h"
#include "toolkit/WideText.h"

namespace dataflow {

void showPlatformMessageBox(const std::string& text, const std::string& caption) {
    // Owned by the application window, when there is one.
    const HWND owner = toolkit::applet ? toolkit::applet->handle() : nullptr;
    MessageBoxW(owner, toolkit::toWide(text).c_str(), toolkit::toWide(caption).c_str(), MB_OK);
}

}  // namespace dataflow
