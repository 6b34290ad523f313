#include "examples/vibration/TClassVibrationForm.h"

#include <algorithm>
#include <limits>

#include "dataflow/TZT_Event.h"
#include "examples/vibration/VibrationTables.h"
#include "toolkit/drawing/Colors.h"
#include "toolkit/window/Navigation.h"

namespace vibration {

using dataflow::makeDataLink;
using dataflow::makeLink;
using toolkit::clSys3DLight, toolkit::clSysButtonFace, toolkit::clSysWindow;

namespace {

TFontRec uiFont() { return fontOf("Tahoma", 9); }

constexpr const char* bars = "---------";
constexpr const char* copyCaption = "Копировать таблицу";
constexpr const char* copyChartCaption = "Копировать график";
constexpr const char* zoneNote =
    "Зона — по СКЗ виброскорости в мм/с из таблицы (широкополосное значение 10–1000 Гц)";

// The captions of the inputs, in their order: one line each.
constexpr const char* inputCaptions[] = {
    "Значение:", "Величина:", "Вид:", "Частота:", "Опорные значения дБ:", "Класс машины:"};

template <class Table>
std::vector<std::string> itemsOf(const Table& table) {
    std::vector<std::string> items;
    for (const auto& entry : table) items.emplace_back(entry.item);
    return items;
}

// The unit a list's item names: what follows its last ", " (all of it where there is none).
std::string unitOf(const std::string& item) {
    const std::size_t comma = item.rfind(", ");
    return comma == std::string::npos ? item : item.substr(comma + 2);
}

template <class Table>
std::vector<TZTUnitSplit::TUnit> unitsOf(const Table& table) {
    std::vector<TZTUnitSplit::TUnit> units;
    for (const std::string& item : itemsOf(table))
        units.push_back({unitOf(item), static_cast<std::int32_t>(units.size())});
    return units;
}

// A level as the difference of two logarithms: the ratio of a large value to a small
// reference would overflow where the level itself is a number.
std::string levelFormula(const Row& row) { return std::string("20 * (lg(") + row.levelOf + ") - lg(%3))"; }

// Every RMS value of the table, and the largest of them as a peak-to-peak value, for the
// failure only: the RMS acceleration comes out unchanged (plus nothing), unless some
// field would overflow or fall below the normal range.
std::string guardFormula() {
    std::string values;
    for (const Row& row : rows) values += (values.empty() ? "" : ", ") + std::string(row.rms);
    return "%1 + 0 * (max(" + values + ")" + valueColumns[std::size(valueColumns) - 1].ofRms + ")";
}

constexpr std::size_t columnsOf(const Row& row) { return std::size(valueColumns) + (row.levelOf ? 1 : 0); }

// The field of the table whose RMS value the display shows.
constexpr std::size_t displayedCell() {
    std::size_t cell = 0;
    for (const Row& row : rows) {
        if (row.shownOnDisplay) return cell;
        cell += columnsOf(row);
    }
    return cell;
}

}  // namespace

// Where everything stands, in pixels at 96 DPI, from the tables and the widths of the
// texts in the font they are drawn with: the captions' column, the table's columns and
// the form grow to fit.
struct TClassVibrationForm::Layout {
    static constexpr int margin = 16, gap = 12, lineStep = 28, rowHeight = 26, fieldHeight = 22;
    int inputLeft = 0, presetWidth = 0, classWidth = 0;
    int cellLeft = 0, cellWidth = 0, cellStep = 0;
    int tableTop = 0, displayTop = 0, zoneTop = 0, noteTop = 0, reasonTop = 0;
    static constexpr int chartWidth = 340;
    int buttonLeft = 0, buttonWidth = 0, chartLeft = 0, chartButtonWidth = 0, clientWidth = 0,
        clientHeight = 0;

    int inputTop(int line) const { return margin + line * lineStep; }
    int rowTop(std::size_t row) const { return tableTop + 20 + static_cast<int>(row) * rowHeight; }
};

TClassVibrationForm::TClassVibrationForm() {
    createForm();
    Layout layout;
    const auto widest = [this](const auto& texts) {
        int width = 0;
        for (const auto& text : texts) width = std::max(width, textWidth(text));
        return width;
    };
    layout.inputLeft = Layout::margin + widest(inputCaptions) + Layout::gap;
    layout.presetWidth = std::max(390, widest(itemsOf(presets)) + 40);
    layout.classWidth = std::max(390, widest(itemsOf(machineClasses)) + 40);
    std::vector<std::string> captions{"СКЗ виброскорости, мм/с:"};
    for (const Row& row : rows) captions.emplace_back(row.caption);
    layout.cellLeft = Layout::margin + widest(captions) + Layout::gap;
    layout.cellWidth = std::max({94, textWidth("-8,888E-308") + 14, textWidth(levelHeader) + 8});
    layout.cellStep = layout.cellWidth + 6;
    layout.tableTop = layout.inputTop(static_cast<int>(std::size(inputCaptions))) + 14;
    layout.displayTop = layout.rowTop(std::size(rows)) + 10;
    layout.zoneTop = layout.displayTop + 40;
    layout.noteTop = layout.zoneTop + 28;
    layout.reasonTop = layout.noteTop + 24;
    layout.buttonLeft = layout.cellLeft + 240 + Layout::gap;
    layout.buttonWidth = textWidth(copyCaption) + 28;
    layout.chartButtonWidth = textWidth(copyChartCaption) + 28;
    // The chart stands right of the inputs and the table, as high as they are.
    const int tableRight =
        layout.cellLeft + static_cast<int>(std::size(valueColumns) + 1) * layout.cellStep - 6;
    const int inputsRight = layout.inputLeft + std::max(layout.presetWidth, layout.classWidth);
    const int displayRight = layout.buttonLeft + layout.buttonWidth;
    layout.chartLeft = std::max({tableRight, inputsRight, displayRight}) + Layout::gap;
    layout.clientWidth =
        std::max(layout.chartLeft + Layout::chartWidth, textWidth(zoneNote) + Layout::margin) +
        Layout::margin;
    layout.clientHeight = layout.reasonTop + 24 + 14;

    createInputs(layout);
    createTable(layout);
    createChoices();
    createCalculation();
    createCells();
    createZone();
    createRefusals();
    createPastes();
    createCopy();
    createSettings();
    connectInputs();
    finishVisualSetUp(layout);
}

TClassVibrationForm::~TClassVibrationForm() = default;

// ---------------------------------------------------------------- windows

void TClassVibrationForm::createForm() {
    mainForm = std::make_unique<TZTMainForm>(nullptr);
    mainForm->place({0, 0, 600, 400}, clSysButtonFace, uiFont(), TZTWin::esPlain);
    mainForm->clientSizing = true;
    mainForm->setCaption("Пересчёт параметров вибрации");
    mainForm->setFrameStyle(TZTMainForm::frFixedWithMinimize);
    mainForm->setIcon(LoadIconW(GetModuleHandleW(nullptr), L"VIBRATION"));
    mainForm->placement = TZTMainForm::centreOnScreen;
    const std::string kept = TZTSettings::userFile("Vibration", "vibration.ini");
    if (!kept.empty()) mainForm->positionStore = kept + "\\Window";
    mainForm->init();
}

// The width of a text in the form's font, in pixels at 96 DPI, with the room for the
// ink that a label takes.
int TClassVibrationForm::textWidth(const std::string& text) const {
    TControl& form = *mainForm->control;
    const int device = form.canvas().textExtent(text).cx;
    return (device * 96 + form.dpi() - 1) / form.dpi() + 4;
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

// A field for a number, which keeps the decimal comma as the user types it.
TZTEdit& TClassVibrationForm::numberField(std::unique_ptr<TZTEdit>& slot, const std::string& text, int left,
                                          int top) {
    slot = std::make_unique<TZTEdit>(mainForm->control);
    slot->place({left, top, 120, Layout::fieldHeight}, clSysWindow, uiFont(), TZTWin::esSunken);
    slot->valueReader = &TZTEdit::numericReader;
    slot->keepsComma = true;
    slot->text = text;
    slot->init();
    return *slot;
}

void TClassVibrationForm::createInputs(const Layout& layout) {
    for (int line = 0; line < static_cast<int>(std::size(inputCaptions)); ++line)
        label(inputCaptions[line], Layout::margin, layout.inputTop(line) + 3);
    const int left = layout.inputLeft;
    numberField(valueEdit, "120", left, layout.inputTop(0));
    list(quantityList, itemsOf(quantities), startQuantity, left, layout.inputTop(1), 250);
    list(kindList, itemsOf(kinds), 0, left, layout.inputTop(2), 120);
    numberField(frequencyEdit, "100", left, layout.inputTop(3));
    list(frequencyUnitList, itemsOf(frequencyUnits), 0, left + 126, layout.inputTop(3), 90);
    list(presetList, itemsOf(presets), 0, left, layout.inputTop(4), layout.presetWidth);
    list(machineClassList, itemsOf(machineClasses), startMachineClass, left, layout.inputTop(5),
         layout.classWidth);
}

void TClassVibrationForm::createTable(const Layout& layout) {
    for (std::size_t column = 0; column <= std::size(valueColumns); ++column)
        label(column < std::size(valueColumns) ? valueColumns[column].header : levelHeader,
              layout.cellLeft + static_cast<int>(column) * layout.cellStep, layout.tableTop);
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        label(rows[row].caption, Layout::margin, layout.rowTop(row) + 3);
        for (std::size_t column = 0; column < columnsOf(rows[row]); ++column) {
            auto field = std::make_unique<TZTEdit>(mainForm->control);
            field->place({layout.cellLeft + static_cast<int>(column) * layout.cellStep, layout.rowTop(row),
                          layout.cellWidth, Layout::fieldHeight},
                         clSysWindow, uiFont(), TZTWin::esSunken);
            field->readOnly = true;  // selected and copied, not typed over
            field->textAlign = taRight;
            field->init();
            tableFields.push_back(std::move(field));
        }
    }
    label("СКЗ виброскорости, мм/с:", Layout::margin, layout.displayTop + 8);
    velocityLed = std::make_unique<TZTLedNumber>(mainForm->control);
    velocityLed->place({layout.cellLeft, layout.displayTop, 240, 30}, clSysButtonFace, uiFont(),
                       TZTWin::esPlain);
    velocityLed->initialText = bars;
    velocityLed->backColor = 0x000000;  // green digits on black, as the converter's
    velocityLed->litColor = 0x00FF00;
    velocityLed->unlitColor = 0x008000;
    velocityLed->init();

    const auto button = [&](std::unique_ptr<TZTButton>& slot, const char* caption, int left, int width) {
        slot = std::make_unique<TZTButton>(mainForm->control);
        slot->place({left, layout.displayTop + 2, width, 26}, clSysButtonFace, uiFont());
        slot->caption = caption;
        slot->init();
    };
    button(copyButton, copyCaption, layout.buttonLeft, layout.buttonWidth);

    chart = std::make_unique<TZTNomograph>(mainForm->control);
    chart->place(
        {layout.chartLeft, Layout::margin, Layout::chartWidth, layout.displayTop - 6 - Layout::margin},
        clSysWindow, uiFont(), TZTWin::esSunken);
    chart->init();
    button(copyChartButton, copyChartCaption, layout.chartLeft + Layout::chartWidth - layout.chartButtonWidth,
           layout.chartButtonWidth);

    zoneLine = std::make_unique<TZTLabel>(mainForm->control);
    zoneLine->place(
        {Layout::margin, layout.zoneTop, layout.clientWidth - 2 * Layout::margin, Layout::fieldHeight},
        clSysButtonFace, uiFont(), TZTWin::esPlain);
    zoneLine->centredVertically = true;
    zoneLine->init();
    label(zoneNote, Layout::margin, layout.noteTop);

    reasonMemo = std::make_unique<TZTMemo>(mainForm->control);
    reasonMemo->place({Layout::margin, layout.reasonTop, layout.clientWidth - 2 * Layout::margin, 24},
                      clSys3DLight, uiFont(), TZTWin::esSunken);
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
    std::vector<double> unit, power, limit, level, reference, accelerations, velocities, displacements, kind,
        hertz;
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
    // The reference of the quantity in the value field, by quantity and set of documents
    // (the level of an acceleration, a velocity or a displacement, by the power of the
    // angular frequency); 1 for a quantity that is no level and needs none.
    const std::vector<double>* const byPower[] = {&accelerations, &velocities, &displacements};
    for (const Quantity& q : quantities) {
        if (q.level)
            reference.insert(reference.end(), byPower[q.omegaPower]->begin(), byPower[q.omegaPower]->end());
        else
            reference.insert(reference.end(), std::size(presets), 1.0);
    }
    for (const Kind& k : kinds) kind.push_back(k.factor);
    for (const FrequencyUnit& u : frequencyUnits) hertz.push_back(u.hertz);

    choice(unitFactor, unit, *quantityList);
    choice(omegaPower, power, *quantityList);
    choice(valueLimit, limit, *quantityList);
    choice(isLevel, level, *quantityList);
    choice(inputReference, reference, *quantityList, presetList.get());
    choice(kindFactor, kind, *kindList);
    choice(hertzFactor, hertz, *frequencyUnitList);
    choice(accelerationReference, accelerations, *presetList);
    choice(velocityReference, velocities, *presetList);
    choice(displacementReference, displacements, *presetList);
}

// Both fields read (a field without a number empties the table), the frequency in Hz,
// then the checks in turn (the value, the frequency, a level's reference), then the value
// of the chosen quantity in SI units, linear or from its level, then its RMS
// acceleration, which goes to the table when no field of it would overflow or fall below
// the normal range.
void TClassVibrationForm::createCalculation() {
    const auto value = makeDataLink<&TZTEdit::value>(*valueEdit);
    recomputeHub = TZTHub::withOutputs(2);
    inputsGiven =
        TZTMathParse::realFormula("%1 + 0 * %2", {value, makeDataLink<&TZTEdit::value>(*frequencyEdit)});
    inputsGiven->noValueFails = true;  // fails for a field without a number, or beyond the range
    frequencyInHertz = TZTMathParse::realFormula("%1 * %2", {makeDataLink<&TZTEdit::value>(*frequencyEdit),
                                                             makeDataLink<&TZTChoice::value>(*hertzFactor)});
    const auto frequency = makeDataLink<&TZTMathParse::value>(*frequencyInHertz);
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
    inputsGiven->onResult = makeLink<&TZTMathParse::calculate>(*frequencyInHertz);
    frequencyInHertz->onResult = makeLink<&TZTIf_else::compare>(*valueCheck);
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
    const auto frequency = makeDataLink<&TZTMathParse::value>(*frequencyInHertz);
    const auto referenceOf = [this](Reference reference) {
        TZTChoice* const choices[] = {nullptr, accelerationReference.get(), velocityReference.get(),
                                      displacementReference.get()};
        return makeDataLink<&TZTChoice::value>(*choices[static_cast<int>(reference)]);
    };
    for (const Row& row : rows) {
        for (std::size_t column = 0; column < columnsOf(row); ++column) {
            const std::size_t cell = cellFormulas.size();
            cellFormats.push_back(std::make_unique<TZTNumberFormat>());
            TZTNumberFormat& format = *cellFormats.back();
            TZTEdit& field = *tableFields[cell];
            if (column < std::size(valueColumns)) {
                cellFormulas.push_back(TZTMathParse::realFormula(
                    std::string(row.rms) + valueColumns[column].ofRms, {{}, frequency}));
            } else {
                cellFormulas.push_back(TZTMathParse::realFormula(
                    levelFormula(row), {{}, frequency, referenceOf(row.reference)}));
                format.significantDigits = 0;  // one decimal
                noLevelTexts.push_back(TZTVisualStrings::constant("—", makeLink<&TZTEdit::doText>(field)));
                cellFormulas.back()->onError = makeLink<&TZTVisualStrings::compose>(*noLevelTexts.back());
            }
            cellFormulas.back()->onResult = makeLink<&TZTNumberFormat::format>(format);
            format.onText = makeLink<&TZTEdit::doText>(field);
            tableHub->onEvent[cell] = makeLink<&TZTMathParse::calculate>(*cellFormulas.back());
        }
    }
    // The RMS velocity goes to its field, and with a point to the display and to the zone:
    // the zone is of the value shown (a value typed on a boundary is on it, whatever the
    // last bit of the arithmetic).
    constexpr std::size_t velocityCell = displayedCell();
    velocityHub = TZTHub::withOutputs(2);
    ledFormat = std::make_unique<TZTNumberFormat>();
    ledFormat->separator = '.';
    shownVelocityHub = TZTHub::withOutputs(3);
    ledFormat->onText = makeLink<&TZTHub::trigger>(*shownVelocityHub);
    shownVelocityHub->onEvent[0] = makeLink<&TZTLedNumber::doText>(*velocityLed);
    cellFormulas[velocityCell]->onResult = makeLink<&TZTHub::trigger>(*velocityHub);
    velocityHub->onEvent[0] = makeLink<&TZTNumberFormat::format>(*cellFormats[velocityCell]);
    velocityHub->onEvent[1] = makeLink<&TZTNumberFormat::format>(*ledFormat);
}

// The zone of the RMS velocity for the chosen machine class: its line and its colour;
// the band past the last zone, "no zone", leaves the line empty on the form's colour.
void TClassVibrationForm::createZone() {
    zoneBands = std::make_unique<TZTBands>();
    for (const MachineClass& machine : machineClasses)
        zoneBands->boundaries.insert(zoneBands->boundaries.end(), std::begin(machine.boundaries),
                                     std::end(machine.boundaries));
    zoneBands->boundariesPerRow = static_cast<std::int32_t>(std::size(machineClasses[0].boundaries));
    zoneBands->row = makeDataLink<&TZTComboBox::value>(*machineClassList);
    // The chart shows the same zones as bands, and its point at the frequency in Hz.
    chart->zoneBoundaries = zoneBands->boundaries;
    chart->boundariesPerRow = zoneBands->boundariesPerRow;
    chart->zoneRow = makeDataLink<&TZTComboBox::value>(*machineClassList);
    chart->frequency = makeDataLink<&TZTMathParse::value>(*frequencyInHertz);
    zoneTexts = std::make_unique<TZTPick>();
    zoneColours = std::make_unique<TZTChoice>();
    for (const Zone& zone : zones) {
        zoneTexts->texts.emplace_back(zone.line);
        zoneColours->values.push_back(zone.colour);
        chart->zoneColours.push_back(zone.colour);
    }
    zoneColours->values.push_back(clSysButtonFace);  // no zone
    noZone = TZTVisualStrings::constant(std::to_string(std::size(zones)));
    zoneHub =
        TZTHub::firing({makeLink<&TZTPick::pick>(*zoneTexts), makeLink<&TZTChoice::choose>(*zoneColours)});
    shownVelocityHub->onEvent[1] = makeLink<&TZTBands::classify>(*zoneBands);
    shownVelocityHub->onEvent[2] = makeLink<&TZTNomograph::doPoint>(*chart);
    zoneBands->onBand = makeLink<&TZTHub::trigger>(*zoneHub);
    noZone->onText = makeLink<&TZTHub::trigger>(*zoneHub);
    zoneTexts->onText = makeLink<&TZTLabel::doText>(*zoneLine);
    zoneColours->onValue = makeLink<&TZTLabel::doColor>(*zoneLine);
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
    noResultHub = TZTHub::withOutputs(4);
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
    noResultHub->onEvent[2] = makeLink<&TZTVisualStrings::compose>(*noZone);
    noResultHub->onEvent[3] = makeLink<&TZTNomograph::doClear>(*chart);
    emptyText->onText = makeLink<&TZTHub::trigger>(*clearHub);
    displayBars->onText = makeLink<&TZTLedNumber::doText>(*velocityLed);
    for (std::size_t i = 0; i < tableFields.size(); ++i)
        clearHub->onEvent[i] = makeLink<&TZTEdit::doText>(*tableFields[i]);
}

// A paste the field refuses may be a number with its unit ("4,5 мм/с", "3000 об/мин"):
// the unit chooses the list's item and the number is pasted alone. Any other says so in
// the line of reasons, the field as it was.
void TClassVibrationForm::createPastes() {
    notANumber = TZTVisualStrings::constant("Не число: «%1»");
    notANumberHub =
        TZTHub::firing({makeLink<&TZTMemo::doClear>(*reasonMemo), makeLink<&TZTMemo::doAdd>(*reasonMemo)});
    notANumber->onText = makeLink<&TZTHub::trigger>(*notANumberHub);
    const auto splitting = [this](std::unique_ptr<TZTUnitSplit>& slot, std::vector<TZTUnitSplit::TUnit> units,
                                  TZTEdit& field, TZTComboBox& list) {
        slot = std::make_unique<TZTUnitSplit>();
        slot->units = std::move(units);
        slot->current = makeDataLink<&TZTComboBox::value>(list);
        slot->onUnit = makeLink<&TZTComboBox::doItemIndex>(list);
        slot->onNumber = makeLink<&TZTEdit::doPaste>(field);
        slot->onRefused = makeLink<&TZTVisualStrings::compose>(*notANumber);
        field.onPasteRefused = makeLink<&TZTUnitSplit::split>(*slot);
    };
    splitting(valueUnitSplit, unitsOf(quantities), *valueEdit, *quantityList);
    splitting(frequencyUnitSplit, unitsOf(vibration::frequencyUnits), *frequencyEdit, *frequencyUnitList);
}

// The button and Ctrl+Shift+C put the table on the clipboard, as tab-separated lines a
// spreadsheet takes cell by cell: the inputs, the header, the rows, the zone; nothing
// while the table is empty.
void TClassVibrationForm::createCopy() {
    tableEmpty = std::make_unique<TZTIf_else>();
    tableEmpty->data1 = makeDataLink<&TZTEdit::shownText>(*tableFields[0]);
    dataflow::setString(tableEmpty->op2, "");
    tableText = std::make_unique<TZTTextTable>();
    clipboard = std::make_unique<TZTClipboard>();
    using TCell = TZTTextTable::TCell;
    tableText->lines.push_back(
        {makeDataLink<&TZTEdit::shownText>(*valueEdit), makeDataLink<&TZTComboBox::itemText>(*quantityList),
         makeDataLink<&TZTComboBox::itemText>(*kindList), makeDataLink<&TZTEdit::shownText>(*frequencyEdit),
         makeDataLink<&TZTComboBox::itemText>(*frequencyUnitList),
         makeDataLink<&TZTComboBox::itemText>(*presetList)});
    std::vector<TCell> header{"Величина"};
    for (const Column& column : valueColumns) header.emplace_back(column.header);
    header.emplace_back(levelHeader);
    tableText->lines.push_back(header);
    std::size_t cell = 0;
    for (const Row& row : rows) {
        std::vector<TCell> line{row.caption};
        for (std::size_t column = 0; column < columnsOf(row); ++column)
            line.emplace_back(makeDataLink<&TZTEdit::shownText>(*tableFields[cell++]));
        tableText->lines.push_back(line);
    }
    tableText->lines.push_back(
        {makeDataLink<&TZTLabel::text>(*zoneLine), makeDataLink<&TZTComboBox::itemText>(*machineClassList)});

    const TEventLink copy = makeLink<&TZTIf_else::compare>(*tableEmpty);
    copyButton->onClick = copy;
    mainForm->shortcuts.push_back({'C', toolkit::ssCtrl | toolkit::ssShift, copy});
    tableEmpty->onFalse = makeLink<&TZTTextTable::compose>(*tableText);
    tableText->onText = makeLink<&TZTClipboard::doCopy>(*clipboard);
    copyChartButton->onClick = makeLink<&TZTNomograph::doCopy>(*chart);
}

// The inputs are kept between runs, in the user's application data: given back when the
// program starts, before the first computation, and stored when it closes.
void TClassVibrationForm::createSettings() {
    settings = std::make_unique<TZTSettings>();
    settings->fileName = TZTSettings::userFile("Vibration", "vibration.ini");
    const auto field = [](const char* key, TZTEdit& edit) {
        return TZTSettings::TSetting{key, TZTSettings::TKind::number, makeDataLink<&TZTEdit::shownText>(edit),
                                     makeLink<&TZTEdit::doText>(edit)};
    };
    const auto list = [](const char* key, TZTComboBox& combo) {
        return TZTSettings::TSetting{key, TZTSettings::TKind::index, makeDataLink<&TZTComboBox::value>(combo),
                                     makeLink<&TZTComboBox::doItemIndex>(combo)};
    };
    settings->settings = {field("Value", *valueEdit),
                          list("Quantity", *quantityList),
                          list("Kind", *kindList),
                          field("Frequency", *frequencyEdit),
                          list("FrequencyUnit", *frequencyUnitList),
                          list("References", *presetList),
                          list("MachineClass", *machineClassList)};
}

// Every change of a field or a list computes the table again; the start gives back what
// was kept, computes, and leaves the value's text selected, so that typing replaces it.
void TClassVibrationForm::connectInputs() {
    recomputeHub->onEvent[0] = makeLink<&TZTMemo::doClear>(*reasonMemo);
    startHub =
        TZTHub::firing({makeLink<&TZTSettings::restore>(*settings), makeLink<&TZTHub::trigger>(*recomputeHub),
                        makeLink<&TZTEdit::doSelectAll>(*valueEdit)});
    mainForm->onCreate = makeLink<&TZTHub::trigger>(*startHub);
    mainForm->onClose = makeLink<&TZTSettings::store>(*settings);
    for (TZTEdit* input : {valueEdit.get(), frequencyEdit.get()}) {
        input->onChange = makeLink<&TZTHub::trigger>(*recomputeHub);
        input->onNoValue = makeLink<&TZTHub::trigger>(*emptiedHub);
    }
    for (TZTComboBox* input : {quantityList.get(), kindList.get(), frequencyUnitList.get(), presetList.get(),
                               machineClassList.get()})
        input->onChange = makeLink<&TZTHub::trigger>(*recomputeHub);
}

void TClassVibrationForm::finishVisualSetUp(const Layout& layout) {
    mainForm->control->setClientSize(layout.clientWidth, layout.clientHeight);
    TZTMainForm::centreOnScreen(*mainForm);
    toolkit::installTabulation(*mainForm->control);
    // The value field has the focus first.
    SetFocus(valueEdit->control->handle());
}

}  // namespace vibration
