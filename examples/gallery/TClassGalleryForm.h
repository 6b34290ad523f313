// The gallery: a second schema on the components of the converter, using what the
// converter leaves unused (tooltips, alignment, fonts, tab order, hidden and disabled
// controls, transparency over a background picture, the position store, a close that
// asks once, a formula in degrees with an integer result and its error event, text
// conditions, hubs of three, the display's hover colours and colon cells, and an event
// log of the window base's events, each entry naming its source and what came with it).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/logic/TZTHub.h"
#include "components/logic/TZTIf_else.h"
#include "components/logic/TZTMathParse.h"
#include "components/logic/TZTVisualStrings.h"
#include "components/visual/TZTEdit.h"
#include "components/visual/TZTHintManager.h"
#include "components/visual/TZTLabel.h"
#include "components/visual/TZTLedNumber.h"
#include "components/visual/TZTMainForm.h"
#include "components/visual/TZTMemo.h"

namespace gallery {

using namespace components;

class TClassGalleryForm {
public:
    TClassGalleryForm();
    // Members go in the reverse order of their declaration: the logic first, the form last.
    ~TClassGalleryForm();

    // Balloon tooltips, for the angle field; it outlives every component.
    std::unique_ptr<TZTHintManager> balloonHints;

    // The window and its panels.
    std::unique_ptr<TZTMainForm> mainForm;
    std::unique_ptr<TZTLabel> titleLabel;    // aligned to the top
    std::unique_ptr<TZTLabel> pictureLabel;  // transparent, over the background picture
    std::unique_ptr<TZTLabel> colourLabel;   // transparent, over the plain colour
    std::vector<std::unique_ptr<TZTLabel>> captions;

    // The calculation: angle and radius in, a sum of projections out.
    std::unique_ptr<TZTEdit> angleEdit;
    std::unique_ptr<TZTEdit> radiusEdit;
    std::unique_ptr<TZTLedNumber> resultLed;
    std::unique_ptr<TZTEdit> resultEdit;
    std::unique_ptr<TZTMemo> errorLine;
    std::unique_ptr<TZTMemo> historyMemo;

    // Fields of every kind.
    std::unique_ptr<TZTEdit> passwordEdit;
    std::unique_ptr<TZTEdit> passwordAnswer;
    std::unique_ptr<TZTEdit> disabledEdit;
    std::unique_ptr<TZTEdit> closeGuard;
    std::unique_ptr<TZTLedNumber> clockLed;

    // The event log and its newest entry on one line.
    std::unique_ptr<TZTMemo> logMemo;
    std::unique_ptr<TZTEdit> logCopy;

    // Shown when the password is right; a click hides it again. Aligned to the client.
    std::unique_ptr<TZTLabel> secretPanel;

    // Logic.
    std::unique_ptr<TZTMathParse> calcFormula;
    std::unique_ptr<TZTHub> calcHub;
    std::unique_ptr<TZTHub> resultHub;
    std::unique_ptr<TZTHub> closeHub;
    std::unique_ptr<TZTHub> secretHub;
    std::unique_ptr<TZTHub> logHub;  // an entry to the log and to its one-line copy
    std::unique_ptr<TZTIf_else> bigCheck;
    std::unique_ptr<TZTIf_else> secretCheck;
    std::unique_ptr<TZTVisualStrings> errorText;
    std::unique_ptr<TZTVisualStrings> zeroText;
    std::unique_ptr<TZTVisualStrings> rightAnswer, wrongAnswer;
    // The log's entries: each composes its text with the value of its event.
    std::vector<std::unique_ptr<TZTVisualStrings>> logEntries;

private:
    void createMainForm();
    void createPanels();
    void createCalculation();
    void createFields();
    void createLog();
    void createLogic();
    void connectLinks();
    void finishVisualSetUp();

    TZTLabel& caption(const std::string& text, int left, int top);
    dataflow::TEventLink logged(const std::string& entry);
    void paintBackground();
};

}  // namespace gallery
