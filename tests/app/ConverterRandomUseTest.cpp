// The converter under a random user's hands: keys, pastes, clicks and the wheel as real
// input. After every action the result field and the display either show nothing or
// the result of the level the level field shows, computed here on its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "app/TClassMainForm_250BB10.h"
#include "dataflow/DebugMessage.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "tests/support/RandomUser.h"
#include "tests/support/ShownNumber.h"
#include "toolkit/window/Application.h"

using testsupport::TRandomUser;

namespace {

constexpr const char* displayBars = "------------------- ";

// 10^-6 * e^(L * 0.1151292546) m/s2 for a level from 0.0000001 on; none below it or
// beyond the double range.
std::optional<long double> expectedResult(long double level) {
    if (level < 0.0000001L) return std::nullopt;
    const long double result = 0.000001L * std::exp(level * 0.1151292546L);
    if (!(result <= 1.7976931348623157e308L)) return std::nullopt;
    return result;
}

// "" when the outputs belong to the level shown, else what is wrong.
std::string mismatch(app::TClassMainForm_250BB10& converter) {
    const std::string level = converter.levelEdit->control->getControlText();
    const std::string result = converter.resultEdit->control->getControlText();
    const std::string display = converter.resultLed->shownText();
    if (display != (result.empty() ? displayBars : result))
        return "the display [" + display + "] beside the result [" + result + "]";
    if (result.empty()) return "";
    const auto value = testsupport::shownNumber(level);
    const auto expected = value ? expectedResult(*value) : std::nullopt;
    // The level times the coefficient is a 64-bit real in the formula: its rounding, up
    // to 2^-53 of the product, is a share of the result as large.
    const long double slack = value ? 0x1p-52L * (2 + std::fabs(*value * 0.1151292546L)) : 0;
    if (!expected || !testsupport::showsRounded(result, *expected, slack))
        return "the result [" + result + "] beside the level [" + level + "]";
    return "";
}

}  // namespace

TEST(RandomUse, TheConvertersOutputsBelongToTheLevelShown) {
    int boxes = 0;
    const auto previous =
        dataflow::setDebugMessageSink([&](const std::string&, const std::string&) { ++boxes; });
    toolkit::initCommonControls(0xFF);
    auto converter = std::make_unique<app::TClassMainForm_250BB10>();
    dataflow::enableEvents();
    dataflow::runInitProcs();
    toolkit::applet->createWindow();

    const HWND form = converter->mainForm->control->handle();
    const auto at = [](const char* name, components::TZTWin& component) {
        const HWND window = component.control->handle();
        RECT r;
        GetClientRect(window, &r);
        return TRandomUser::TPlace{name, window, {r.right / 2, r.bottom / 2}};
    };
    TRandomUser user(form,
                     {at("level field", *converter->levelEdit), at("level field", *converter->levelEdit),
                      at("result field", *converter->resultEdit), at("memo", *converter->messageMemo),
                      at("display", *converter->resultLed), at("prompt", *converter->promptLabel),
                      TRandomUser::TPlace{"the form", form, {280, 50}}},
                     TRandomUser::seedOr(20261209));
    SetFocus(converter->levelEdit->control->handle());
    const int actions = TRandomUser::actionsOr(3000);
    int results = 0;
    std::string wrong;
    while (user.actions() < actions && wrong.empty()) {
        user.act();
        wrong = mismatch(*converter);
        if (!converter->resultEdit->control->getControlText().empty()) ++results;
    }
    user.writeLog("converter-random-use.log");
    EXPECT_EQ(wrong, "") << "seed " << user.seed() << ", action " << user.actions()
                         << " (replay: RANDOM_USE_SEED=" << user.seed()
                         << " RANDOM_USE_ACTIONS=" << user.actions() << "); the last actions:\n"
                         << user.lastActions(12);
    std::printf("%d actions, a result shown after %d of them\n", user.actions(), results);
    if (actions >= 1000) {
        EXPECT_GT(results, actions / 10);  // the run computed, not only refused
    }
    EXPECT_EQ(boxes, 0);

    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    converter.reset();
    dataflow::setDebugMessageSink(previous);
}
