#include "dataflow/DebugMessage.h"

#include <utility>

namespace dataflow {

const char* const debugMessageCaption = "String-Debug";

namespace {
TDebugMessageSink& debugMessageSink() {
    static TDebugMessageSink sink;
    return sink;
}
}  // namespace

TDebugMessageSink setDebugMessageSink(TDebugMessageSink sink) {
    return std::exchange(debugMessageSink(), std::move(sink));
}

void showDebugMessage(const std::string& text) {
    if (const TDebugMessageSink& sink = debugMessageSink()) {
        sink(text, debugMessageCaption);
        return;
    }
    showPlatformMessageBox(text, debugMessageCaption);
}

}  // namespace dataflow
