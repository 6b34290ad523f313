// The vibration program under a random user's hands: keys, pastes, clicks (on every
// control and beside the dropped lists) and the wheel as real input. After every action
// the table and the display either show nothing or the values of the inputs the window
// shows, computed here on their own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "dataflow/DebugMessage.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "examples/vibration/TClassVibrationForm.h"
#include "tests/support/RandomUser.h"
#include "tests/support/ShownNumber.h"
#include "tests/support/Typing.h"
#include "toolkit/window/Application.h"

using testsupport::TRandomUser;

namespace {

// The quantity list's items in their order: the unit in SI units (0: a level, against
// the reference of the given kind) and the power of 2*pi*f that makes it an acceleration.
struct Quantity {
    long double unit;
    int power;
};
constexpr Quantity quantities[] = {{1, 0},      {9.80665L, 0}, {0.001L, 1}, {1, 1}, {0.0254L, 1}, {1e-6L, 2},
                                   {0.001L, 2}, {2.54e-5L, 2}, {0, 0},      {0, 1}, {0, 2}};
constexpr long double kindFactors[] = {1, std::numbers::sqrt2_v<long double>,
                                       2 * std::numbers::sqrt2_v<long double>};
// The reference sets' acceleration, velocity and displacement references (0: none).
constexpr long double references[][3] = {
    {1e-6L, 1e-9L, 1e-12L}, {1e-6L, 5e-8L, 0}, {3e-4L, 5e-8L, 0}, {1e-5L, 1e-8L, 0}};

constexpr long double hertzPerUnit[] = {1, 1.0L / 60};  // Hz, rpm
// The zones' boundaries of the RMS velocity in mm/s, by machine class.
constexpr double zoneBoundaries[][3] = {{0.71, 1.8, 4.5}, {1.12, 2.8, 7.1}, {1.8, 4.5, 11.2},
                                        {2.8, 7.1, 18},   {2.3, 4.5, 7.1},  {3.5, 7.1, 11},
                                        {1.4, 2.8, 4.5},  {2.3, 4.5, 7.1}};
constexpr const char* zoneLetters[] = {"A", "B", "C", "D"};

constexpr const char* displayBars = "---------";

// The 27 fields in reading order, for the inputs; none where the program shows no table.
std::optional<std::vector<std::string>> expectedTable(const std::optional<long double>& value, int quantity,
                                                      int kind,
                                                      const std::optional<long double>& frequencyShown,
                                                      int frequencyUnit, int preset,
                                                      std::vector<long double>& numbers) {
    if (!value || !frequencyShown || quantity < 0 || kind < 0 || frequencyUnit < 0 || preset < 0)
        return std::nullopt;
    const std::optional<long double> frequency = *frequencyShown * hertzPerUnit[frequencyUnit];
    const Quantity& q = quantities[quantity];
    const long double* refs = references[preset];
    const bool level = q.unit == 0;
    if ((!level && *value <= 0) || *frequency <= 0 || (level && refs[q.power] <= 0)) return std::nullopt;
    const long double w = 2 * std::numbers::pi_v<long double> * *frequency;
    const long double x = level ? refs[q.power] * std::pow(10.0L, *value / 20) : *value * q.unit;
    if (!(x >= 2.2250738585072014e-308L && x <= 1.7976931348623157e308L)) return std::nullopt;
    const long double a = x * std::pow(w, static_cast<long double>(q.power)) / kindFactors[kind];
    // Each row's RMS value, and for the first row of each quantity the index of its
    // reference (-1: no level).
    const struct {
        long double rms;
        int reference;
    } rows[] = {{a, 0},
                {a / 9.80665L, -1},
                {a / w * 1000, 1},
                {a / w, -1},
                {a / w / 0.0254L, -1},
                {a / (w * w) * 1e6L, 2},
                {a / (w * w) * 1000, -1},
                {a / (w * w) / 2.54e-5L, -1}};
    const long double levels[] = {a / refs[0], a / w / refs[1], a / (w * w) / refs[2]};
    std::vector<std::string> fields;
    numbers.clear();
    for (const auto& row : rows) {
        for (long double factor : kindFactors) {
            const long double cell = row.rms * factor;
            if (!(cell <= 1.7976931348623157e308L)) return std::nullopt;   // too large
            if (!(cell >= 2.2250738585072014e-308L)) return std::nullopt;  // too small
            numbers.push_back(cell);
            fields.push_back("");
        }
        if (row.reference >= 0) {
            const long double ratio = levels[row.reference];
            const bool none = refs[row.reference] == 0 || !(ratio > 0);
            numbers.push_back(none ? 0 : 20 * std::log10(ratio));
            fields.push_back(none ? "—" : "");
        }
    }
    return fields;
}

std::string textOf(components::TZTEdit& field) { return field.control->getControlText(); }

// The item whose text the list's face shows.
int shownItem(components::TZTComboBox& list) {
    const std::wstring face = testsupport::windowText(list.control->handle());
    return static_cast<int>(list.control->perform(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(face.c_str())));
}

// The inputs as the window shows them: the fields' texts and the lists' items.
std::string inputsOf(vibration::TClassVibrationForm& program) {
    return "[" + textOf(*program.valueEdit) + "] " + std::to_string(shownItem(*program.quantityList)) + " " +
           std::to_string(shownItem(*program.kindList)) + " [" + textOf(*program.frequencyEdit) + "] " +
           std::to_string(shownItem(*program.frequencyUnitList)) + " " +
           std::to_string(shownItem(*program.presetList)) + " " +
           std::to_string(shownItem(*program.machineClassList));
}

// "" when the table and the display belong to the inputs shown, else what is wrong.
std::string mismatch(vibration::TClassVibrationForm& program) {
    std::vector<std::string> shown;
    bool empty = true;
    for (const auto& field : program.tableFields) {
        shown.push_back(textOf(*field));
        empty = empty && shown.back().empty();
    }
    const std::string display = program.velocityLed->shownText();
    const std::string inputs = inputsOf(program);
    const std::string zone = program.zoneLine->control->getControlText();
    if (empty && !zone.empty()) return "the zone [" + zone + "] beside an empty table";
    if (empty) return display == displayBars ? "" : "the display [" + display + "] beside an empty table";
    std::string velocity = shown[7];
    for (char& c : velocity)
        if (c == ',') c = '.';
    if (display != velocity) return "the display [" + display + "] beside the velocity [" + shown[7] + "]";
    // The zone of the velocity shown, for the class shown.
    const int machineClass = shownItem(*program.machineClassList);
    const double shownVelocity = std::strtod(velocity.c_str(), nullptr);
    int band = 0;
    while (machineClass >= 0 && band < 3 && shownVelocity >= zoneBoundaries[machineClass][band]) ++band;
    if (zone.rfind(std::string("\xC7\xEE\xED\xE0 ") + zoneLetters[band] + " ", 0) != 0)  // "Зона X "
        return "the zone [" + zone + "] beside the velocity [" + shown[7] + "], inputs " + inputs;
    // The only reason a table may stand beside: a paste refused, which left the fields
    // (and so the table) as they were.
    const std::string reason = program.reasonMemo->control->getControlText();
    if (!reason.empty() && reason.rfind("Не число: «", 0) != 0)
        return "the reason [" + reason + "] beside a table, inputs " + inputs;
    std::vector<long double> numbers;
    const auto expected =
        expectedTable(testsupport::shownNumber(textOf(*program.valueEdit)), shownItem(*program.quantityList),
                      shownItem(*program.kindList), testsupport::shownNumber(textOf(*program.frequencyEdit)),
                      shownItem(*program.frequencyUnitList), shownItem(*program.presetList), numbers);
    if (!expected) return "a table beside inputs that have none: " + inputs;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const bool right = (*expected)[i].empty() ? testsupport::showsRounded(shown[i], numbers[i], 1e-12L)
                                                  : shown[i] == (*expected)[i];
        if (!right) return "field " + std::to_string(i) + " shows [" + shown[i] + "], inputs " + inputs;
    }
    return "";
}

}  // namespace

TEST(RandomUse, TheVibrationTableBelongsToTheInputsShown) {
    int boxes = 0;
    const auto previous =
        dataflow::setDebugMessageSink([&](const std::string&, const std::string&) { ++boxes; });
    toolkit::initCommonControls(0xFF);
    auto program = std::make_unique<vibration::TClassVibrationForm>();
    program->settings->fileName.clear();  // every run starts from the defaults, as its seed says
    dataflow::enableEvents();
    dataflow::runInitProcs();
    toolkit::applet->createWindow();

    const HWND form = program->mainForm->control->handle();
    const auto at = [](const char* name, components::TZTWin& component) {
        const HWND window = component.control->handle();
        RECT r;
        GetClientRect(window, &r);
        return TRandomUser::TPlace{name, window, {r.right / 2, r.bottom / 2}};
    };
    const auto beside = [form](const char* name, int x, int y) {
        const int dpi = static_cast<int>(GetDpiForWindow(form));
        return TRandomUser::TPlace{name, form, {MulDiv(x, dpi, 96), MulDiv(y, dpi, 96)}};
    };
    TRandomUser user(
        form,
        {at("value field", *program->valueEdit), at("value field", *program->valueEdit),
         at("quantity list", *program->quantityList), at("kind list", *program->kindList),
         at("frequency field", *program->frequencyEdit), at("frequency field", *program->frequencyEdit),
         at("frequency unit list", *program->frequencyUnitList), at("reference list", *program->presetList),
         at("machine class list", *program->machineClassList), at("copy button", *program->copyButton),
         at("a table field", *program->tableFields[7]), at("a table field", *program->tableFields[20]),
         at("display", *program->velocityLed), at("reason line", *program->reasonMemo),
         beside("the form, right of the lists", 592, 60), beside("the form, left of the table", 100, 160),
         beside("the form, below", 500, 420)},
        TRandomUser::seedOr(20261209));
    const int actions = TRandomUser::actionsOr(3000);
    int tables = 0;
    std::string wrong;
    while (user.actions() < actions && wrong.empty()) {
        user.act();
        wrong = mismatch(*program);
        user.note(inputsOf(*program) + " table [" + textOf(*program->tableFields[0]) + "]");
        if (!textOf(*program->tableFields[0]).empty()) ++tables;
    }
    user.writeLog("vibration-random-use.log");
    EXPECT_EQ(wrong, "") << "seed " << user.seed() << ", action " << user.actions()
                         << " (replay: RANDOM_USE_SEED=" << user.seed()
                         << " RANDOM_USE_ACTIONS=" << user.actions() << "); the last actions:\n"
                         << user.lastActions(12);
    std::printf("%d actions, a table shown after %d of them\n", user.actions(), tables);
    if (actions >= 1000) {
        EXPECT_GT(tables, actions / 10);  // the run computed, not only refused
    }
    EXPECT_EQ(boxes, 0);

    dataflow::disableEvents();
    toolkit::TControl* appWindow = toolkit::applet;
    toolkit::terminateExecution(appWindow);
    program.reset();
    dataflow::setDebugMessageSink(previous);
}
