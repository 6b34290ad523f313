#include "app/TClassMainForm_250BB10.h"

#include "dataflow/TZT_Event.h"
#include "toolkit/drawing/Colors.h"
#include "toolkit/window/Navigation.h"

namespace app {

using namespace components;
using dataflow::makeDataLink;
using dataflow::makeLink;

TClassMainForm_250BB10* applicationInstance = nullptr;

namespace {

using toolkit::clSys3DLight, toolkit::clSysButtonFace, toolkit::clSysWindow;

// Every component's font: only the size differs.
TFontRec sansSerif(std::uint8_t size) { return fontOf("MS Sans Serif", size); }

// The display's colours, in 0x00BBGGRR order.
constexpr COLORREF black = 0x000000, green = 0x00FF00, darkGreen = 0x008000, red = 0x0000FF,
                   darkRed = 0x000080;

// What the display shows while there is no result: a bar in each of its 19 cells.
constexpr const char* displayBars = "------------------- ";

}  // namespace

TClassMainForm_250BB10::TClassMainForm_250BB10() {
    applicationInstance = this;
    createMainForm();
    createLevelEdit();
    createLabels();
    createResultLed();
    createCalcFormula();
    createMessageMemo();
    createLogic();
    createResultEdit();
    createNoResultLogic();
    connectLinks();
    connectNoResultLinks();
    finishVisualSetUp();
}

TClassMainForm_250BB10::~TClassMainForm_250BB10() {
    if (applicationInstance == this) applicationInstance = nullptr;
}

void TClassMainForm_250BB10::createMainForm() {
    mainForm = std::make_unique<TZTMainForm>(nullptr);
    mainForm->place({0, 0, 332, 224}, clSysButtonFace, sansSerif(8), TZTWin::esPlain, TZTWin::bsStatic);
    mainForm->setCaption("перевод виброускорения из  дБ в м/с2 ");
    mainForm->setFrameStyle(TZTMainForm::frFixed);
    mainForm->setIcon(LoadIconW(GetModuleHandleW(nullptr), L"KVIC"));
    mainForm->placement = TZTMainForm::centreOnScreen;
    mainForm->positionStore.clear();
    mainForm->alphaBlend = 255;
    mainForm->clientSizing = false;
    mainForm->init();
}

void TClassMainForm_250BB10::createLevelEdit() {
    levelEdit = std::make_unique<TZTEdit>(mainForm->control);
    levelEdit->place({20, 40, 50, 20}, clSysWindow, sansSerif(8), TZTWin::esSunken);
    levelEdit->valueReader = &TZTEdit::numericReader;
    levelEdit->textAlign = taLeft;
    levelEdit->clearOnEnter = true;
    levelEdit->init();
}

void TClassMainForm_250BB10::createLabels() {
    promptLabel = std::make_unique<TZTLabel>(mainForm->control);
    promptLabel->place({20, 15, 157, 17}, clSysButtonFace, sansSerif(8), TZTWin::esPlain);
    promptLabel->caption = "Введите виброускорение в дБ ";
    promptLabel->setAutoSize(true);
    promptLabel->setTextAlign(taLeft);
    promptLabel->init();

    resultCaptionLabel = std::make_unique<TZTLabel>(mainForm->control);
    resultCaptionLabel->place({20, 70, 175, 17}, clSysButtonFace, sansSerif(8), TZTWin::esPlain);
    resultCaptionLabel->caption = "Значение виброускорения в м/с2 ";
    resultCaptionLabel->setAutoSize(true);
    resultCaptionLabel->setTextAlign(taLeft);
    resultCaptionLabel->init();
}

void TClassMainForm_250BB10::createResultLed() {
    resultLed = std::make_unique<TZTLedNumber>(mainForm->control);
    resultLed->place({20, 90, 285, 20}, clSysButtonFace, sansSerif(24), TZTWin::esPlain, TZTWin::bsStatic);
    resultLed->initialText = displayBars;
    resultLed->backColor = black;
    resultLed->litColor = green;
    resultLed->unlitColor = darkGreen;
    resultLed->hoverBackColor = black;
    resultLed->hoverLitColor = red;
    resultLed->hoverUnlitColor = darkRed;
    resultLed->showUnlit = false;
    resultLed->hoverEnabled = false;
    resultLed->digitAlign = taLeft;
    resultLed->init();
}

void TClassMainForm_250BB10::createCalcFormula() {
    calcFormula = std::make_unique<TZTMathParse>();
    calcFormula->setArgumentCount(2);
    calcFormula->setFormula("0.000001* exp( %1 * 0.1151292546 ) ");
    calcFormula->resultType = TZTMathParse::rtReal;
    calcFormula->setDefaultValue(0.0);
    calcFormula->setAngleMode(TZTMathParse::amRadians);
}

void TClassMainForm_250BB10::createMessageMemo() {
    messageMemo = std::make_unique<TZTMemo>(mainForm->control);
    messageMemo->place({15, 150, 290, 25}, clSys3DLight, sansSerif(8), TZTWin::esSunken);
    messageMemo->scrollBars = TZTMemo::sbNone;
    messageMemo->editable = true;
    messageMemo->addAtTop = false;
    messageMemo->init();
}

void TClassMainForm_250BB10::createLogic() {
    positiveCheck = std::make_unique<TZTIf_else>();
    positiveCheck->compareType = ctLess;
    dataflow::setReal(positiveCheck->op2, 0.0000001);

    errorText = std::make_unique<TZTVisualStrings>();
    errorText->strings = "Введите число большее нуля!!! ";

    calcHub = std::make_unique<TZTHub>();
    calcHub->setOutCount(2);
    resultHub = std::make_unique<TZTHub>();
    resultHub->setOutCount(2);
}

void TClassMainForm_250BB10::createResultEdit() {
    resultEdit = std::make_unique<TZTEdit>(mainForm->control);
    resultEdit->place({20, 120, 280, 20}, clSysWindow, sansSerif(8), TZTWin::esSunken);
    resultEdit->valueReader = &TZTEdit::textReader;
    resultEdit->textAlign = taLeft;
    resultEdit->clearOnEnter = true;
    resultEdit->readOnly = true;  // a result can be selected and copied, not typed over
    resultEdit->init();
}

void TClassMainForm_250BB10::createNoResultLogic() {
    refusedHub = std::make_unique<TZTHub>();
    refusedHub->setOutCount(2);
    tooLargeText = std::make_unique<TZTVisualStrings>();
    tooLargeText->strings = "Слишком большое число!!! ";
    failedHub = std::make_unique<TZTHub>();
    failedHub->setOutCount(2);
    noResultHub = std::make_unique<TZTHub>();
    noResultHub->setOutCount(2);
    noResultText = std::make_unique<TZTVisualStrings>();
    noResultBars = std::make_unique<TZTVisualStrings>();
    noResultBars->strings = displayBars;
}

void TClassMainForm_250BB10::connectLinks() {
    levelEdit->onChange = makeLink<&TZTIf_else::compare>(*positiveCheck, 0);
    calcFormula->onResult = makeLink<&TZTHub::trigger>(*resultHub, 0);
    calcFormula->arguments[0] = makeDataLink<&TZTEdit::value>(*levelEdit, 0);
    positiveCheck->onTrue = makeLink<&TZTHub::trigger>(*refusedHub, 0);
    positiveCheck->onFalse = makeLink<&TZTHub::trigger>(*calcHub, 0);
    positiveCheck->data1 = makeDataLink<&TZTEdit::value>(*levelEdit, 0);
    calcHub->onEvent[0] = makeLink<&TZTMemo::doClear>(*messageMemo, 1);
    calcHub->onEvent[1] = makeLink<&TZTMathParse::calculate>(*calcFormula, 0);
    resultHub->onEvent[0] = makeLink<&TZTEdit::doText>(*resultEdit, 0);
    resultHub->onEvent[1] = makeLink<&TZTLedNumber::doText>(*resultLed, 0);
}

// A level below the limit and one too large to compute each add their line to the memo
// (the texts come with the event, as the memo has no text source of its own); both,
// and a level field that holds no level (emptied, or an unfinished number such as "-"
// or "1e"), leave the result field empty and the display barred.
void TClassMainForm_250BB10::connectNoResultLinks() {
    refusedHub->onEvent[0] = makeLink<&TZTVisualStrings::compose>(*errorText, 0);
    refusedHub->onEvent[1] = makeLink<&TZTHub::trigger>(*noResultHub, 0);
    errorText->onText = makeLink<&TZTMemo::doAdd>(*messageMemo, 0);
    calcFormula->onError = makeLink<&TZTHub::trigger>(*failedHub, 0);
    failedHub->onEvent[0] = makeLink<&TZTVisualStrings::compose>(*tooLargeText, 0);
    failedHub->onEvent[1] = makeLink<&TZTHub::trigger>(*noResultHub, 0);
    tooLargeText->onText = makeLink<&TZTMemo::doAdd>(*messageMemo, 0);
    levelEdit->onNoValue = makeLink<&TZTHub::trigger>(*noResultHub, 0);
    noResultHub->onEvent[0] = makeLink<&TZTVisualStrings::compose>(*noResultText, 0);
    noResultHub->onEvent[1] = makeLink<&TZTVisualStrings::compose>(*noResultBars, 0);
    noResultText->onText = makeLink<&TZTEdit::doText>(*resultEdit, 0);
    noResultBars->onText = makeLink<&TZTLedNumber::doText>(*resultLed, 0);
}

void TClassMainForm_250BB10::finishVisualSetUp() {
    for (TZTWin* component : std::initializer_list<TZTWin*>{
             mainForm.get(), levelEdit.get(), promptLabel.get(), resultCaptionLabel.get(), resultLed.get(),
             messageMemo.get(), resultEdit.get()}) {
        component->attachHint(nullptr);
        component->attachManager(nullptr);
    }
    toolkit::installTabulation(*mainForm->control);
}

}  // namespace app
