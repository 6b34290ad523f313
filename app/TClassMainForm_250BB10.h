// The converter: its components, their properties and the links between them. A level
// the converter computes from shows its result in the result field and on the display;
// a field without one (emptied, unfinished, below the limit, or too large to compute)
// shows none.
#pragma once

#include <memory>

#include "components/logic/TZTHub.h"
#include "components/logic/TZTIf_else.h"
#include "components/logic/TZTMathParse.h"
#include "components/logic/TZTVisualStrings.h"
#include "components/visual/TZTEdit.h"
#include "components/visual/TZTLabel.h"
#include "components/visual/TZTLedNumber.h"
#include "components/visual/TZTMainForm.h"
#include "components/visual/TZTMemo.h"

namespace app {

class TClassMainForm_250BB10;

// The application instance, set before the first component is created.
extern TClassMainForm_250BB10* applicationInstance;

class TClassMainForm_250BB10 {
public:
    TClassMainForm_250BB10();
    // Members go in the reverse order of their declaration: mainForm last.
    ~TClassMainForm_250BB10();

    // The components, in the order of creation.
    std::unique_ptr<components::TZTMainForm> mainForm;
    std::unique_ptr<components::TZTEdit> levelEdit;
    std::unique_ptr<components::TZTLabel> promptLabel;
    std::unique_ptr<components::TZTLabel> resultCaptionLabel;
    std::unique_ptr<components::TZTLedNumber> resultLed;
    std::unique_ptr<components::TZTMathParse> calcFormula;
    std::unique_ptr<components::TZTMemo> messageMemo;
    std::unique_ptr<components::TZTIf_else> positiveCheck;
    std::unique_ptr<components::TZTVisualStrings> errorText;
    std::unique_ptr<components::TZTHub> calcHub;
    std::unique_ptr<components::TZTHub> resultHub;
    std::unique_ptr<components::TZTEdit> resultEdit;
    // A level without a result: the memo's line and the emptied outputs.
    std::unique_ptr<components::TZTHub> refusedHub;  // a level below the limit
    std::unique_ptr<components::TZTVisualStrings> tooLargeText;
    std::unique_ptr<components::TZTHub> failedHub;    // a level the formula cannot compute
    std::unique_ptr<components::TZTHub> noResultHub;  // empties the result field and the display
    std::unique_ptr<components::TZTVisualStrings> noResultText;
    std::unique_ptr<components::TZTVisualStrings> noResultBars;

private:
    void createMainForm();
    void createLevelEdit();
    void createLabels();
    void createResultLed();
    void createCalcFormula();
    void createMessageMemo();
    void createLogic();
    void createResultEdit();
    void createNoResultLogic();
    void connectLinks();
    void connectNoResultLinks();
    void finishVisualSetUp();
};

}  // namespace app
