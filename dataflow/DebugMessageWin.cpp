#include <windows.h>

#include "dataflow/DebugMessage.h"
#include "toolkit/WideText.h"

namespace dataflow {

void showPlatformMessageBox(const std::string& text, const std::string& caption) {
    // TODO(owner): the application's main window once the application loop exists.
    MessageBoxW(nullptr, toolkit::toWide(text).c_str(), toolkit::toWide(caption).c_str(), MB_OK);
}

}  // namespace dataflow
