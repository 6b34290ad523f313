// The debug message box: modal, caption "String-Debug", one OK button, owned by the
// application's main window.
#pragma once

#include <functional>
#include <string>

namespace dataflow {

// Texts are Windows-1251 bytes.
extern const char* const debugMessageCaption;

void showDebugMessage(const std::string& text);

// Receives what the box would show instead of showing it; tests and tools that must
// not block on a modal box install one. Returns the sink that was installed before.
using TDebugMessageSink = std::function<void(const std::string& text, const std::string& caption)>;
TDebugMessageSink setDebugMessageSink(TDebugMessageSink sink);

// The box itself, on the platform: a message box on Windows, standard error elsewhere.
void showPlatformMessageBox(const std::string& text, const std::string& caption);

}  // namespace dataflow
