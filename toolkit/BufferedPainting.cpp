#include "toolkit/BufferedPainting.h"

#include "toolkit/Application.h"
#include "toolkit/ControlGlobals.h"
#include "toolkit/SelfProperty.h"

namespace toolkit {

namespace {

constexpr wchar_t previousProcedureProperty[] = L"PREV_PROC";
void (*invalidationHook)(TControl& control) = nullptr;

void invalidateAncestor(TControl& control) {
    if (TControl* ancestor = bufferedAncestor(&control))
        if (ancestor->handle()) InvalidateRect(ancestor->handle(), nullptr, TRUE);
}

// A label's new text is set while it is hidden, so that it never shows on a blank
// background, and shown again with the background painted behind it.
LRESULT setLabelText(TMsg& msg) {
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
        case WM_VSCROLL:
            control.invalidate();
            return false;
        case WM_COMMAND:
            if (HIWORD(msg.wParam) == 1) control.invalidate();
            return false;
        default:
            return false;
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
    const bool fits = control.bufferBitmap && control.bufferWidth >= width && control.bufferHeight >= height &&
                      control.bufferWidth <= width + 32 && control.bufferHeight <= height + 32;
    if (fits) return;
    if (control.bufferBitmap) DeleteObject(control.bufferBitmap);
    control.bufferBitmap = CreateCompatibleBitmap(windowDC, width, height);
    control.bufferWidth = width;
    control.bufferHeight = height;
}

// Paints a window's non-client part, then its client part and its children, into dc
// with the window's rectangle at (x, y) of the context's current origin.
void paintWindowInto(HWND window, HDC dc, POINT windowOrigin) {
    RECT windowRect;
    GetWindowRect(window, &windowRect);
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    const int saved = SaveDC(dc);
    POINT origin;
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x - windowOrigin.x, origin.y - windowOrigin.y, nullptr);
    IntersectClipRect(dc, 0, 0, width, height);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);

    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT clientRect;
    GetClientRect(window, &clientRect);
    const POINT inWindow{client.x - windowRect.left, client.y - windowRect.top};
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x - inWindow.x, origin.y - inWindow.y, nullptr);
    IntersectClipRect(dc, 0, 0, clientRect.right, clientRect.bottom);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    paintChildWindows(window, dc);
    RestoreDC(dc, saved);
}

// Leaves out of dc the windows of the control's descendants that paint themselves.
void excludeSelfPainting(TControl& control, HDC windowDC) {
    RECT frame;
    GetWindowRect(control.handle(), &frame);
    for (std::int32_t i = 0; i < control.childCount(); ++i) {
        TControl& child = *control.child(i);
        if (!child.handle()) continue;
        if (child.paintsItself) {
            RECT r;
            GetWindowRect(child.handle(), &r);
            OffsetRect(&r, -frame.left, -frame.top);
            ExcludeClipRect(windowDC, r.left, r.top, r.right, r.bottom);
        } else {
            excludeSelfPainting(child, windowDC);
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

void paintChildWindows(HWND window, HDC dc) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        POINT topLeft{r.left, r.top};
        ScreenToClient(window, &topLeft);
        paintWindowInto(child, dc, topLeft);
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
        paintWindowInto(window, memory, POINT{0, 0});
    }

    const HDC frameDC = GetWindowDC(window);
    excludeSelfPainting(control, frameDC);
    POINT at{0, 0};
    if (control.isForm) {
        RECT frame;
        GetWindowRect(window, &frame);
        ClientToScreen(window, &at);
        at.x -= frame.left;
        at.y -= frame.top;
    }
    BitBlt(frameDC, at.x, at.y, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    ReleaseDC(window, frameDC);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDC);
    control.paintDC = savedPaintDC;
    ValidateRect(window, nullptr);
    control.bufferPainting = false;
}

}  // namespace toolkit
