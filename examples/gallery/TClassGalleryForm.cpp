#include "examples/gallery/TClassGalleryForm.h"

#include <initializer_list>

#include "dataflow/TZT_Event.h"
#include "toolkit/drawing/TBitmap.h"
#include "toolkit/window/Navigation.h"

namespace gallery {

using dataflow::makeLink;

namespace {

constexpr std::uint32_t formColour = 0x00F0E6DC;   // a light grey-blue
constexpr std::uint32_t titleColour = 0x00703010;  // dark blue
constexpr std::uint32_t fieldColour = 0xFF000005;  // the system's window background
constexpr std::uint32_t yellow = 0x0000FFFF;       // shows only where transparency fails
constexpr int clientWidth = 640, clientHeight = 480;
constexpr int pictureTop = 34, pictureBottom = 124;  // the band of the background picture

TFontRec fontOf(const char* name, std::uint8_t size, std::uint8_t style = 0, std::uint32_t colour = 0) {
    TFontRec font;
    font.fontName = name;
    font.fontSize = size;
    font.fontStyle = style;
    font.fontColor = colour;
    font.fontCharset = 1;
    return font;
}

void place(TZTWin& component, int left, int top, int width, int height, std::uint32_t color) {
    component.left = left;
    component.top = top;
    component.width = width;
    component.height = height;
    component.color = color;
    component.font = fontOf("Tahoma", 8);
    component.edgeStyle = 0;
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
    mainForm->font = fontOf("Tahoma", 9);
    mainForm->edgeStyle = 1;
    mainForm->setCaption("Галерея компонентов");
    mainForm->setFrameStyle(2);  // caption, sizing frame, minimise and maximise boxes
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
    place(*label, left, top, 0, 0, formColour);
    label->edgeStyle = 1;
    label->parentFont = true;  // the form's font, not the label's own record
    label->caption = text;
    label->setAutoSize(true);
    label->init();
    captions.push_back(std::move(label));
    return *captions.back();
}

void TClassGalleryForm::createPanels() {
    titleLabel = std::make_unique<TZTLabel>(mainForm->control);
    place(*titleLabel, 0, 0, 0, pictureTop, titleColour);
    titleLabel->edgeStyle = 1;
    titleLabel->align = toolkit::alTop;
    titleLabel->font = fontOf("Tahoma", 12, 3, 0x00FFFFFF);  // bold and italic
    titleLabel->caption = "Галерея компонентов";
    titleLabel->hint = "Заголовок: выровнен по верху окна";
    titleLabel->setTextAlign(2);
    titleLabel->init();

    pictureLabel = std::make_unique<TZTLabel>(mainForm->control);
    place(*pictureLabel, 16, 60, 0, 0, yellow);
    pictureLabel->edgeStyle = 1;
    pictureLabel->transparent = true;
    pictureLabel->font = fontOf("Tahoma", 11, 1, 0x00FFFFFF);
    pictureLabel->caption = "Прозрачная надпись поверх рисунка";
    pictureLabel->setAutoSize(true);
    pictureLabel->init();

    colourLabel = std::make_unique<TZTLabel>(mainForm->control);
    place(*colourLabel, 16, 452, 0, 0, yellow);
    colourLabel->edgeStyle = 1;
    colourLabel->transparent = true;
    colourLabel->font = fontOf("Tahoma", 9, 2, 0x00703010);  // italic
    colourLabel->caption = "Прозрачная надпись на цветной форме";
    colourLabel->setAutoSize(true);
    colourLabel->init();
}

void TClassGalleryForm::createCalculation() {
    caption("Угол, градусы:", 16, 134);
    angleEdit = std::make_unique<TZTEdit>(mainForm->control);
    place(*angleEdit, 190, 132, 90, 22, fieldColour);
    angleEdit->valueReader = &TZTEdit::numericReader;
    angleEdit->textAlign = 1;  // right
    angleEdit->maxLength = 6;
    angleEdit->tabOrder = 1;
    angleEdit->text = "30";
    angleEdit->hint = "Угол в градусах (не больше 6 знаков)";
    angleEdit->init();

    caption("Радиус r (Enter — к сумме):", 16, 162);
    radiusEdit = std::make_unique<TZTEdit>(mainForm->control);
    place(*radiusEdit, 190, 160, 90, 22, fieldColour);
    radiusEdit->valueReader = &TZTEdit::numericReader;
    radiusEdit->textAlign = 1;
    radiusEdit->tabOrder = 2;
    radiusEdit->text = "100";
    radiusEdit->hint = "Enter прибавляет к сумме корень(r) · sin(угла)";
    radiusEdit->init();

    caption("Сумма корень(r)·sin(угла); щелчок — очистить «Суммы от 20»:", 16, 190);
    resultLed = std::make_unique<TZTLedNumber>(mainForm->control);
    place(*resultLed, 16, 208, 250, 30, formColour);
    resultLed->edgeStyle = 1;
    resultLed->initialText = "0";
    resultLed->digitAlign = 1;  // right
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
    place(*resultEdit, 276, 212, 104, 22, fieldColour);
    resultEdit->valueReader = &TZTEdit::textReader;
    resultEdit->readOnly = true;
    resultEdit->textAlign = 2;  // centred
    resultEdit->tabOrder = -1;
    resultEdit->text = "0";  // as the display shows it
    resultEdit->init();

    errorLine = std::make_unique<TZTMemo>(mainForm->control);
    place(*errorLine, 16, 246, 364, 22, 0xFF000016);
    errorLine->editable = false;
    errorLine->tabOrder = -1;
    errorLine->init();

    caption("Суммы от 20:", 276, 370);
    historyMemo = std::make_unique<TZTMemo>(mainForm->control);
    place(*historyMemo, 276, 388, 104, 58, fieldColour);
    historyMemo->addAtTop = true;  // the newest first
    historyMemo->scrollBars = 2;
    historyMemo->editable = false;
    historyMemo->tabOrder = -1;
    historyMemo->init();
}

void TClassGalleryForm::createFields() {
    caption("Пароль (Enter — проверить):", 16, 280);
    passwordEdit = std::make_unique<TZTEdit>(mainForm->control);
    place(*passwordEdit, 190, 278, 120, 22, fieldColour);
    passwordEdit->valueReader = &TZTEdit::textReader;
    passwordEdit->password = true;
    passwordEdit->clearOnEnter = true;
    passwordEdit->tabOrder = 3;
    passwordEdit->hint = "Пароль: секрет";
    passwordEdit->init();

    passwordAnswer = std::make_unique<TZTEdit>(mainForm->control);  // the answer to it
    place(*passwordAnswer, 316, 278, 64, 22, formColour);
    passwordAnswer->edgeStyle = 1;
    passwordAnswer->readOnly = true;
    passwordAnswer->tabOrder = -1;
    passwordAnswer->init();

    caption("Недоступное поле:", 16, 308);
    disabledEdit = std::make_unique<TZTEdit>(mainForm->control);
    place(*disabledEdit, 190, 306, 120, 22, fieldColour);
    disabledEdit->enabled = false;
    disabledEdit->text = "не изменить";
    disabledEdit->init();

    caption("Спрашивать при закрытии (1/0):", 16, 336);
    closeGuard = std::make_unique<TZTEdit>(mainForm->control);
    place(*closeGuard, 230, 334, 30, 22, fieldColour);
    closeGuard->valueReader = &TZTEdit::numericReader;
    closeGuard->maxLength = 1;
    closeGuard->tabOrder = 4;
    closeGuard->text = "1";
    closeGuard->init();

    clockLed = std::make_unique<TZTLedNumber>(mainForm->control);
    place(*clockLed, 16, 370, 250, 36, formColour);
    clockLed->edgeStyle = 1;
    clockLed->initialText = "12:34:56";
    clockLed->digitAlign = 2;  // centred
    clockLed->backColor = 0x202020;
    clockLed->litColor = 0x0080FF;
    clockLed->cursor = 32515;  // the cross
    clockLed->hint = "Часы из семи сегментов";
    clockLed->init();
}

// A link that logs an event: the entry's text, with "%1" (or "%+1", signed) standing for
// the value that came with it, goes to the log and to its one-line copy.
dataflow::TZT_Event TClassGalleryForm::logged(const std::string& entry) {
    auto composer = std::make_unique<TZTVisualStrings>();
    composer->strings = entry;
    composer->onText = makeLink<&TZTHub::trigger>(*logHub, 0);
    logEntries.push_back(std::move(composer));
    return makeLink<&TZTVisualStrings::compose>(*logEntries.back(), 0);
}

void TClassGalleryForm::createLog() {
    caption("Журнал событий:", 400, 132);
    logMemo = std::make_unique<TZTMemo>(mainForm->control);
    place(*logMemo, 400, 150, 230, 242, fieldColour);
    logMemo->selectAdded = true;  // the newest line stands selected
    logMemo->scrollBars = 2;
    logMemo->editable = false;
    logMemo->tabOrder = -1;
    logMemo->init();

    caption("Последнее событие:", 400, 400);
    logCopy = std::make_unique<TZTEdit>(mainForm->control);
    place(*logCopy, 400, 418, 230, 22, fieldColour);
    logCopy->valueReader = &TZTEdit::textReader;
    logCopy->readOnly = true;
    logCopy->tabOrder = -1;
    logCopy->init();

    secretPanel = std::make_unique<TZTLabel>(mainForm->control);
    place(*secretPanel, 0, 0, 0, 0, 0x0000D7FF);
    secretPanel->edgeStyle = 1;
    secretPanel->align = toolkit::alClient;
    secretPanel->visible = false;
    secretPanel->font = fontOf("Tahoma", 16, 1, 0x00703010);
    secretPanel->caption = "Пароль верный!\r\nЩёлкните, чтобы скрыть.";
    secretPanel->setTextAlign(2);
    secretPanel->init();
}

void TClassGalleryForm::createLogic() {
    calcFormula = std::make_unique<TZTMathParse>();
    calcFormula->setArgumentCount(2);
    calcFormula->setFormula("%0 + sqrt(%2) * sin(%1)");
    calcFormula->resultType = 0;  // rounded to an integer
    calcFormula->setDefaultValue(0.0);
    calcFormula->setAngleMode(1);  // degrees

    calcHub = std::make_unique<TZTHub>();
    calcHub->setOutCount(3);
    resultHub = std::make_unique<TZTHub>();
    resultHub->setOutCount(3);
    closeHub = std::make_unique<TZTHub>();
    closeHub->setOutCount(2);
    secretHub = std::make_unique<TZTHub>();
    secretHub->setOutCount(2);
    logHub = std::make_unique<TZTHub>();
    logHub->setOutCount(2);

    bigCheck = std::make_unique<TZTIf_else>();
    bigCheck->compareType = ctGreaterEqual;
    dataflow::setInteger(bigCheck->op2, 20);

    secretCheck = std::make_unique<TZTIf_else>();
    secretCheck->compareType = ctEqual;  // texts: byte for byte
    dataflow::setString(secretCheck->op2, "секрет");

    errorText = std::make_unique<TZTVisualStrings>();
    errorText->strings = "Ошибка вычисления: радиус меньше нуля";
    zeroText = std::make_unique<TZTVisualStrings>();
    zeroText->strings = "0";
    rightAnswer = std::make_unique<TZTVisualStrings>();
    rightAnswer->strings = "верный";
    wrongAnswer = std::make_unique<TZTVisualStrings>();
    wrongAnswer->strings = "неверный";
}

// ---------------------------------------------------------------- links

void TClassGalleryForm::connectLinks() {
    // The window: every close the guard refuses (the close box, the system menu, Alt+F4,
    // a close from outside) opens the guard and asks; the next close goes through.
    mainForm->closeQuery = makeLink<&TZTEdit::value>(*closeGuard, 0);
    mainForm->onCloseRefused = makeLink<&TZTHub::trigger>(*closeHub, 0);
    closeHub->onEvent[0] = makeLink<&TZTEdit::doText>(*closeGuard, 0);
    closeHub->onEvent[1] = logged("окно: закрыть? Закройте ещё раз — выход");
    closeGuard->textSource = makeLink<&TZTVisualStrings::text>(*zeroText, 0);

    // The calculation: Enter in the radius field.
    radiusEdit->onEnterKey = makeLink<&TZTHub::trigger>(*calcHub, 0);
    calcHub->onEvent[0] = makeLink<&TZTMemo::doClear>(*errorLine, 0);
    calcHub->onEvent[1] = makeLink<&TZTMathParse::calculate>(*calcFormula, 0);
    calcHub->onEvent[2] = logged("радиус: Enter, r = %1");
    calcFormula->arguments[0] = makeLink<&TZTEdit::value>(*angleEdit, 0);
    calcFormula->arguments[1] = makeLink<&TZTEdit::value>(*radiusEdit, 0);
    calcFormula->onResult = makeLink<&TZTHub::trigger>(*resultHub, 0);
    calcFormula->onError = makeLink<&TZTMemo::doAdd>(*errorLine, 0);
    errorLine->textSource = makeLink<&TZTVisualStrings::text>(*errorText, 0);
    resultHub->onEvent[0] = makeLink<&TZTLedNumber::doText>(*resultLed, 0);
    resultHub->onEvent[1] = makeLink<&TZTEdit::doText>(*resultEdit, 0);
    resultHub->onEvent[2] = makeLink<&TZTIf_else::compare>(*bigCheck, 0);
    bigCheck->onTrue = makeLink<&TZTMemo::doAdd>(*historyMemo, 0);
    resultLed->onClick = makeLink<&TZTMemo::doClear>(*historyMemo, 0);

    // The password: Enter compares the text, answers, and shows the hidden panel.
    passwordEdit->onEnterKey = makeLink<&TZTIf_else::compare>(*secretCheck, 0);
    secretCheck->data1 = makeLink<&TZTEdit::value>(*passwordEdit, 0);
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
