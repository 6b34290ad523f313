// The vibration program: a value of a vibration quantity (acceleration, velocity,
// displacement or their levels in dB, in any of their units and as an RMS, peak or
// peak-to-peak value) at a frequency (in Hz or rpm) becomes every other quantity, unit,
// kind of value and level, against the dB references of the chosen documents, with the
// severity zone of the RMS velocity for the chosen machine class. Every change of a
// field or list computes the whole table again; the arithmetic is in the formula
// components, and what the program knows is in its tables (VibrationTables.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/logic/TZTBands.h"
#include "components/logic/TZTChoice.h"
#include "components/logic/TZTHub.h"
#include "components/logic/TZTIf_else.h"
#include "components/logic/TZTMathParse.h"
#include "components/logic/TZTNumberFormat.h"
#include "components/logic/TZTPick.h"
#include "components/logic/TZTTextTable.h"
#include "components/logic/TZTUnitSplit.h"
#include "components/logic/TZTVisualStrings.h"
#include "components/visual/TZTButton.h"
#include "components/visual/TZTClipboard.h"
#include "components/visual/TZTComboBox.h"
#include "components/visual/TZTEdit.h"
#include "components/visual/TZTLabel.h"
#include "components/visual/TZTLedNumber.h"
#include "components/visual/TZTMainForm.h"
#include "components/visual/TZTMemo.h"
#include "components/visual/TZTNomograph.h"
#include "components/visual/TZTSettings.h"

namespace vibration {

using namespace components;

class TClassVibrationForm {
public:
    TClassVibrationForm();
    // Members go in the reverse order of their declaration: the logic first, the form last.
    ~TClassVibrationForm();

    std::unique_ptr<TZTMainForm> mainForm;

    // The inputs, in their tab order.
    std::unique_ptr<TZTEdit> valueEdit;
    std::unique_ptr<TZTComboBox> quantityList;
    std::unique_ptr<TZTComboBox> kindList;
    std::unique_ptr<TZTEdit> frequencyEdit;
    std::unique_ptr<TZTComboBox> frequencyUnitList;
    std::unique_ptr<TZTComboBox> presetList;
    std::unique_ptr<TZTComboBox> machineClassList;

    // The table, its fields in reading order, the display, the zone's line, the button
    // that copies the table, the chart and its button, and the line of reasons.
    std::vector<std::unique_ptr<TZTEdit>> tableFields;
    std::unique_ptr<TZTLedNumber> velocityLed;
    std::unique_ptr<TZTLabel> zoneLine;
    std::unique_ptr<TZTButton> copyButton;
    std::unique_ptr<TZTNomograph> chart;
    std::unique_ptr<TZTButton> copyChartButton;
    std::unique_ptr<TZTMemo> reasonMemo;
    std::vector<std::unique_ptr<TZTLabel>> labels;

    // What the lists choose: factors and references by the chosen item.
    std::unique_ptr<TZTChoice> unitFactor, omegaPower, valueLimit, isLevel, inputReference, kindFactor,
        hertzFactor;
    std::unique_ptr<TZTChoice> accelerationReference, velocityReference, displacementReference;

    // The way from the inputs to the RMS acceleration.
    std::unique_ptr<TZTHub> startHub, recomputeHub;
    std::unique_ptr<TZTMathParse> inputsGiven;  // fails while a field holds no number
    std::unique_ptr<TZTMathParse> frequencyInHertz;
    std::unique_ptr<TZTIf_else> valueCheck, frequencyCheck, referenceCheck, levelCheck;
    std::unique_ptr<TZTMathParse> linearValue, levelValue, rmsAcceleration, tableGuard;

    // From the RMS acceleration to each field, to the display and to the zone.
    std::unique_ptr<TZTHub> tableHub;
    std::vector<std::unique_ptr<TZTMathParse>> cellFormulas;
    std::vector<std::unique_ptr<TZTNumberFormat>> cellFormats;
    std::vector<std::unique_ptr<TZTVisualStrings>> noLevelTexts;
    std::unique_ptr<TZTHub> velocityHub, shownVelocityHub, zoneHub;
    std::unique_ptr<TZTNumberFormat> ledFormat;
    std::unique_ptr<TZTBands> zoneBands;
    std::unique_ptr<TZTPick> zoneTexts;
    std::unique_ptr<TZTChoice> zoneColours;

    // Refusals: a line with the reason, and no result.
    std::unique_ptr<TZTVisualStrings> valueRefused, frequencyRefused, referenceRefused, tooLarge, tooSmall;
    // A failed step's code: no number in a field, a value too small, else one too large.
    std::unique_ptr<TZTIf_else> noValueCheck, tooSmallCheck;
    std::unique_ptr<TZTHub> refusalHub, emptiedHub, noResultHub, clearHub;
    std::unique_ptr<TZTVisualStrings> emptyText, displayBars, noZone;

    // Pastes: a number with a unit of a list, and a paste that is no number.
    std::unique_ptr<TZTUnitSplit> valueUnitSplit, frequencyUnitSplit;
    std::unique_ptr<TZTVisualStrings> notANumber;
    std::unique_ptr<TZTHub> notANumberHub;

    // The table out in one step, and what is kept between runs.
    std::unique_ptr<TZTIf_else> tableEmpty;
    std::unique_ptr<TZTTextTable> tableText;
    std::unique_ptr<TZTClipboard> clipboard;
    std::unique_ptr<TZTSettings> settings;

private:
    struct Layout;

    void createForm();
    void createInputs(const Layout& layout);
    void createTable(const Layout& layout);
    void createChoices();
    void createCalculation();
    void createCells();
    void createZone();
    void createRefusals();
    void createPastes();
    void createCopy();
    void createSettings();
    void connectInputs();
    void finishVisualSetUp(const Layout& layout);

    TZTLabel& label(const std::string& text, int left, int top);
    TZTComboBox& list(std::unique_ptr<TZTComboBox>& slot, const std::vector<std::string>& items, int index,
                      int left, int top, int width);
    TZTEdit& numberField(std::unique_ptr<TZTEdit>& slot, const std::string& text, int left, int top);
    TZTChoice& choice(std::unique_ptr<TZTChoice>& slot, std::vector<double> values, TZTComboBox& row,
                      TZTComboBox* column = nullptr);
    int textWidth(const std::string& text) const;
};

}  // namespace vibration
