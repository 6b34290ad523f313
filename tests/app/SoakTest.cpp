// The converter's schema in one process under a long run of random edits: typing,
// deleting, selecting and pasting (large texts and text outside Windows-1251 among
// them). After every edit the fields must hold what the converter promises, and the
// process must not grow once it has settled.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/TClassMainForm_250BB10.h"
#include "components/visual/TZTEdit.h"
#include "dataflow/DebugMessage.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "tests/support/Clipboard.h"
#include "tests/support/ProcessMemory.h"
#include "tests/support/Typing.h"
#include "tests/support/WindowTest.h"
#include "toolkit/text/NumberText.h"
#include "toolkit/window/Application.h"

using namespace components;
using testsupport::pumpMessages;

namespace {

const std::string errorLine = "Введите число большее нуля!!! ";
const std::string tooLargeLine = "Слишком большое число!!! ";

// The converter's result for a level, computed the way the formula's steps round: the
// constants are 64-bit reals, each product is rounded to one. None below the limit or
// beyond the 64-bit real range.
std::string expectedResult(double level) {
    const double coefficient = 0.1151292546;
    const double scale = 0.000001;
    const double product = static_cast<double>(static_cast<long double>(level) * coefficient);
    const double power = std::exp(product);
    if (level < 0.0000001 || !std::isfinite(power)) return "";
    return toolkit::realToText(static_cast<double>(static_cast<long double>(scale) * power));
}

// A line for the test session's progress file, named by CONVERTER_PROGRESS: the test
// command shows the file as it grows, so a long run tells that it is working.
void tellProgress(int edits) {
    const char* path = std::getenv("CONVERTER_PROGRESS");
    if (!path) return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "converter_soak_test: %d of 20000 edits\n", edits);
        std::fclose(file);
    }
}

class Typist {
public:
    Typist(HWND box, std::mt19937& random) : box_(box), random_(random) {}

    std::wstring randomPaste() {
        switch (random_() % 6) {
            // Up to 16 K digits: Wine's edit control lays out a line in quadratic time
            // (100 K characters take 6 s an edit), so larger pastes cannot run here.
            case 0: return std::wstring(1 + random_() % (16 << 10), L'7');
            case 1: return L"漢字テキスト";  // outside Windows-1251
            case 2: return L"1.5e3";
            case 3: return L"-0.00000005";
            case 4: return L"80,5";  // the decimal comma
            default: return L"12 e -2";
        }
    }
    void randomEdit() {
        static const std::string characters = "0123456789-+.,eEabcxz ";
        switch (random_() % 12) {
            case 0: testsupport::pressKey(box_, VK_BACK, '\b'); break;
            case 1: testsupport::pressKey(box_, VK_DELETE); break;
            case 2: SendMessageW(box_, EM_SETSEL, 0, -1); break;  // select all
            case 3: SendMessageW(box_, EM_SETSEL, random_() % 8, random_() % 8); break;
            case 4:
                if (random_() % 20 == 0) {
                    testsupport::paste(box_, randomPaste());
                    break;
                }
                [[fallthrough]];
            default:
                testsupport::type(box_, std::string(1, characters[random_() % characters.size()]));
                break;
        }
    }

private:
    HWND box_;
    std::mt19937& random_;
};

}  // namespace

TEST(Soak, TwentyThousandRandomEdits) {
    int boxes = 0;
    const dataflow::TDebugMessageSink previous =
        dataflow::setDebugMessageSink([&](const std::string&, const std::string&) { ++boxes; });
    toolkit::initCommonControls(0xFF);
    auto converter = std::make_unique<app::TClassMainForm_250BB10>();
    dataflow::enableEvents();
    dataflow::runInitProcs();
    toolkit::applet->createWindow();
    pumpMessages();

    TZTEdit& level = *converter->levelEdit;
    const HWND box = level.control->handle();
    SetFocus(box);
    std::mt19937 random(20261207);
    Typist typist(box, random);
    std::string lastResult = converter->resultEdit->control->getControlText();
    std::size_t settled = 0;
    int computed = 0, refusedBelowLimit = 0;

    for (int edit = 1; edit <= 20000; ++edit) {
        typist.randomEdit();
        const std::string text = level.control->getControlText();
        const std::string lower = toolkit::lowerCase(text);
        dataflow::TData value;
        const bool number = isNumberText(lower, value);
        std::string completed = lower;
        completed.push_back('0');
        const bool unfinished = !number && isNumberText(completed, value);
        ASSERT_TRUE(number || unfinished || text == level.lastGoodText())
            << "edit " << edit << ": the level field holds [" << text.substr(0, 40) << "]";

        // A complete level shows its own result or none; an unfinished one none.
        const std::string result = converter->resultEdit->control->getControlText();
        ASSERT_EQ(result, number ? expectedResult(value.realValue) : "")
            << "edit " << edit << ", level " << text;
        ASSERT_EQ(converter->resultLed->shownText(), result.empty() ? "------------------- " : result)
            << "edit " << edit;
        if (number && !result.empty() && result != lastResult) ++computed;
        lastResult = result;
        const std::string memo = converter->messageMemo->control->getControlText();
        for (std::size_t at = 0; at < memo.size();) {
            const std::size_t end = std::min(memo.find("\r\n", at), memo.size());
            const std::string line = memo.substr(at, end - at);
            ASSERT_TRUE(line == errorLine || line == tooLargeLine) << "edit " << edit << ": " << line;
            at = end + 2;
        }
        if (number && value.realValue < 0.0000001) ++refusedBelowLimit;
        if (edit == 1000) settled = testsupport::privateBytes();
        if (edit % 5000 == 0) tellProgress(edit);
    }
    const std::size_t after = testsupport::privateBytes();
    std::printf("computed %d results, %d levels below the limit\n", computed, refusedBelowLimit);
    std::printf("private bytes after 1000 edits: %zu KiB, after 20000: %zu KiB\n", settled / 1024,
                after / 1024);
    EXPECT_GT(computed, 100);
    EXPECT_GT(refusedBelowLimit, 100);
    EXPECT_EQ(boxes, 0);  // a level too large to compute has its line in the memo
    EXPECT_GT(settled, 0u);
    EXPECT_LT(after, settled + 4u * 1024 * 1024);  // no growth beyond a small margin

    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    converter.reset();
    dataflow::setDebugMessageSink(previous);
}
