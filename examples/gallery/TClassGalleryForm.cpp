#include "examples/gallery/TClassGalleryForm.h"

#include <initializer_list>

#include "dataflow/TZT_Event.h"
#include "toolkit/drawing/Colors.h"
#include "toolkit/drawing/TBitmap.h"
#include "toolkit/window/Navigation.h"

namespace gallery {

using dataflow::makeDataLink;
using dataflow::makeLink;

namespace {

constexpr std::uint32_t formColour = 0x00F0E6DC;             // a light grey-blue
constexpr std::uint32_t titleColour = 0x00703010;            // dark blue
constexpr std::uint32_t fieldColour = toolkit::clSysWindow;  // the system's window background
constexpr std::uint32_t yellow = 0x0000FFFF;                 // shows only where transparency fails
constexpr std::uint32_t white = 0x00FFFFFF;
constexpr std::uint32_t gold = 0x0000D7FF;
constexpr int clientWidth = 640, clientHeight = 480;
constexpr int pictureTop = 34, pictureBottom = 124;  // the band of the background picture

// The fields' font; labels take the form's, and a few their own.
TFontRec tahoma(std::uint8_t size, std::uint8_t style = 0, std::uint32_t colour = 0) {
    return fontOf("Tahoma", size, style, colour);
}

}  // namespace

TClassGalleryForm::TClassGalleryForm() {
    balloonHints = std::make_unique<TZTHintManager>();
    balloonHints->standardStyle = false;
    balloonHints->initialDelay = 300;
    createMainForm();
    createPanels();
    createCalculation();
    createFields();
    createLog();
    createLogic();
    connectLinks();
    finishVisualSetUp();
}

TClassGalleryForm::~TClassGalleryForm() = default;

// ---------------------------------------------------------------- components

void TClassGalleryForm::createMainForm() {
    mainForm = std::make_unique<TZTMainForm>(nullptr);
    mainForm->width = clientWidth;
    mainForm->height = clientHeight;
    mainForm->clientSizing = true;
    mainForm->color = formColour;
    mainForm->font = tahoma(9);
    mainForm->edgeStyle = TZTWin::esPlain;
    mainForm->setCaption("Галерея компонентов");
    mainForm->setFrameStyle(TZTMainForm::frSizeable);
    mainForm->setIcon(LoadIconW(GetModuleHandleW(nullptr), L"GALLERY"));
    mainForm->placement = TZTMainForm::centreOnScreen;
    mainForm->positionStore = "gallery.ini\\Gallery";
    mainForm->alphaBlend = 235;
    mainForm->dragByClient = true;
    paintBackground();
    mainForm->init();
}

// A picture band under the title (a gradient with stripes) and the form's colour
// everywhere else, as large as the screen so that any size of the window is covered;
// drawn in the window's pixels, the band where the scaled schema puts it.
void TClassGalleryForm::paintBackground() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const TControl& form = *mainForm->control;
    const int bandTop = form.toDevice(pictureTop), bandBottom = form.toDevice(pictureBottom);
    const int stripe = form.toDevice(8);
    mainForm->background->free();
    mainForm->background = toolkit::TBitmap::newDIBBitmap(width, height, toolkit::pf32bit);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(mainForm->background->scanLine(y));
        for (int x = 0; x < width; ++x) {
            std::uint32_t rgb = (formColour & 0xFF) << 16 | (formColour & 0xFF00) | (formColour >> 16 & 0xFF);
            if (y >= bandTop && y < bandBottom) {
                const int shade = 255 * x / width;
                rgb = ((x + y) / stripe % 2)
                          ? (0x20u << 16 | static_cast<std::uint32_t>(shade) << 8 | 0xA0u)
                          : (0x10u << 16 | 0x60u << 8 | static_cast<std::uint32_t>(255 - shade));
            }
            row[x] = rgb;  // rows hold blue, green, red from the low byte up
        }
    }
}

TZTLabel& TClassGalleryForm::caption(const std::string& text, int left, int top) {
    auto label = std::make_unique<TZTLabel>(mainForm->control);
    label->place({left, top, 0, 0}, formColour, tahoma(8), TZTWin::esPlain);
    label->parentFont = true;  // the form's font, not the label's own record
    label->caption = text;
    label->setAutoSize(true);
    label->init();
    captions.push_back(std::move(label));
    return *captions.back();
}

void TClassGalleryForm::createPanels() {
    titleLabel = std::make_unique<TZTLabel>(mainForm->control);
    titleLabel->place({0, 0, 0, pictureTop}, titleColour, tahoma(8), TZTWin::esPlain);
    titleLabel->align = toolkit::alTop;
    titleLabel->font = tahoma(12, TFontRec::fsBold | TFontRec::fsItalic, white);
    titleLabel->caption = "Галерея компонентов";
    titleLabel->hint = "Заголовок: выровнен по верху окна";
    titleLabel->setTextAlign(taCenter);
    titleLabel->init();

    pictureLabel = std::make_unique<TZTLabel>(mainForm->control);
    pictureLabel->place({16, 60, 0, 0}, yellow, tahoma(8), TZTWin::esPlain);
    pictureLabel->transparent = true;
    pictureLabel->font = tahoma(11, TFontRec::fsBold, white);
    pictureLabel->caption = "Прозрачная надпись поверх рисунка";
    pictureLabel->setAutoSize(true);
    pictureLabel->init();

    colourLabel = std::make_unique<TZTLabel>(mainForm->control);
    colourLabel->place({16, 452, 0, 0}, yellow, tahoma(8), TZTWin::esPlain);
    colourLabel->transparent = true;
    colourLabel->font = tahoma(9, TFontRec::fsItalic, titleColour);
    colourLabel->caption = "Прозрачная надпись на цветной форме";
    colourLabel->setAutoSize(true);
    colourLabel->init();
}

void TClassGalleryForm::createCalculation() {
    caption("Угол, градусы:", 16, 134);
    angleEdit = std::make_unique<TZTEdit>(mainForm->control);
    angleEdit->place({190, 132, 90, 22}, fieldColour, tahoma(8), TZTWin::esSunken);
    angleEdit->valueReader = &TZTEdit::numericReader;
    angleEdit->textAlign = taRight;
    angleEdit->maxLength = 6;
    angleEdit->tabOrder = 1;
    angleEdit->text = "30";
    angleEdit->hint = "Угол в градусах (не больше 6 знаков)";
    angleEdit->init();

    caption("Радиус r (Enter — к сумме):", 16, 162);
    radiusEdit = std::make_unique<TZTEdit>(mainForm->control);
    radiusEdit->place({190, 160, 90, 22}, fieldColour, tahoma(8), TZTWin::esSunken);
    radiusEdit->valueReader = &TZTEdit::numericReader;
    radiusEdit->textAlign = taRight;
    radiusEdit->tabOrder = 2;
    radiusEdit->text = "100";
    radiusEdit->hint = "Enter прибавляет к сумме корень(r) · sin(угла)";
    radiusEdit->init();

    caption("Сумма корень(r)·sin(угла); щелчок — очистить «Суммы от 20»:", 16, 190);
    resultLed = std::make_unique<TZTLedNumber>(mainForm->control);
    resultLed->place({16, 208, 250, 30}, formColour, tahoma(8), TZTWin::esPlain);
    resultLed->initialText = "0";
    resultLed->digitAlign = taRight;
    resultLed->showUnlit = true;
    resultLed->backColor = 0x000000;
    resultLed->litColor = 0x00FF00;
    resultLed->unlitColor = 0x003000;
    resultLed->hoverEnabled = true;
    resultLed->hoverBackColor = 0x200000;
    resultLed->hoverLitColor = 0x00FFFF;
    resultLed->hoverUnlitColor = 0x003030;
    resultLed->cursor = 32649;  // the hand
    resultLed->init();

    resultEdit = std::make_unique<TZTEdit>(mainForm->control);
    resultEdit->place({276, 212, 104, 22}, fieldColour, tahoma(8), TZTWin::esSunken);
    resultEdit->valueReader = &TZTEdit::textReader;
    resultEdit->readOnly = true;
    resultEdit->textAlign = taCenter;
    resultEdit->tabOrder = -1;
    resultEdit->text = "0";  // as the display shows it
    resultEdit->init();

    errorLine = std::make_unique<TZTMemo>(mainForm->control);
    errorLine->place({16, 246, 364, 22}, toolkit::clSys3DLight, tahoma(8), TZTWin::esSunken);
    errorLine->editable = false;
    errorLine->tabOrder = -1;
    errorLine->init();

    caption("Суммы от 20:", 276, 370);
    historyMemo = std::make_unique<TZTMemo>(mainForm->control);
    historyMemo->place({276, 388, 104, 58}, fieldColour, tahoma(8), TZTWin::esSunken);
    historyMemo->addAtTop = true;  // the newest first
    historyMemo->scrollBars = TZTMemo::sbVertical;
    historyMemo->editable = false;
    historyMemo->tabOrder = -1;
    historyMemo->init();
}

void TClassGalleryForm::createFields() {
    caption("Пароль (Enter — проверить):", 16, 280);
    passwordEdit = std::make_unique<TZTEdit>(mainForm->control);
    passwordEdit->place({190, 278, 120, 22}, fieldColour, tahoma(8), TZTWin::esSunken);
    passwordEdit->valueReader = &TZTEdit::textReader;
    passwordEdit->password = true;
    passwordEdit->clearOnEnter = true;
    passwordEdit->tabOrder = 3;
    passwordEdit->hint = "Пароль: секрет";
    passwordEdit->init();

    passwordAnswer = std::make_unique<TZTEdit>(mainForm->control);  // the answer to it
    passwordAnswer->place({316, 278, 64, 22}, formColour, tahoma(8), TZTWin::esPlain);
    passwordAnswer->readOnly = true;
    passwordAnswer->tabOrder = -1;
    passwordAnswer->init();

    caption("Недоступное поле:", 16, 308);
    disabledEdit = std::make_unique<TZTEdit>(mainForm->control);
    disabledEdit->place({190, 306, 120, 22}, fieldColour, tahoma(8), TZTWin::esSunken);
    disabledEdit->enabled = false;
    disabledEdit->text = "не изменить";
    disabledEdit->init();

    caption("Спрашивать при закрытии (1/0):", 16, 336);
    closeGuard = std::make_unique<TZTEdit>(mainForm->control);
    closeGuard->place({230, 334, 30, 22}, fieldColour, tahoma(8), TZTWin::esSunken);
    closeGuard->valueReader = &TZTEdit::numericReader;
    closeGuard->maxLength = 1;
    closeGuard->tabOrder = 4;
    closeGuard->text = "1";
    closeGuard->init();

    clockLed = std::make_unique<TZTLedNumber>(mainForm->control);
    clockLed->place({16, 370, 250, 36}, formColour, tahoma(8), TZTWin::esPlain);
    clockLed->initialText = "12:34:56";
    clockLed->digitAlign = taCenter;
    clockLed->backColor = 0x202020;
    clockLed->litColor = 0x0080FF;
    clockLed->cursor = 32515;  // the cross
    clockLed->hint = "Часы из семи сегментов";
    clockLed->init();
}

// A link that logs an event: the entry's text, with "%1" (or "%+1", signed) standing for
// the value that came with it, goes to the log and to its one-line copy.
dataflow::TEventLink TClassGalleryForm::logged(const std::string& entry) {
    auto composer = std::make_unique<TZTVisualStrings>();
    composer->strings = entry;
    composer->onText = makeLink<&TZTHub::trigger>(*logHub, 0);
    logEntries.push_back(std::move(composer));
    return makeLink<&TZTVisualStrings::compose>(*logEntries.back(), 0);
}

void TClassGalleryForm::createLog() {
    caption("Журнал событий:", 400, 132);
    logMemo = std::make_unique<TZTMemo>(mainForm->control);
    logMemo->place({400, 150, 230, 242}, fieldColour, tahoma(8), TZTWin::esSunken);
    logMemo->selectAdded = true;  // the newest line stands selected
    logMemo->scrollBars = TZTMemo::sbVertical;
    logMemo->editable = false;
    logMemo->tabOrder = -1;
    logMemo->init();

    caption("Последнее событие:", 400, 400);
    logCopy = std::make_unique<TZTEdit>(mainForm->control);
    logCopy->place({400, 418, 230, 22}, fieldColour, tahoma(8), TZTWin::esSunken);
    logCopy->valueReader = &TZTEdit::textReader;
    logCopy->readOnly = true;
    logCopy->tabOrder = -1;
    logCopy->init();

    secretPanel = std::make_unique<TZTLabel>(mainForm->control);
    secretPanel->place({0, 0, 0, 0}, gold, tahoma(8), TZTWin::esPlain);
    secretPanel->align = toolkit::alClient;
    secretPanel->visible = false;
    secretPanel->font = tahoma(16, TFontRec::fsBold, titleColour);
    secretPanel->caption = "Пароль верный!\r\nЩёлкните, чтобы скрыть.";
    secretPanel->setTextAlign(taCenter);
    secretPanel->init();
}

void TClassGalleryForm::createLogic() {
    calcFormula = std::make_unique<TZTMathParse>();
    calcFormula->setArgumentCount(2);
    calcFormula->setFormula("%0 + sqrt(%2) * sin(%1)");
    calcFormula->resultType = TZTMathParse::rtInteger;
    calcFormula->setDefaultValue(0.0);
    calcFormula->setAngleMode(TZTMathParse::amDegrees);

    calcHub = TZTHub::withOutputs(3);
    resultHub = TZTHub::withOutputs(3);
    closeHub = TZTHub::withOutputs(2);
    secretHub = TZTHub::withOutputs(2);
    logHub = TZTHub::withOutputs(2);

    bigCheck = std::make_unique<TZTIf_else>();
    bigCheck->compareType = ctGreaterEqual;
    dataflow::setInteger(bigCheck->op2, 20);

    secretCheck = std::make_unique<TZTIf_else>();
    secretCheck->compareType = ctEqual;  // texts: byte for byte
    dataflow::setString(secretCheck->op2, "секрет");

    errorText = TZTVisualStrings::constant("Ошибка вычисления: радиус меньше нуля");
    zeroText = TZTVisualStrings::constant("0");
    rightAnswer = TZTVisualStrings::constant("верный");
    wrongAnswer = TZTVisualStrings::constant("неверный");
}

// ---------------------------------------------------------------- links

void TClassGalleryForm::connectLinks() {
    // The window: every close the guard refuses (the close box, the system menu, Alt+F4,
    // a close from outside) opens the guard and asks; the next close goes through.
    mainForm->closeQuery = makeDataLink<&TZTEdit::value>(*closeGuard, 0);
    mainForm->onCloseRefused = makeLink<&TZTHub::trigger>(*closeHub, 0);
    closeHub->onEvent[0] = makeLink<&TZTEdit::doText>(*closeGuard, 0);
    closeHub->onEvent[1] = logged("окно: закрыть? Закройте ещё раз — выход");
    closeGuard->textSource = makeDataLink<&TZTVisualStrings::text>(*zeroText, 0);

    // The calculation: Enter in the radius field.
    radiusEdit->onEnterKey = makeLink<&TZTHub::trigger>(*calcHub, 0);
    calcHub->onEvent[0] = makeLink<&TZTMemo::doClear>(*errorLine, 0);
    calcHub->onEvent[1] = makeLink<&TZTMathParse::calculate>(*calcFormula, 0);
    calcHub->onEvent[2] = logged("радиус: Enter, r = %1");
    calcFormula->arguments[0] = makeDataLink<&TZTEdit::value>(*angleEdit, 0);
    calcFormula->arguments[1] = makeDataLink<&TZTEdit::value>(*radiusEdit, 0);
    calcFormula->onResult = makeLink<&TZTHub::trigger>(*resultHub, 0);
    calcFormula->onError = makeLink<&TZTMemo::doAdd>(*errorLine, 0);
    errorLine->textSource = makeDataLink<&TZTVisualStrings::text>(*errorText, 0);
    resultHub->onEvent[0] = makeLink<&TZTLedNumber::doText>(*resultLed, 0);
    resultHub->onEvent[1] = makeLink<&TZTEdit::doText>(*resultEdit, 0);
    resultHub->onEvent[2] = makeLink<&TZTIf_else::compare>(*bigCheck, 0);
    bigCheck->onTrue = makeLink<&TZTMemo::doAdd>(*historyMemo, 0);
    resultLed->onClick = makeLink<&TZTMemo::doClear>(*historyMemo, 0);

    // The password: Enter compares the text, answers, and shows the hidden panel.
    passwordEdit->onEnterKey = makeLink<&TZTIf_else::compare>(*secretCheck, 0);
    secretCheck->data1 = makeDataLink<&TZTEdit::value>(*passwordEdit, 0);
    secretCheck->onTrue = makeLink<&TZTHub::trigger>(*secretHub, 0);
    secretCheck->onFalse = makeLink<&TZTVisualStrings::compose>(*wrongAnswer, 0);
    secretHub->onEvent[0] = makeLink<&TZTWin::doShow>(*secretPanel, 0);
    secretHub->onEvent[1] = makeLink<&TZTVisualStrings::compose>(*rightAnswer, 0);
    rightAnswer->onText = makeLink<&TZTEdit::doText>(*passwordAnswer, 0);
    wrongAnswer->onText = makeLink<&TZTEdit::doText>(*passwordAnswer, 0);
    secretPanel->onClick = makeLink<&TZTWin::doHide>(*secretPanel, 0);

    // The event log: each entry names its source, its event and what came with it.
    mainForm->onCreate = logged("окно: создано");
    mainForm->onResize = logged("окно: размер изменён");
    mainForm->onClose = logged("окно: закрывается");
    angleEdit->onEnter = logged("угол: фокус получен");
    angleEdit->onExit = logged("угол: фокус потерян");
    angleEdit->onMouseWheel = logged("угол: колесо %+1");
    radiusEdit->onKeyDown = logged("радиус: клавиша %1");
    clockLed->onMouseDown = logged("часы: нажата кнопка %1");
    clockLed->onDblClick = logged("часы: двойной щелчок");
    logHub->onEvent[0] = makeLink<&TZTMemo::doAdd>(*logMemo, 0);
    logHub->onEvent[1] = makeLink<&TZTEdit::doText>(*logCopy, 0);
}

void TClassGalleryForm::finishVisualSetUp() {
    angleEdit->attachHint(balloonHints.get());
    for (TZTWin* component :
         std::initializer_list<TZTWin*>{mainForm.get(), titleLabel.get(), radiusEdit.get(),
                                        passwordEdit.get(), resultLed.get(), clockLed.get()})
        component->attachHint(nullptr);
    toolkit::installTabulation(*mainForm->control);
}

}  // namespace gallery
