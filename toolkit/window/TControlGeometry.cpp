// The control's geometry: its window's DPI and the scaling of 96-DPI units to it, its
// bounds in its parent's client area, and its client size.
#include "toolkit/drawing/FontHeight.h"
#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/window/Alignment.h"
#include "toolkit/window/TControl.h"

namespace toolkit {

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

}  // namespace toolkit
