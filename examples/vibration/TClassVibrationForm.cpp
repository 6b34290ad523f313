#include "examples/vibration/TClassVibrationForm.h"

#include <limits>
#include <numbers>

#include "dataflow/TZT_Event.h"
#include "toolkit/drawing/Colors.h"
#include "toolkit/window/Navigation.h"

namespace vibration {

using dataflow::makeDataLink;
using dataflow::makeLink;
using toolkit::clSys3DLight, toolkit::clSysButtonFace, toolkit::clSysWindow;

namespace {

TFontRec uiFont() { return fontOf("Tahoma", 9); }

constexpr int clientWidth = 600, clientHeight = 428;
constexpr int inputLeft = 190;                 // the inputs, right of their captions
constexpr int tableTop = 170, rowHeight = 26;  // the header row, then a row a quantity
constexpr int cellLeft = 190, cellStep = 100, cellWidth = 94;

// The quantities of the list, in its order: the factor from the item's unit to the SI
// unit (a level has none), the power of the angular frequency that makes the quantity an
// acceleration, and whether the item is a level.
struct Quantity {
    const char* item;
    double unit;
    int omegaPower;
    bool level;
};
constexpr Quantity quantities[] = {
    {"виброускорение, м/с2", 1, 0, false},        {"виброускорение, g", 9.80665, 0, false},
    {"виброскорость, мм/с", 0.001, 1, false},     {"виброскорость, м/с", 1, 1, false},
    {"виброскорость, дюйм/с", 0.0254, 1, false},  {"виброперемещение, мкм", 0.000001, 2, false},
    {"виброперемещение, мм", 0.001, 2, false},    {"виброперемещение, мил", 0.0000254, 2, false},
    {"уровень виброускорения, дБ", 0, 0, true},   {"уровень виброскорости, дБ", 0, 1, true},
    {"уровень виброперемещения, дБ", 0, 2, true},
};
constexpr int levelQuantities = 8;  // the levels come after the others

// The kinds of value and their factors to the RMS value.
const std::vector<std::string> kinds = {"СКЗ", "пиковое", "размах"};
const std::vector<double> kindFactors = {1, std::numbers::sqrt2, 2 * std::numbers::sqrt2};

// The dB references of each set of documents, in m/s2, m/s and m; 0 where it has none.
struct Preset {
    const char* item;
    double acceleration, velocity, displacement;
};
constexpr Preset presets[] = {
    {"ISO 1683: 1e-6 м/с2, 1e-9 м/с, 1e-12 м", 1e-6, 1e-9, 1e-12},
    {"СН 2.2.4/2.1.8.566-96, ГОСТ 12.1.012-90: 1e-6 м/с2, 5e-8 м/с", 1e-6, 5e-8, 0},
    {"Старые и судовые нормы: 3e-4 м/с2, 5e-8 м/с", 3e-4, 5e-8, 0},
    {"ANSI S1.8, JIS C 1510: 1e-5 м/с2, 1e-8 м/с", 1e-5, 1e-8, 0},
};

// The rows of the table: the RMS value in the row's unit from the RMS acceleration %1
// and the frequency %2, and in the first row of each quantity the quantity in SI units,
// whose level against the reference %3 the row shows.
struct Row {
    const char* caption;
    const char* rms;
    const char* levelOf;  // none: no level column
};
constexpr Row rows[] = {
    {"Виброускорение, м/с2", "%1", "%1"},
    {"Виброускорение, g", "%1 / 9.80665", nullptr},
    {"Виброскорость, мм/с", "%1 / (2 * pi * %2) * 1000", "%1 / (2 * pi * %2)"},
    {"Виброскорость, дюйм/с", "%1 / (2 * pi * %2) / 0.0254", nullptr},
    {"Виброперемещение, мкм", "%1 / (2 * pi * %2) ^ 2 * 1000000", "%1 / (2 * pi * %2) ^ 2"},
    {"Виброперемещение, мил", "%1 / (2 * pi * %2) ^ 2 / 0.0000254", nullptr},
};
// A level as the difference of two logarithms: the ratio of a large value to a small
// reference would overflow where the level itself is a number.
std::string levelFormula(const Row& row) { return std::string("20 * (lg(") + row.levelOf + ") - lg(%3))"; }
// The peak and peak-to-peak values from the RMS one.
constexpr const char* kindOfCell[] = {"", " * sqrt(2)", " * 2 * sqrt(2)"};
constexpr int velocityCell = 7;  // RMS velocity in mm/s, which the display shows too

// Every RMS value of the table, and the largest of them as a peak-to-peak value, for the
// failure only: the RMS acceleration comes out unchanged (plus nothing), unless some
// field would overflow or fall below the normal range.
std::string guardFormula() {
    std::string values;
    for (const Row& row : rows) values += (values.empty() ? "" : ", ") + std::string(row.rms);
    return "%1 + 0 * (max(" + values + ") * 2 * sqrt(2))";
}

constexpr const char* bars = "---------";

template <class Field>
std::vector<std::string> itemsOf(const Field& fields) {
    std::vector<std::string> items;
    for (const auto& entry : fields) items.emplace_back(entry.item);
    return items;
}

}  // namespace

TClassVibrationForm::TClassVibrationForm() {
    createForm();
    createInputs();
    createTable();
    createChoices();
    createCalculation();
    createCells();
    createRefusals();
    connectInputs();
    finishVisualSetUp();
}

TClassVibrationForm::~TClassVibrationForm() = default;

// ---------------------------------------------------------------- windows

void TClassVibrationForm::createForm() {
    mainForm = std::make_unique<TZTMainForm>(nullptr);
    mainForm->place({0, 0, clientWidth, clientHeight}, clSysButtonFace, uiFont(), TZTWin::esPlain);
    mainForm->clientSizing = true;
    mainForm->setCaption("Пересчёт параметров вибрации");
    mainForm->setFrameStyle(TZTMainForm::frFixedWithMinimize);
    mainForm->setIcon(LoadIconW(GetModuleHandleW(nullptr), L"VIBRATION"));
    mainForm->placement = TZTMainForm::centreOnScreen;
    mainForm->init();
}

TZTLabel& TClassVibrationForm::label(const std::string& text, int left, int top) {
    auto caption = std::make_unique<TZTLabel>(mainForm->control);
    caption->place({left, top, 0, 0}, clSysButtonFace, uiFont(), TZTWin::esPlain);
    caption->caption = text;
    caption->setAutoSize(true);
    caption->init();
    labels.push_back(std::move(caption));
    return *labels.back();
}

// A drop-down list whose dropped list is 300 pixels high.
TZTComboBox& TClassVibrationForm::list(std::unique_ptr<TZTComboBox>& slot,
                                       const std::vector<std::string>& items, int index, int left, int top,
                                       int width) {
    slot = std::make_unique<TZTComboBox>(mainForm->control);
    slot->place({left, top, width, 300}, clSysWindow, uiFont());
    slot->items = items;
    slot->itemIndex = index;
    slot->init();
    return *slot;
}

void TClassVibrationForm::createInputs() {
    label("Значение:", 16, 19);
    valueEdit = std::make_unique<TZTEdit>(mainForm->control);
    valueEdit->place({inputLeft, 16, 120, 22}, clSysWindow, uiFont(), TZTWin::esSunken);
    valueEdit->valueReader = &TZTEdit::numericReader;
    valueEdit->text = "120";
    valueEdit->init();

    label("Величина:", 16, 47);
    list(quantityList, itemsOf(quantities), levelQuantities, inputLeft, 44, 250);
    label("Вид:", 16, 75);
    list(kindList, kinds, 0, inputLeft, 72, 120);

    label("Частота, Гц:", 16, 103);
    frequencyEdit = std::make_unique<TZTEdit>(mainForm->control);
    frequencyEdit->place({inputLeft, 100, 120, 22}, clSysWindow, uiFont(), TZTWin::esSunken);
    frequencyEdit->valueReader = &TZTEdit::numericReader;
    frequencyEdit->text = "100";
    frequencyEdit->init();

    label("Опорные значения дБ:", 16, 131);
    list(presetList, itemsOf(presets), 0, inputLeft, 128, 390);
}

void TClassVibrationForm::createTable() {
    const char* const headers[] = {"СКЗ", "пик", "размах", "уровень, дБ"};
    for (int column = 0; column < 4; ++column) label(headers[column], cellLeft + column * cellStep, tableTop);
    for (int row = 0; row < 6; ++row) {
        const int top = tableTop + 20 + row * rowHeight;
        label(rows[row].caption, 16, top + 3);
        for (int column = 0; column < (rows[row].levelOf ? 4 : 3); ++column) {
            auto field = std::make_unique<TZTEdit>(mainForm->control);
            field->place({cellLeft + column * cellStep, top, cellWidth, 22}, clSysWindow, uiFont(),
                         TZTWin::esSunken);
            field->readOnly = true;  // selected and copied, not typed over
            field->textAlign = taRight;
            field->init();
            tableFields.push_back(std::move(field));
        }
    }
    label("СКЗ виброскорости, мм/с:", 16, 352);
    velocityLed = std::make_unique<TZTLedNumber>(mainForm->control);
    velocityLed->place({cellLeft, 344, 240, 30}, clSysButtonFace, uiFont(), TZTWin::esPlain);
    velocityLed->initialText = bars;
    velocityLed->backColor = 0x000000;  // green digits on black, as the converter's
    velocityLed->litColor = 0x00FF00;
    velocityLed->unlitColor = 0x008000;
    velocityLed->init();

    reasonMemo = std::make_unique<TZTMemo>(mainForm->control);
    reasonMemo->place({16, 390, clientWidth - 32, 24}, clSys3DLight, uiFont(), TZTWin::esSunken);
    reasonMemo->scrollBars = TZTMemo::sbNone;
    reasonMemo->editable = false;
    reasonMemo->init();
}

// ---------------------------------------------------------------- logic

TZTChoice& TClassVibrationForm::choice(std::unique_ptr<TZTChoice>& slot, std::vector<double> values,
                                       TZTComboBox& row, TZTComboBox* column) {
    slot = std::make_unique<TZTChoice>();
    slot->values = std::move(values);
    slot->row = makeDataLink<&TZTComboBox::value>(row);
    if (column) {
        slot->columns = static_cast<std::int32_t>(column->items.size());
        slot->column = makeDataLink<&TZTComboBox::value>(*column);
    }
    return *slot;
}

void TClassVibrationForm::createChoices() {
    std::vector<double> unit, power, limit, level, reference, accelerations, velocities, displacements;
    for (const Quantity& q : quantities) {
        unit.push_back(q.unit);
        power.push_back(q.omegaPower);
        limit.push_back(q.level ? std::numeric_limits<double>::lowest() : 0.0);  // a level may be any number
        level.push_back(q.level ? 1 : 0);
    }
    for (const Preset& p : presets) {
        accelerations.push_back(p.acceleration);
        velocities.push_back(p.velocity);
        displacements.push_back(p.displacement);
    }
    // The reference of the quantity in the value field, by quantity and set of documents;
    // 1 for a quantity that is no level and needs none.
    for (int q = 0; q < levelQuantities; ++q) reference.insert(reference.end(), std::size(presets), 1.0);
    for (const auto* column : {&accelerations, &velocities, &displacements})
        reference.insert(reference.end(), column->begin(), column->end());

    choice(unitFactor, unit, *quantityList);
    choice(omegaPower, power, *quantityList);
    choice(valueLimit, limit, *quantityList);
    choice(isLevel, level, *quantityList);
    choice(inputReference, reference, *quantityList, presetList.get());
    choice(kindFactor, kindFactors, *kindList);
    choice(accelerationReference, accelerations, *presetList);
    choice(velocityReference, velocities, *presetList);
    choice(displacementReference, displacements, *presetList);
}

// Both fields read (a field without a number empties the table), then the checks in
// turn (the value, the frequency, a level's reference), then the value of the chosen
// quantity in SI units, linear or from its level, then its RMS acceleration, which goes
// to the table when no field of it would overflow.
void TClassVibrationForm::createCalculation() {
    const auto value = makeDataLink<&TZTEdit::value>(*valueEdit);
    const auto frequency = makeDataLink<&TZTEdit::value>(*frequencyEdit);
    recomputeHub = TZTHub::withOutputs(2);
    inputsGiven = TZTMathParse::realFormula("%1 + 0 * %2", {value, frequency});
    inputsGiven->noValueFails = true;  // fails for a field without a number, or beyond the range
    valueCheck = TZTIf_else::greaterThan(value, 0);
    valueCheck->data2 = makeDataLink<&TZTChoice::value>(*valueLimit);
    frequencyCheck = TZTIf_else::greaterThan(frequency, 0);
    referenceCheck = TZTIf_else::greaterThan(makeDataLink<&TZTChoice::value>(*inputReference), 0);
    levelCheck = TZTIf_else::greaterThan(makeDataLink<&TZTChoice::value>(*isLevel), 0.5);

    // The unit's factor times the value; the reference raised by the level.
    linearValue = TZTMathParse::realFormula("%1 * %2", {makeDataLink<&TZTChoice::value>(*unitFactor), value});
    levelValue = TZTMathParse::realFormula("%1 * 10 ^ (%2 / 20)",
                                           {makeDataLink<&TZTChoice::value>(*inputReference), value});
    // %1, unlinked: the value that came (the quantity in SI units, of the chosen kind).
    rmsAcceleration = TZTMathParse::realFormula("%1 * (2 * pi * %2) ^ %3 / %4",
                                                {{},
                                                 frequency,
                                                 makeDataLink<&TZTChoice::value>(*omegaPower),
                                                 makeDataLink<&TZTChoice::value>(*kindFactor)});
    tableGuard = TZTMathParse::realFormula(guardFormula(), {{}, frequency});
    for (TZTMathParse* step : {linearValue.get(), levelValue.get(), rmsAcceleration.get(), tableGuard.get()})
        step->tooSmallFails = true;

    recomputeHub->onEvent[1] = makeLink<&TZTMathParse::calculate>(*inputsGiven);
    inputsGiven->onResult = makeLink<&TZTIf_else::compare>(*valueCheck);
    valueCheck->onTrue = makeLink<&TZTIf_else::compare>(*frequencyCheck);
    frequencyCheck->onTrue = makeLink<&TZTIf_else::compare>(*referenceCheck);
    referenceCheck->onTrue = makeLink<&TZTIf_else::compare>(*levelCheck);
    levelCheck->onTrue = makeLink<&TZTMathParse::calculate>(*levelValue);
    levelCheck->onFalse = makeLink<&TZTMathParse::calculate>(*linearValue);
    linearValue->onResult = makeLink<&TZTMathParse::calculate>(*rmsAcceleration);
    levelValue->onResult = makeLink<&TZTMathParse::calculate>(*rmsAcceleration);
    rmsAcceleration->onResult = makeLink<&TZTMathParse::calculate>(*tableGuard);
}

// Each field: its formula from the RMS acceleration that the table hub hands round, a
// format, and the field; a level against a reference the documents lack shows a dash.
void TClassVibrationForm::createCells() {
    tableHub = TZTHub::withOutputs(tableFields.size());
    tableGuard->onResult = makeLink<&TZTHub::trigger>(*tableHub);
    TZTChoice* const references[] = {accelerationReference.get(), nullptr, velocityReference.get(), nullptr,
                                     displacementReference.get(), nullptr};
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < (rows[row].levelOf ? 4 : 3); ++column) {
            const std::size_t cell = cellFormulas.size();
            cellFormulas.emplace_back();
            cellFormats.push_back(std::make_unique<TZTNumberFormat>());
            TZTNumberFormat& format = *cellFormats.back();
            TZTEdit& field = *tableFields[cell];
            const auto frequency = makeDataLink<&TZTEdit::value>(*frequencyEdit);
            if (column < 3) {
                cellFormulas.back() = TZTMathParse::realFormula(
                    std::string(rows[row].rms) + kindOfCell[column], {{}, frequency});
                cellFormulas.back()->onResult = makeLink<&TZTNumberFormat::format>(format);
            } else {
                cellFormulas.back() = TZTMathParse::realFormula(
                    levelFormula(rows[row]),
                    {{}, frequency, makeDataLink<&TZTChoice::value>(*references[row])});
                TZTMathParse& level = *cellFormulas.back();
                level.onResult = makeLink<&TZTNumberFormat::format>(format);
                format.significantDigits = 0;  // one decimal
                noLevelTexts.push_back(TZTVisualStrings::constant("—", makeLink<&TZTEdit::doText>(field)));
                level.onError = makeLink<&TZTVisualStrings::compose>(*noLevelTexts.back());
            }
            format.onText = makeLink<&TZTEdit::doText>(field);
            tableHub->onEvent[cell] = makeLink<&TZTMathParse::calculate>(*cellFormulas.back());
        }
    }
    // The RMS velocity goes to its field and, with a point, to the display.
    velocityHub = TZTHub::withOutputs(2);
    ledFormat = std::make_unique<TZTNumberFormat>();
    ledFormat->separator = '.';
    ledFormat->onText = makeLink<&TZTLedNumber::doText>(*velocityLed);
    cellFormulas[velocityCell]->onResult = makeLink<&TZTHub::trigger>(*velocityHub);
    velocityHub->onEvent[0] = makeLink<&TZTNumberFormat::format>(*cellFormats[velocityCell]);
    velocityHub->onEvent[1] = makeLink<&TZTNumberFormat::format>(*ledFormat);
}

// A refusal's reason goes to the memo and the table empties; a field without a number
// (emptied or unfinished) empties it without a reason, whether the field changed or a
// list beside it.
void TClassVibrationForm::createRefusals() {
    valueRefused = TZTVisualStrings::constant("Значение должно быть больше нуля");
    frequencyRefused = TZTVisualStrings::constant("Частота должна быть больше нуля");
    referenceRefused =
        TZTVisualStrings::constant("В выбранных нормах нет опорного значения для этой величины");
    tooLarge = TZTVisualStrings::constant("Слишком большое число");
    tooSmall = TZTVisualStrings::constant("Слишком малое число");
    // The error code that came: the one of a field without a number, or of a value too
    // small; any other is of one too large.
    noValueCheck = std::make_unique<TZTIf_else>();
    dataflow::setInteger(noValueCheck->op2, TZTMathParse::errNoValue);
    tooSmallCheck = std::make_unique<TZTIf_else>();
    dataflow::setInteger(tooSmallCheck->op2, TZTMathParse::errTooSmall);
    refusalHub = TZTHub::withOutputs(2);
    emptiedHub = TZTHub::withOutputs(2);
    noResultHub = TZTHub::withOutputs(2);
    clearHub = TZTHub::withOutputs(tableFields.size());
    emptyText = TZTVisualStrings::constant("");
    displayBars = TZTVisualStrings::constant(bars);

    valueCheck->onFalse = makeLink<&TZTVisualStrings::compose>(*valueRefused);
    frequencyCheck->onFalse = makeLink<&TZTVisualStrings::compose>(*frequencyRefused);
    referenceCheck->onFalse = makeLink<&TZTVisualStrings::compose>(*referenceRefused);
    for (TZTMathParse* failing :
         {linearValue.get(), levelValue.get(), rmsAcceleration.get(), tableGuard.get()})
        failing->onError = makeLink<&TZTIf_else::compare>(*tooSmallCheck);
    tooSmallCheck->onTrue = makeLink<&TZTVisualStrings::compose>(*tooSmall);
    tooSmallCheck->onFalse = makeLink<&TZTVisualStrings::compose>(*tooLarge);
    for (TZTVisualStrings* reason :
         {valueRefused.get(), frequencyRefused.get(), referenceRefused.get(), tooLarge.get(), tooSmall.get()})
        reason->onText = makeLink<&TZTHub::trigger>(*refusalHub);
    refusalHub->onEvent[0] = makeLink<&TZTMemo::doAdd>(*reasonMemo);
    refusalHub->onEvent[1] = makeLink<&TZTHub::trigger>(*noResultHub);
    inputsGiven->onError = makeLink<&TZTIf_else::compare>(*noValueCheck);
    noValueCheck->onTrue = makeLink<&TZTHub::trigger>(*emptiedHub);
    noValueCheck->onFalse = makeLink<&TZTIf_else::compare>(*tooSmallCheck);
    emptiedHub->onEvent[0] = makeLink<&TZTMemo::doClear>(*reasonMemo);
    emptiedHub->onEvent[1] = makeLink<&TZTHub::trigger>(*noResultHub);
    noResultHub->onEvent[0] = makeLink<&TZTVisualStrings::compose>(*emptyText);
    noResultHub->onEvent[1] = makeLink<&TZTVisualStrings::compose>(*displayBars);
    emptyText->onText = makeLink<&TZTHub::trigger>(*clearHub);
    displayBars->onText = makeLink<&TZTLedNumber::doText>(*velocityLed);
    for (std::size_t i = 0; i < tableFields.size(); ++i)
        clearHub->onEvent[i] = makeLink<&TZTEdit::doText>(*tableFields[i]);
}

// Every change of a field or a list, and the start, compute the table again.
void TClassVibrationForm::connectInputs() {
    recomputeHub->onEvent[0] = makeLink<&TZTMemo::doClear>(*reasonMemo);
    mainForm->onCreate = makeLink<&TZTHub::trigger>(*recomputeHub);
    valueEdit->onChange = makeLink<&TZTHub::trigger>(*recomputeHub);
    frequencyEdit->onChange = makeLink<&TZTHub::trigger>(*recomputeHub);
    for (TZTComboBox* input : {quantityList.get(), kindList.get(), presetList.get()})
        input->onChange = makeLink<&TZTHub::trigger>(*recomputeHub);
    valueEdit->onNoValue = makeLink<&TZTHub::trigger>(*emptiedHub);
    frequencyEdit->onNoValue = makeLink<&TZTHub::trigger>(*emptiedHub);
}

void TClassVibrationForm::finishVisualSetUp() {
    toolkit::installTabulation(*mainForm->control);
    // The value field has the focus first, its text selected, so that typing replaces it.
    valueEdit->control->perform(EM_SETSEL, 0, -1);
}

}  // namespace vibration
