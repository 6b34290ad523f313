// The converter: twelve components, their properties and the eleven links between them.
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
    // Members go in the reverse order of their declaration: resultEdit first, mainForm last.
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

private:
    void createMainForm();
    void createLevelEdit();
    void createLabels();
    void createResultLed();
    void createCalcFormula();
    void createMessageMemo();
    void createLogic();
    void createResultEdit();
    void connectLinks();
    void finishVisualSetUp();
};

}  // namespace app
