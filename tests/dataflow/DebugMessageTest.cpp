#include "dataflow/DebugMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace dataflow;

TEST(DebugMessage, ASinkSeesTextAndCaption) {
    std::vector<std::pair<std::string, std::string>> shown;
    const TDebugMessageSink previous = setDebugMessageSink(
        [&](const std::string& text, const std::string& caption) { shown.emplace_back(text, caption); });
    showDebugMessage("Ошибка\r\nОбнаружена в позиции 2");
    showDebugMessage("");
    setDebugMessageSink(previous);

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].first, "Ошибка\r\nОбнаружена в позиции 2");
    EXPECT_EQ(shown[0].second, "String-Debug");
    EXPECT_EQ(shown[1].first, "");
}
