// Builds without a window system write the debug message to standard error.
#include <cstdio>

#include "dataflow/DebugMessage.h"

namespace dataflow {

void showPlatformMessageBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
}

}  // namespace dataflow
