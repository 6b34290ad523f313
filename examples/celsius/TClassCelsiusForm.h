// Degrees Celsius to Fahrenheit, as they are typed.
#pragma once

#include <memory>

#include "components/logic/TZTMathParse.h"
#include "components/visual/TZTEdit.h"
#include "components/visual/TZTLabel.h"
#include "components/visual/TZTMainForm.h"

class TClassCelsiusForm {
public:
    TClassCelsiusForm();

    // The components, in the order of creation; they go in the reverse order.
    std::unique_ptr<components::TZTMainForm> mainForm;
    std::unique_ptr<components::TZTLabel> prompt;
    std::unique_ptr<components::TZTEdit> celsius;
    std::unique_ptr<components::TZTEdit> fahrenheit;
    std::unique_ptr<components::TZTMathParse> formula;
};
