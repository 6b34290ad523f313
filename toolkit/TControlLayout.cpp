// Geometry, alignment, auto-size, keyboard navigation and the input-event handlers.
#include <algorithm>

#include "toolkit/ControlGlobals.h"
#include "toolkit/Layout.h"
#include "toolkit/TCanvas.h"
#include "toolkit/TGraphicTool.h"
#include "toolkit/TControl.h"
#include "toolkit/WideText.h"

#include <commctrl.h>

namespace toolkit {

// ---------------------------------------------------------------- scaling

int screenDpi() {
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int TControl::dpi() const {
    const TControl* top = this;
    while (top->isControl && top->parent_) top = top->parent_;
    return top->dpi_ ? top->dpi_ : screenDpi();
}

RECT TControl::toDevice(const RECT& r) const {
    return RECT{toDevice(r.left), toDevice(r.top), toDevice(r.right), toDevice(r.bottom)};
}

RECT TControl::toLogical(const RECT& r) const {
    return RECT{toLogical(r.left), toLogical(r.top), toLogical(r.right), toLogical(r.bottom)};
}

// Every control inside: its bounds taken at the old scale (boundsOnly), or its window
// and font brought to the new one.
void TControl::rescaleDescendants(int oldDpi, int newDpi, bool boundsOnly) {
    for (std::int32_t i = 0; i < childCount(); ++i) {
        TControl& c = *child(i);
        if (boundsOnly) {
            c.getBoundsRect();
        } else {
            if (c.font_) {
                c.font_->setFontHeight(MulDiv(c.font_->logFont().lfHeight, newDpi, oldDpi));
                c.applyFont();
            }
            if (c.handle_) {
                const RECT d = c.toDevice(c.boundsRect_);
                SetWindowPos(c.handle_, nullptr, d.left, d.top, d.right - d.left, d.bottom - d.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        c.rescaleDescendants(oldDpi, newDpi, boundsOnly);
    }
}

void TControl::changeDpi(int newDpi, const RECT& suggested) {
    const int oldDpi = dpi();
    rescaleDescendants(oldDpi, newDpi, true);
    dpi_ = newDpi;
    rescaleDescendants(oldDpi, newDpi, false);
    if (font_) {
        font_->setFontHeight(MulDiv(font_->logFont().lfHeight, newDpi, oldDpi));
        applyFont();
    }
    if (handle_)
        SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    getBoundsRect();
    realign(this);
}

// ---------------------------------------------------------------- bounds

RECT TControl::getBoundsRect() {
    if (!handle_) return boundsRect_;
    RECT r;
    GetWindowRect(handle_, &r);
    if (isControl && parent_ && parent_->handle_) {
        POINT origin{0, 0};
        ClientToScreen(parent_->handle_, &origin);
        OffsetRect(&r, -origin.x, -origin.y);
    }
    boundsRect_ = toLogical(r);
    return boundsRect_;
}

void TControl::setBoundsRect(const RECT& rect) {
    const RECT current = getBoundsRect();
    if (EqualRect(&current, &rect)) return;
    if (rect.left != current.left) positionSet |= 1;
    if (rect.top != current.top) positionSet |= 2;
    boundsRect_ = rect;
    if (!handle_) return;
    // What did not change keeps its pixels: a move keeps the window's size as it was made
    // (scaled bounds may round to a pixel more or less).
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (rect.right - rect.left == current.right - current.left &&
        rect.bottom - rect.top == current.bottom - current.top)
        flags |= SWP_NOSIZE;
    if (rect.left == current.left && rect.top == current.top) flags |= SWP_NOMOVE;
    const RECT d = toDevice(rect);
    SetWindowPos(handle_, nullptr, d.left, d.top, d.right - d.left, d.bottom - d.top, flags);
    if (repaintOnResize) invalidate();
}

void TControl::setDeviceSize(int width, int height) {
    SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    getBoundsRect();
    if (repaintOnResize) invalidate();
}

int TControl::getWidth() {
    const RECT r = getBoundsRect();
    return r.right - r.left;
}

int TControl::getHeight() {
    const RECT r = getBoundsRect();
    return r.bottom - r.top;
}

void TControl::setLeft(int left) {
    RECT r = getBoundsRect();
    OffsetRect(&r, left - r.left, 0);
    setBoundsRect(r);
}

void TControl::setTop(int top) {
    RECT r = getBoundsRect();
    OffsetRect(&r, 0, top - r.top);
    setBoundsRect(r);
}

void TControl::setWidth(int width) {
    RECT r = getBoundsRect();
    r.right = r.left + width;
    setBoundsRect(r);
}

void TControl::setHeight(int height) {
    RECT r = getBoundsRect();
    r.bottom = r.top + height;
    setBoundsRect(r);
}

void TControl::setPosition(int x, int y) {
    setLeft(x);
    setTop(y);
}

void TControl::setSize(int width, int height) {
    if (width > 0) setWidth(width);
    if (height > 0) setHeight(height);
}

// One side of the client area. The frame's thickness is the window's own, in its pixels:
// the client size is set in those, so that it comes out right at any scale.
void TControl::setClientSide(int size, bool horizontal) {
    const HWND window = getWindowHandle();
    if (!window) {
        const RECT client = clientRect();
        if (horizontal)
            setWidth(size + getWidth() - (client.right - client.left));
        else
            setHeight(size + getHeight() - (client.bottom - client.top));
        return;
    }
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    SIZE device{outer.right - outer.left, outer.bottom - outer.top};
    if (horizontal)
        device.cx += toDevice(size + clientLeft + clientRight) - client.right;
    else
        device.cy += toDevice(size + clientTop + clientBottom) - client.bottom;
    setDeviceSize(device.cx, device.cy);
}

void TControl::setClientWidth(int width) { setClientSide(width, true); }

void TControl::setClientHeight(int height) { setClientSide(height, false); }

void TControl::setClientSize(int width, int height) {
    if (width > 0) setClientWidth(width);
    if (height > 0) setClientHeight(height);
}

RECT TControl::clientRect() {
    RECT r;
    if (const HWND window = getWindowHandle()) {
        GetClientRect(window, &r);
        r = toLogical(r);
    } else {
        r = boundsRect_;
    }
    r.top += clientTop;
    r.bottom -= clientBottom;
    r.left += clientLeft;
    r.right -= clientRight;
    return r;
}

// ---------------------------------------------------------------- alignment

bool TControl::countsAsVisible() {
    if (!visible_ && !showPending_) return false;
    if (!isControl || !parent_) return true;
    if (!parent_->isControl && parent_->handle_)
        parent_->visible_ = IsWindowVisible(parent_->handle_) != FALSE;
    return parent_->countsAsVisible();
}

void TControl::setAlign(std::uint8_t align) {
    realignProc = realign;
    if (alignLocked || align == align_) return;
    align_ = align;
    realign(parent_);
}

namespace {

// Places one child in what is left of its parent's client rectangle.
void placeChild(TControl& child, RECT& remaining, int m) {
    RECT r = child.getBoundsRect();
    const RECT old = r;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    switch (child.align()) {
        case alTop:
            OffsetRect(&r, 0, remaining.top + m - r.top);
            remaining.top += m + h;
            r.left = remaining.left + m;
            r.right = remaining.right - m;
            break;
        case alBottom:
            OffsetRect(&r, 0, remaining.bottom - m - r.bottom);
            remaining.bottom -= m + h;
            r.left = remaining.left + m;
            r.right = remaining.right - m;
            break;
        case alLeft:
            OffsetRect(&r, remaining.left + m - r.left, 0);
            remaining.left += m + w;
            r.top = remaining.top + m;
            r.bottom = remaining.bottom - m;
            break;
        case alRight:
            OffsetRect(&r, remaining.right - m - r.right, 0);
            remaining.right -= m + w;
            r.top = remaining.top + m;
            r.bottom = remaining.bottom - m;
            break;
        case alClient:
            r = remaining;
            InflateRect(&r, -m, -m);
            break;
        default: return;
    }
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    const bool resized =
        (r.right - r.left) != (old.right - old.left) || (r.bottom - r.top) != (old.bottom - old.top);
    if (resized || r.left != old.left || r.top != old.top) {
        child.setBoundsRect(r);
        if (resized) realign(&child);
    }
}

}  // namespace

void realign(TControl* parent) {
    if (!parent) return;
    RECT remaining = parent->clientRect();
    const auto inPass = [](std::uint8_t align, int pass) {
        switch (pass) {
            case 0: return align == alTop || align == alBottom;
            case 1: return align == alLeft || align == alRight;
            default: return align == alClient;
        }
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (std::int32_t i = 0; i < parent->childCount(); ++i) {
            TControl& child = *parent->child(i);
            if (!inPass(child.align(), pass) || child.alignLocked || !child.countsAsVisible()) continue;
            placeChild(child, remaining, parent->margin);
        }
    }
}

// ---------------------------------------------------------------- auto-size

namespace {

void autoSize(TControl& control) {
    std::string text = control.getControlText();
    SIZE size{0, 0};
    if (!text.empty()) {
        if (control.hasFont() && (control.font().fontStyle() & TGraphicTool::fsItalic))
            text += ' ';  // room for the slant
        control.getWindowHandle();
        size = control.canvas().textExtent(text);  // in the window's pixels
        size = SIZE{control.toLogical(size.cx), control.toLogical(size.cy)};
    }
    const std::uint8_t align = control.align();
    const TCommandActions& allowances = control.commandActions;
    bool changed = false;
    if ((align == alNone || align == alLeft || align == alRight) && allowances.autoSizeWidthAllowance > 0) {
        const int width = size.cx + allowances.autoSizeWidthAllowance;
        changed |= control.getWidth() != width;
        control.setWidth(width);
    }
    if ((align == alNone || align == alTop || align == alBottom) && allowances.autoSizeHeightAllowance > 0) {
        const int height = size.cy + allowances.autoSizeHeightAllowance;
        changed |= control.getHeight() != height;
        control.setHeight(height);
    }
    if (changed && realignProc) {
        if (control.parent()) realignProc(control.parent());
        realignProc(&control);
    }
}

}  // namespace

void TControl::setAutoSize(bool on) {
    if (!on) {
        autoSizeProc = nullptr;
        return;
    }
    autoSizeProc = autoSize;
    autoSize(*this);
}

// ---------------------------------------------------------------- navigation

namespace {

std::uint32_t navigationBit(std::uint32_t key) {
    switch (key) {
        case VK_TAB: return 1;
        case VK_LEFT:
        case VK_RIGHT: return 2;
        case VK_UP:
        case VK_DOWN: return 4;
        case VK_PRIOR:
        case VK_NEXT: return 8;
        default: return 0;
    }
}

bool navigate(TControl& control, std::uint32_t key, bool notKeyDown) {
    const std::uint32_t bit = navigationBit(key);
    if (bit == 0 || (control.navigationKeys & bit) == 0) return false;
    if (notKeyDown) return true;  // the release of a navigation key goes nowhere
    int direction = 1;
    if (key == VK_TAB)
        direction = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    else if (key == VK_LEFT || key == VK_UP || key == VK_PRIOR)
        direction = -1;
    moveFocus(*control.parentForm(), direction);
    return true;
}

void collectCandidates(TControl& parent, std::vector<TControl*>& candidates) {
    for (std::int32_t i = 0; i < parent.childCount(); ++i) {
        TControl& child = *parent.child(i);
        if (child.tabStop && child.enabled() && child.countsAsVisible() && (child.style() & WS_TABSTOP)) {
            const auto after =
                std::upper_bound(candidates.begin(), candidates.end(), child.tabOrder(),
                                 [](std::int32_t order, const TControl* c) { return order < c->tabOrder(); });
            candidates.insert(after, &child);
        }
        if (child.enabled()) collectCandidates(child, candidates);
    }
}

}  // namespace

std::vector<TControl*> tabCandidates(TControl& form) {
    std::vector<TControl*> candidates;
    collectCandidates(form, candidates);
    return candidates;
}

void TControl::setTabOrder(std::int32_t order) {
    if (order == tabOrder_) return;
    for (TControl* candidate : tabCandidates(*parentForm()))
        if (candidate->tabOrder_ >= order) ++candidate->tabOrder_;
    tabOrder_ = order;
}

void installTabulation(TControl& control) { control.parentForm()->gotoControl = navigate; }

void moveFocus(TControl& form, int direction) {
    const std::vector<TControl*> candidates = tabCandidates(form);
    const std::int32_t current = form.currentControl ? form.currentControl->tabOrder() : 0;
    TControl* target = nullptr;
    // The list is sorted by tab order, equal orders in walk order.
    if (direction > 0) {
        for (TControl* c : candidates)
            if (c->tabOrder() > current) {
                target = c;
                break;
            }
        if (!target) {
            for (TControl* c : candidates)
                if (c->tabOrder() != current) {
                    target = c;
                    break;
                }
        }
    } else {
        for (TControl* c : candidates)
            if (c->tabOrder() < current && (!target || c->tabOrder() > target->tabOrder())) target = c;
        if (!target) {
            for (TControl* c : candidates)
                if (c->tabOrder() != current && (!target || c->tabOrder() > target->tabOrder())) target = c;
        }
    }
    if (!target) return;
    if (const HWND window = target->handle()) {
        ++target->focusLock;
        SetFocus(window);
        --target->focusLock;
        // As in the system's dialogs: a box that the keyboard moves into has its whole
        // text selected, so that typing replaces it.
        if (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
            SendMessageW(window, EM_SETSEL, 0, -1);
    }
    form.currentControl = target;
}

// ---------------------------------------------------------------- input events

namespace {

bool mouseHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSEWHEEL || msg.hwnd != control.handle())
        return false;
    TMouseEventData mouse;
    // The key-state flags (the extra buttons left out: 32 means Alt here), and for the
    // wheel the delta in the high word.
    mouse.shift = static_cast<std::uint32_t>(msg.wParam) & 0xFFFF001Fu;
    if (GetKeyState(VK_MENU) < 0) mouse.shift |= 32;
    POINT at{static_cast<std::int16_t>(LOWORD(msg.lParam)), static_cast<std::int16_t>(HIWORD(msg.lParam))};
    if (msg.message == WM_MOUSEWHEEL) ScreenToClient(msg.hwnd, &at);  // the wheel's are the screen's
    mouse.x = static_cast<std::int16_t>(at.x);
    mouse.y = static_cast<std::int16_t>(at.y);
    msg.result = 0;
    return control.dispatchMouse(msg.message, mouse);
}

bool enterLeaveHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL)
        control.trackMouse();
    else if (msg.message == WM_MOUSELEAVE)
        control.mouseLeft();
    return false;
}

bool resizeHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message == WM_SIZE) control.notifyResize();
    return false;
}

bool showHideHandler(void*, TControl& control, TMsg& msg) {
    if (msg.message == WM_SHOWWINDOW && msg.hwnd == control.handle())
        control.notifyShowHide(msg.wParam != 0, IsWindowVisible(msg.hwnd) != FALSE);
    return false;
}

bool keyboardHandler(void*, TControl& control, TMsg& msg) {
    return control.dispatchKey(msg, control.keyShift());
}

}  // namespace

bool TControl::dispatchMouse(UINT message, TMouseEventData& mouse) {
    // The button messages: the button they name and the event they fire.
    struct ButtonMessage {
        UINT message;
        std::uint8_t button;
        TMouseEvent TControl::*event;
    };
    static constexpr ButtonMessage buttonMessages[] = {
        {WM_LBUTTONDOWN, 1, &TControl::onMouseDown_},     {WM_RBUTTONDOWN, 2, &TControl::onMouseDown_},
        {WM_MBUTTONDOWN, 3, &TControl::onMouseDown_},     {WM_LBUTTONUP, 1, &TControl::onMouseUp_},
        {WM_RBUTTONUP, 2, &TControl::onMouseUp_},         {WM_MBUTTONUP, 3, &TControl::onMouseUp_},
        {WM_LBUTTONDBLCLK, 1, &TControl::onMouseDblClk_}, {WM_RBUTTONDBLCLK, 2, &TControl::onMouseDblClk_},
        {WM_MBUTTONDBLCLK, 3, &TControl::onMouseDblClk_},
    };
    const TMouseEvent* event = nullptr;
    if (message == WM_MOUSEMOVE) event = &onMouseMove_;
    if (message == WM_MOUSEWHEEL) event = &onMouseWheel_;
    for (const ButtonMessage& entry : buttonMessages) {
        if (entry.message != message) continue;
        mouse.button = entry.button;
        event = &(this->*entry.event);
    }
    if (!event) return false;
    if (*event) (*event)(*this, mouse);
    return mouse.stopHandling;
}

void TControl::attachMouseHandler() { attachProc(TMessageHandler{mouseHandler, nullptr}); }

void TControl::installKeyHandler() { keyPreHandler = TMessageHandler{keyboardHandler, nullptr}; }

bool TControl::dispatchKey(TMsg& msg, std::uint32_t shift) {
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const TKeyEvent& event =
                (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) ? onKeyDown_ : onKeyUp_;
            std::uint32_t key = static_cast<std::uint32_t>(msg.wParam);
            if (event) event(*this, key, shift);
            msg.wParam = key;
            return key == 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            // The windows are wide: the message carries a UTF-16 code unit, the handlers
            // see its Windows-1251 byte. Only a character they changed goes back to the
            // control converted; an unchanged one reaches it exactly as it was typed.
            const char typed = toChar1251(static_cast<wchar_t>(msg.wParam));
            char key = typed;
            if (onChar_) onChar_(*this, key, shift);
            if (key != typed) msg.wParam = fromChar1251(key);
            return key == 0;
        }
        default: return false;
    }
}

void TControl::setOnMouseEnter(TNotify e) {
    onMouseEnter_ = std::move(e);
    InitCommonControls();
    attachProc(TMessageHandler{enterLeaveHandler, nullptr});
    invalidate();
}

void TControl::setOnMouseLeave(TNotify e) {
    onMouseLeave_ = std::move(e);
    InitCommonControls();
    attachProc(TMessageHandler{enterLeaveHandler, nullptr});
    invalidate();
}

namespace {

void requestLeaveNotice(HWND window, DWORD flags) {
    using Track = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    const HMODULE library = GetModuleHandleW(L"comctl32.dll");
    const auto track =
        library
            ? reinterpret_cast<Track>(reinterpret_cast<void*>(GetProcAddress(library, "_TrackMouseEvent")))
            : nullptr;
    if (!track) return;
    TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), flags, window, 0};
    track(&request);
}

}  // namespace

void TControl::trackMouse() {
    bool inside;
    if (mouseHitTest) {
        inside = mouseHitTest(*this);
    } else {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(handle_, &p);
        const RECT client = toDevice(clientRect());
        inside = PtInRect(&client, p) != FALSE;
    }
    if (inside == mouseInside_) return;
    invalidate();
    mouseInside_ = inside;
    if (inside) {
        if (onMouseEnter_) onMouseEnter_(*this);
        requestLeaveNotice(handle_, TME_LEAVE);
    } else {
        requestLeaveNotice(handle_, TME_CANCEL | TME_LEAVE);
        if (onMouseLeave_) onMouseLeave_(*this);
    }
}

void TControl::mouseLeft() {
    if (!mouseInside_) return;
    mouseInside_ = false;
    if (onMouseLeave_) onMouseLeave_(*this);
    invalidate();
}

void TControl::setOnResize(TNotify e) {
    onResize_ = std::move(e);
    attachProc(TMessageHandler{resizeHandler, nullptr});
}

void TControl::setOnShow(TNotify e) {
    onShow_ = std::move(e);
    attachProc(TMessageHandler{showHideHandler, nullptr});
}

void TControl::setOnHide(TNotify e) {
    onHide_ = std::move(e);
    attachProc(TMessageHandler{showHideHandler, nullptr});
}

void TControl::notifyResize() {
    if (onResize_) onResize_(*this);
}

void TControl::notifyShowHide(bool showing, bool wasVisible) {
    visible_ = showing;
    if (showing && !wasVisible && onShow_) onShow_(*this);
    if (!showing && wasVisible && onHide_) onHide_(*this);
}

}  // namespace toolkit
