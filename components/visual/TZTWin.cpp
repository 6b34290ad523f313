#include "components/visual/TZTWin.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/drawing/FontHeight.h"
#include "toolkit/drawing/TGraphicTool.h"

namespace components {

using namespace dataflow;

THintInterface* globalHintManager = nullptr;

TZTWin::TZTWin(TControl* parentControl) : parentControl_(parentControl) {
    if (parentControl_) color = parentControl_->color();
}

TZTWin::~TZTWin() {
    if (control && !controlDestroyed_) {
        control->onDestroy = nullptr;
        control->setVisible(false);
        control->free();
    }
    if (hintTool_ && hintManager_) hintManager_->removeTool(hintTool_);
}

void TZTWin::applyFont() {
    if (parentFont && parentControl_) {  // the parent's font, made now if it has none yet
        control->font().assign(parentControl_->font());
    } else {
        toolkit::TGraphicTool& f = control->font();
        f.setColor(font.fontColor);
        f.setFontStyle(font.fontStyle & 0x0F);
        f.setFontName(font.fontName);
        f.setFontHeight(toolkit::pointsToFontHeight(font.fontSize));
        f.setFontCharset(font.fontCharset);
    }
    control->applyFont();
}

void TZTWin::hookControl() {
    previousMessageHandler_ = control->onMessage;
    control->setOnMouseDown([this](TControl&, toolkit::TMouseEventData& m) { mouseDown(m); });
    control->setOnMouseMove([this](TControl&, toolkit::TMouseEventData& m) { mouseMove(m); });
    control->setOnMouseUp([this](TControl&, toolkit::TMouseEventData& m) { mouseUp(m); });
    control->setOnMouseWheel([this](TControl&, toolkit::TMouseEventData& m) { mouseWheel(m); });
    control->setOnMouseDblClk(
        [this](TControl&, toolkit::TMouseEventData& m) { fireEventInt(onDblClick, m.button - 1); });
    control->onMessage = [this](toolkit::TMsg& msg) { return handleMessage(msg); };
    control->onDestroy = [this](toolkit::TObj*) { controlGone(); };
    control->setOnKeyDown(
        [this](TControl&, std::uint32_t& key, std::uint32_t shift) { keyDown(key, shift); });
    control->setOnKeyUp([this](TControl&, std::uint32_t& key, std::uint32_t shift) { keyUp(key, shift); });
    control->setOnChar([this](TControl&, char& ch, std::uint32_t shift) { character(ch, shift); });
    control->setOnResize([this](TControl&) { resized(); });
    control->setOnShow([this](TControl&) { shown(); });
    control->setOnHide([this](TControl&) { hidden(); });
}

void TZTWin::init() {
    control->setColor(color);
    control->setPosition(left, top);
    if (width > 0) control->setWidth(width);
    if (height > 0) control->setHeight(height);
    if (edgeStyle == esSunken || edgeStyle == esPlain) control->setCtl3D(edgeStyle == esSunken);
    control->setTransparent(transparent);
    control->setEnabled(enabled);
    control->setCursor(cursor ? LoadCursorW(nullptr, MAKEINTRESOURCEW(cursor)) : nullptr);
    applyFont();
    if (tabOrder > 0) {
        control->setStyle(control->style() | WS_TABSTOP);
        control->navigationKeys |= 1;  // Tab moves the focus on
        control->tabStop = true;
        control->setTabOrder(tabOrder);
    } else {
        control->tabStop = tabOrder == 0;
    }
    hookControl();
    control->setAlign(align);
    SetWindowPos(control->getWindowHandle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER);
    control->setVisible(visible);
    control->createWindow();
    if (edgeStyle == esSunken) {
        static constexpr DWORD borders[] = {0, 0, WS_EX_STATICEDGE, WS_EX_DLGMODALFRAME,
                                            WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME};
        if (borderStyle >= bsNone && borderStyle <= bsSunkenDialog) control->setExStyle(borders[borderStyle]);
    }
    reportedSize_ = SIZE{control->getWidth(), control->getHeight()};
}

void TZTWin::place(TBounds bounds, std::uint32_t color, const TFontRec& font, TEdgeStyle edge,
                   TBorderStyle border) {
    left = bounds.left;
    top = bounds.top;
    width = bounds.width;
    height = bounds.height;
    this->color = color;
    this->font = font;
    edgeStyle = edge;
    borderStyle = border;
}

void TZTWin::attachHint(THintInterface* hintInterface) {
    if (hintInterface) {
        control->setOnMouseEnter([this](TControl&) { mouseEnter(); });
        control->setOnMouseLeave([this](TControl&) { mouseLeave(); });
    } else {
        if (hint.empty()) return;
        hintInterface = globalHintManager;
        if (!hintInterface) return;
    }
    hintTool_ = hintInterface->addTool(control->getWindowHandle());
    hintInterface->setText(hintTool_, hint);
    hintManager_ = hintInterface;
}

void TZTWin::doShow(TData&, std::uint16_t) { control->setVisible(true); }
void TZTWin::doHide(TData&, std::uint16_t) { control->setVisible(false); }

// ---------------------------------------------------------------- mouse

void TZTWin::mouseDown(toolkit::TMouseEventData& mouse) {
    lastMouse_ = mouse;
    fireEventInt(onMouseDown, mouse.button - 1);
    if (mouseCapture) {
        ReleaseCapture();
        SetCapture(control->handle());
    }
}

void TZTWin::mouseUp(toolkit::TMouseEventData& mouse) {
    lastMouse_ = mouse;
    fireEventInt(onMouseUp, mouse.button - 1);
    if (mouseCapture) ReleaseCapture();
}

void TZTWin::mouseMove(toolkit::TMouseEventData& mouse) {
    lastMouse_ = mouse;
    if (hintManager_) hintManager_->trackPosition(hintTool_, mouse.x, mouse.y);
    int button = -1;
    switch (mouse.shift) {
        case MK_LBUTTON: button = 0; break;
        case MK_RBUTTON: button = 1; break;
        case MK_MBUTTON: button = 2; break;
    }
    fireEventInt(onMouseMove, button);
}

void TZTWin::mouseWheel(toolkit::TMouseEventData& mouse) {
    lastMouse_ = mouse;
    fireEventInt(onMouseWheel, static_cast<std::int16_t>(mouse.shift >> 16));
}

void TZTWin::mouseEnter() {
    if (hintManager_) hintManager_->activate(hintTool_);
    fireEventNull(onMouseEnter);
}

void TZTWin::mouseLeave() {
    if (hintManager_) hintManager_->deactivate(hintTool_);
    fireEventNull(onMouseLeave);
}

// ---------------------------------------------------------------- keyboard

void TZTWin::fireKeyDown(std::uint32_t& key) { fireEventInt(onKeyDown, static_cast<std::int32_t>(key)); }

void TZTWin::fireKeyUp(std::uint32_t& key) { fireEventInt(onKeyUp, static_cast<std::int32_t>(key)); }

void TZTWin::fireKeyPress(char ch) { fireEventStr(onKeyPress, std::string(1, ch)); }

void TZTWin::keyDown(std::uint32_t& key, std::uint32_t shift) {
    if (takeShortcut(key, shift)) {
        key = 0;
        keyResult = 0;  // its character goes nowhere either
        return;
    }
    if (keyPreview && parentControl_ && parentControl_->keyDownHandler()) {
        parentControl_->keyDownHandler()(*parentControl_, key, shift);
        if (key == 0) {
            keyResult = 0;  // the form took the key: its character goes nowhere either
            return;
        }
    }
    keyResult = -1;
    fireKeyDown(key);
    if (keyResult >= 0)
        key = static_cast<std::uint32_t>(keyResult);
    else if (key == 0)
        keyResult = 0;
}

void TZTWin::keyUp(std::uint32_t& key, std::uint32_t shift) {
    if (keyPreview && parentControl_ && parentControl_->keyUpHandler()) {
        parentControl_->keyUpHandler()(*parentControl_, key, shift);
        if (key == 0) return;
    }
    keyResult = -1;
    fireKeyUp(key);
    if (keyResult >= 0) key = static_cast<std::uint32_t>(keyResult);
}

void TZTWin::character(char& ch, std::uint32_t shift) {
    if (keyPreview && parentControl_ && parentControl_->charHandler()) {
        parentControl_->charHandler()(*parentControl_, ch, shift);
        if (ch == 0) return;
    }
    // Swallowed while keyResult is 0: before any key went down, or after a consumed one.
    if (keyResult != 0) {
        keyResult = -1;
        fireKeyPress(ch);
    }
    if (keyResult >= 0) ch = static_cast<char>(keyResult & 0xFF);
}

// ---------------------------------------------------------------- messages

void TZTWin::proposeSize(const TZT_Event& link, int current, int& proposed) {
    const int asked = control->toLogical(proposed);
    if (asked == current) return;
    TData value;
    setInteger(value, asked - current);
    readData(value, link);
    if (value.dataType == dataInt) proposed = control->toDevice(current + value.intValue);
}

bool TZTWin::handleMessage(toolkit::TMsg& msg) {
    switch (msg.message) {
        case WM_MOVE: fireEventNull(onMove); break;
        case WM_SETFOCUS: fireEventNull(onEnter); break;
        case WM_KILLFOCUS: fireEventNull(onExit); break;
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(msg.lParam);
            if (!(pos->flags & SWP_NOSIZE)) {  // the links answer in pixels at 96 DPI
                proposeSize(resizeHeight, control->getHeight(), pos->cy);
                proposeSize(resizeWidth, control->getWidth(), pos->cx);
            }
            break;
        }
        default: break;
    }
    return previousMessageHandler_ ? previousMessageHandler_(msg) : false;
}

void TZTWin::controlGone() { controlDestroyed_ = true; }
// A size message that brings no new size (the system sends one at a window's first show)
// is no resize.
void TZTWin::resized() {
    const SIZE size{control->getWidth(), control->getHeight()};
    if (size.cx == reportedSize_.cx && size.cy == reportedSize_.cy) return;
    reportedSize_ = size;
    fireEventNull(onResize);
}
void TZTWin::shown() { fireEventNull(onShow); }
void TZTWin::hidden() { fireEventNull(onHide); }

}  // namespace components
