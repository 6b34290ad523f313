// The debug message: what the formula component shows of a failed evaluation when its
// error event is unlinked. Where it goes is installed: a program with windows installs
// the modal "String-Debug" box at start-up; without one it goes to standard error.
#pragma once

#include <functional>
#include <string>

namespace dataflow {

// Texts are Windows-1251 bytes.
extern const char* const debugMessageCaption;

void showDebugMessage(const std::string& text);

// Receives what the message says instead of its default destination; the box is one,
// and tests that must not block on a modal box install another. Returns the one that
// was installed before.
using TDebugMessageSink = std::function<void(const std::string& text, const std::string& caption)>;
TDebugMessageSink setDebugMessageSink(TDebugMessageSink sink);

}  // namespace dataflow
