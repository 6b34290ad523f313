#include "toolkit/window/BufferedPainting.h"

#include "toolkit/window/Application.h"
#include "toolkit/window/ControlGlobals.h"
#include "toolkit/window/SelfProperty.h"

namespace toolkit {

namespace {

constexpr wchar_t previousProcedureProperty[] = L"PREV_PROC";
void (*invalidationHook)(TControl& control) = nullptr;

void invalidateAncestor(TControl& control) {
    if (TControl* ancestor = bufferedAncestor(&control))
        if (ancestor->handle()) InvalidateRect(ancestor->handle(), nullptr, TRUE);
}

// A label's new text is set while it is hidden, so that it never shows on a blank
// background, and shown again with the background painted behind it. A hidden label
// only takes the text: showing it would undo its being hidden.
LRESULT setLabelText(TMsg& msg) {
    if (!IsWindowVisible(msg.hwnd)) return DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    ShowWindow(msg.hwnd, SW_HIDE);
    const LRESULT result = DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    ShowWindow(msg.hwnd, SW_SHOWNA);
    UpdateWindow(msg.hwnd);
    return result;
}

// The first-chance hook: suppresses the children's own painting in favour of a
// repaint of their buffered ancestor.
bool paintFilter(void*, TControl& control, TMsg& msg) {
    TControl* ancestor = bufferedAncestor(&control);
    if (!ancestor || control.paintsItself) return false;
    switch (msg.message) {
        case WM_ERASEBKGND:
            if (control.parent() && (control.transparent() || !ancestor->bufferPainting)) {
                msg.result = 1;  // no erasing outside the buffer
                return true;
            }
            return false;
        case WM_PAINT:
            if (ancestor == &control) {
                if (msg.wParam) return false;
                bufferedPaint(control);
                msg.result = 0;
                return true;
            }
            if (ancestor->bufferPainting && ancestor->paintDC) return false;  // paints into the buffer
            ValidateRect(msg.hwnd, nullptr);
            if (!ancestor->bufferPainting) ancestor->invalidate();
            msg.result = 0;
            return true;
        case WM_NCPAINT:
            if (control.isForm || ancestor->bufferPainting) return false;
            msg.result = 0;
            return true;
        case WM_SETTEXT:
            if (!control.transparentLabel) return false;
            msg.result = setLabelText(msg);
            return true;
        case WM_WINDOWPOSCHANGED:
        case WM_HSCROLL:
        case WM_VSCROLL: control.invalidate(); return false;
        case WM_COMMAND:
            if (HIWORD(msg.wParam) == 1) control.invalidate();
            return false;
        default: return false;
    }
}

LRESULT CALLBACK foreignChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, previousProcedureProperty));
    if ((message == WM_ERASEBKGND || message == WM_NCPAINT) && !selfProperty(window)) {
        TControl* owner = selfProperty(GetParent(window));
        TControl* ancestor = owner && !owner->paintsItself ? bufferedAncestor(owner) : nullptr;
        if (ancestor && !ancestor->bufferPainting) return message == WM_ERASEBKGND ? 1 : 0;
    }
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam) : 0;
}

// After-create hook: child windows without a toolkit object take part in buffering.
void subclassForeignChildren(TControl& control) {
    for (HWND child = GetWindow(control.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetPropW(child, previousProcedureProperty)) continue;
        const LONG_PTR previous =
            SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreignChildProcedure));
        SetPropW(child, previousProcedureProperty, reinterpret_cast<HANDLE>(previous));
    }
}

void deleteBufferBitmap(void* control) {
    auto* owner = static_cast<TControl*>(control);
    if (owner->bufferBitmap) DeleteObject(owner->bufferBitmap);
    owner->bufferBitmap = nullptr;
}

// Keeps the buffer unless it is too small or more than 32 pixels too large.
void prepareBuffer(TControl& control, HDC windowDC, int width, int height) {
    const bool fits = control.bufferBitmap && control.bufferWidth >= width &&
                      control.bufferHeight >= height && control.bufferWidth <= width + 32 &&
                      control.bufferHeight <= height + 32;
    if (fits) return;
    if (control.bufferBitmap) DeleteObject(control.bufferBitmap);
    control.bufferBitmap = CreateCompatibleBitmap(windowDC, width, height);
    control.bufferWidth = width;
    control.bufferHeight = height;
}

// A memory context with a bitmap of the given size, holding what dc shows at (x, y):
// the window painted into it finds its parent's picture behind it, and its own
// coordinates are the context's device coordinates (the standard controls clip their
// painting to their client rectangle in device coordinates, so an origin moved by a
// transformation would cut them off).
class TPaintLayer {
public:
    TPaintLayer(HDC dc, int x, int y, int width, int height)
        : dc_(dc),
          x_(x),
          y_(y),
          width_(width),
          height_(height),
          memory_(CreateCompatibleDC(dc)),
          bitmap_(CreateCompatibleBitmap(dc, width, height)),
          old_(SelectObject(memory_, bitmap_)) {
        BitBlt(memory_, 0, 0, width_, height_, dc_, x_, y_, SRCCOPY);
    }
    ~TPaintLayer() {
        BitBlt(dc_, x_, y_, width_, height_, memory_, 0, 0, SRCCOPY);
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
    }
    TPaintLayer(const TPaintLayer&) = delete;
    TPaintLayer& operator=(const TPaintLayer&) = delete;
    HDC dc() const { return memory_; }

private:
    HDC dc_;
    int x_, y_, width_, height_;
    HDC memory_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// Paints a window into dc with its window rectangle at (x, y): the non-client part,
// then the client part and, over it, the window's children.
void paintWindowInto(HWND window, HDC dc, int x, int y) {
    RECT windowRect, clientRect;
    GetWindowRect(window, &windowRect);
    GetClientRect(window, &clientRect);
    if (clientRect.right <= 0 || clientRect.bottom <= 0) return;
    POINT client{0, 0};
    ClientToScreen(window, &client);
    TPaintLayer frame(dc, x, y, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(frame.dc()), PRF_NONCLIENT);
    TPaintLayer inside(frame.dc(), client.x - windowRect.left, client.y - windowRect.top, clientRect.right,
                       clientRect.bottom);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(inside.dc()), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(inside.dc()), 0);
    paintChildWindows(window, inside.dc());
}

// The frames, edges and scroll bars of the child windows, drawn by the windows
// themselves over the copied picture: what WM_PRINT draws of them is not always all of
// it (Wine draws no scroll bars and no 3-D edges there). The region given is the frame
// alone (in screen coordinates): a themed control fills the whole region it is given
// with its background, which would cover the client area copied from the buffer.
void paintChildFrames(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT windowRect, clientRect;
        GetWindowRect(child, &windowRect);
        GetClientRect(child, &clientRect);
        if (windowRect.right - windowRect.left != clientRect.right ||
            windowRect.bottom - windowRect.top != clientRect.bottom) {
            MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&clientRect), 2);
            const HRGN frame = CreateRectRgnIndirect(&windowRect);
            const HRGN client = CreateRectRgnIndirect(&clientRect);
            CombineRgn(frame, frame, client, RGN_DIFF);
            SendMessageW(child, WM_NCPAINT, reinterpret_cast<WPARAM>(frame), 0);
            DeleteObject(client);
            DeleteObject(frame);
        }
        paintChildFrames(child);
    }
}

// Leaves out of the painted window's context the windows of the control's descendants
// that paint themselves; frame is the painted window's rectangle on the screen.
void excludeSelfPainting(TControl& control, HDC windowDC, const RECT& frame) {
    for (std::int32_t i = 0; i < control.childCount(); ++i) {
        TControl& child = *control.child(i);
        if (!child.handle()) continue;
        if (child.paintsItself) {
            RECT r;
            GetWindowRect(child.handle(), &r);
            OffsetRect(&r, -frame.left, -frame.top);
            ExcludeClipRect(windowDC, r.left, r.top, r.right, r.bottom);
        } else {
            excludeSelfPainting(child, windowDC, frame);
        }
    }
}

}  // namespace

TControl* bufferedAncestor(TControl* control) {
    TControl* found = nullptr;
    for (; control; control = control->parent())
        if (control->doubleBuffered()) found = control;
    return found;
}

void TControl::invalidate() {
    if (appletTerminated || !handle_) return;
    InvalidateRect(handle_, nullptr, TRUE);
    if (invalidationHook) invalidationHook(*this);
}

void TControl::setTransparent(bool on) {
    if (on == transparent_) return;
    transparent_ = on;
    if (on && parent_) parent_->setDoubleBuffered(true);
}

void TControl::setDoubleBuffered(bool on) {
    if (paintsItself) return;
    doubleBuffered_ = on;
    firstChanceHook = TMessageHandler{paintFilter, nullptr};
    invalidationHook = invalidateAncestor;
    afterCreateHook = subclassForeignChildren;
}

// From the bottom of the z-order up, so that a window that lies over another is
// painted over it.
void paintChildWindows(HWND window, HDC dc) {
    const HWND top = GetWindow(window, GW_CHILD);
    if (!top) return;
    for (HWND child = GetWindow(top, GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        POINT topLeft{r.left, r.top};
        ScreenToClient(window, &topLeft);
        paintWindowInto(child, dc, topLeft.x, topLeft.y);
    }
}

void bufferedPaint(TControl& control) {
    const HWND window = control.handle();
    RECT update;
    if (!GetUpdateRect(window, &update, FALSE)) return;
    control.bufferPainting = true;
    RECT area;
    if (control.isForm) {
        GetClientRect(window, &area);
    } else {
        GetWindowRect(window, &area);
        OffsetRect(&area, -area.left, -area.top);
    }
    const HDC windowDC = GetDC(window);
    const HDC memory = CreateCompatibleDC(windowDC);
    if (!control.bufferBitmap) control.addAutoFree(deleteBufferBitmap, &control);
    prepareBuffer(control, windowDC, area.right, area.bottom);
    const HGDIOBJ oldBitmap = SelectObject(memory, control.bufferBitmap);
    const HDC savedPaintDC = control.paintDC;
    control.paintDC = memory;

    if (control.isForm) {
        SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
        SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
        paintChildWindows(window, memory);
    } else {
        paintWindowInto(window, memory, 0, 0);
    }

    const HDC frameDC = GetWindowDC(window);
    RECT frame;
    GetWindowRect(window, &frame);
    excludeSelfPainting(control, frameDC, frame);
    POINT at{0, 0};
    if (control.isForm) {
        ClientToScreen(window, &at);
        at.x -= frame.left;
        at.y -= frame.top;
    }
    BitBlt(frameDC, at.x, at.y, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    ReleaseDC(window, frameDC);
    paintChildFrames(window);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDC);
    control.paintDC = savedPaintDC;
    ValidateRect(window, nullptr);
    control.bufferPainting = false;
}

}  // namespace toolkit
