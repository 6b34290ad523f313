#include "TClassCelsiusForm.h"

#include "toolkit/drawing/Colors.h"
#include "toolkit/window/Navigation.h"

using namespace components;
using dataflow::makeDataLink;
using dataflow::makeLink;

TClassCelsiusForm::TClassCelsiusForm() {
    const TFontRec font = fontOf("Tahoma", 9);
    mainForm = std::make_unique<TZTMainForm>(nullptr);
    mainForm->place({0, 0, 260, 120}, toolkit::clSysButtonFace, font);
    mainForm->setCaption("Цельсий в Фаренгейт");
    mainForm->setFrameStyle(TZTMainForm::frFixed);
    mainForm->placement = TZTMainForm::centreOnScreen;
    mainForm->init();

    prompt = std::make_unique<TZTLabel>(mainForm->control);
    prompt->place({16, 16, 0, 0}, toolkit::clSysButtonFace, font);
    prompt->caption = "Температура, °C и °F:";
    prompt->setAutoSize(true);
    prompt->init();

    celsius = std::make_unique<TZTEdit>(mainForm->control);
    celsius->place({16, 40, 100, 22}, toolkit::clSysWindow, font, TZTWin::esSunken);
    celsius->valueReader = &TZTEdit::numericReader;
    celsius->init();

    fahrenheit = std::make_unique<TZTEdit>(mainForm->control);
    fahrenheit->place({130, 40, 100, 22}, toolkit::clSysWindow, font, TZTWin::esSunken);
    fahrenheit->readOnly = true;
    fahrenheit->init();

    formula = std::make_unique<TZTMathParse>();
    formula->setArgumentCount(1);
    formula->setFormula("%1 * 9 / 5 + 32");
    formula->resultType = TZTMathParse::rtReal;

    celsius->onChange = makeLink<&TZTMathParse::calculate>(*formula);
    formula->arguments[0] = makeDataLink<&TZTEdit::value>(*celsius);
    formula->onResult = makeLink<&TZTEdit::doText>(*fahrenheit);
    toolkit::installTabulation(*mainForm->control);
}
