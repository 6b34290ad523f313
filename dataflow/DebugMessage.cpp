#include "dataflow/DebugMessage.h"

#include <cstdio>
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
    for (const char* part : {"[", debugMessageCaption, "] ", text.c_str(), "\n"}) std::fputs(part, stderr);
}

}  // namespace dataflow
