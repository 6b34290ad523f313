// The control: construction, the window made when it is first needed, text, properties,
// the family of controls and destruction.
#include "toolkit/window/TControl.h"

#include <algorithm>

#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/text/WideText.h"
#include "toolkit/window/Applet.h"
#include "toolkit/window/ControlGlobals.h"
#include "toolkit/window/FormBehaviour.h"
#include "toolkit/window/SelfProperty.h"

namespace toolkit {

TControl* creatingWindow = nullptr;
HCURSOR screenCursor = nullptr;
TMessageHandler firstChanceHook;
void (*afterCreateHook)(TControl& control) = nullptr;
void (*realignProc)(TControl* control) = nullptr;

namespace {

std::uint32_t nextControlId = 1;

constexpr DWORD visibleBit = WS_VISIBLE;
constexpr DWORD disabledBit = WS_DISABLED;
constexpr DWORD borderBit = WS_BORDER;
constexpr DWORD clientEdge = WS_EX_CLIENTEDGE;
// The window's new styles take effect, its place and size unchanged.
constexpr UINT frameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

const TCommandActions editActions{0, EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE, 0, 6};
const TCommandActions labelActions{0, 0, 0, 0, 1, 1};

}  // namespace

TControl::TControl(TControl* parent, std::string_view className, bool ctl3DWanted) : className_(className) {
    if (!parent) return;
    setParent(parent);
    extraDispatch = parent->extraDispatch;
    gotoControl = parent->gotoControl;
    ctl3DChildren = parent->ctl3DChildren;
    ctl3D = parent->ctl3DChildren && ctl3DWanted;  // the flag counts only where the parent allows it
    margin = parent->margin;
    textColor = parent->textColor;
    color_ = parent->color_;
    boundsRect_.left = parent->margin + parent->clientLeft;
    boundsRect_.top = parent->margin + parent->clientTop;
    boundsRect_.right = boundsRect_.left + 64;
    boundsRect_.bottom = boundsRect_.top + 64;
    // Copies of the parent's tools, sharing their handles while they stay equal.
    if (parent->font_) {
        adoptFont(parent->font_->clone());
        font_->parentTool = parent->font_;
        applyFont();
    }
    if (parent->brush_) {
        adoptBrush(parent->brush_->clone());
        brush_->parentTool = parent->brush_;
    }
}

TControl* TControl::newApplet(std::string_view caption) {
    auto* control = new TControl(nullptr, "App", false);
    control->style_ = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    control->exStyle_ = WS_EX_APPWINDOW;
    control->isApplet = true;
    appletCreated = true;
    control->afterCreate = [](TControl& self) {
        // The application window can only be minimised, restored and closed.
        HMENU menu = GetSystemMenu(self.handle_, FALSE);
        DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
        EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    };
    control->attachProc(TMessageHandler{appletHandler, nullptr});
    control->setControlText(caption);
    return control;
}

TControl* TControl::newForm(TControl* parent, std::string_view caption) {
    auto* control = new TControl(parent, "Form", true);
    if (parent) control->color_ = parent->color_;
    control->classStyle |= CS_DBLCLKS;
    control->attachProc(TMessageHandler{formHandler, nullptr});
    control->setControlText(caption);
    control->isForm = true;
    return control;
}

TControl* TControl::newControl(TControl* parent, std::string_view className, DWORD style, bool ctl3DWanted,
                               const TCommandActions& actions) {
    auto* control = new TControl(parent, className, ctl3DWanted);
    control->style_ = style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    control->isControl = true;
    control->commandActions = actions;
    control->visible_ = (style & visibleBit) != 0;
    control->tabStop = (style & WS_TABSTOP) != 0;
    TControl* form = control->parentForm();
    if (form && form != control) control->tabOrder_ = form->tabOrderCounter++;
    if (parent) control->cursor_ = parent->cursor_;
    control->navigationKeys = 15;
    if (control->ctl3D) {
        control->style_ &= ~borderBit;
        control->exStyle_ |= clientEdge;
    }
    if (control->tabStop && form && form != control && !form->currentControl) form->currentControl = control;
    control->controlId = nextControlId++;
    control->attachProc(TMessageHandler{childControlHandler, nullptr});
    return control;
}

TControl* TControl::newEditbox(TControl* parent, std::uint32_t options) {
    DWORD style = ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL;
    if (options & eoMultiline) style |= ES_MULTILINE;
    if (options & eoPassword) style |= ES_PASSWORD;
    if (options & eoReadonly) style |= ES_READONLY;
    if (options & eoNoHideSel) style |= ES_NOHIDESEL;
    if (options & eoNoHScroll) style &= ~(ES_AUTOHSCROLL | WS_HSCROLL);
    if (options & eoNoVScroll) style &= ~(ES_AUTOVSCROLL | WS_VSCROLL);
    style |= WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
    if (!(options & eoMultiline)) style &= ~(WS_HSCROLL | WS_VSCROLL);
    TControl* edit = newControl(parent, "EDIT", style, true, editActions);
    const bool multiline = (options & eoMultiline) != 0;
    edit->boundsRect_.right = edit->boundsRect_.left + (multiline ? 200 : 100);
    edit->boundsRect_.bottom = edit->boundsRect_.top + (multiline ? 222 : 22);
    edit->navigationKeys = multiline ? 1 : 13;
    if (options & eoWantTab) edit->navigationKeys &= ~1u;
    return edit;
}

TControl* TControl::newLabel(TControl* parent, std::string_view caption) {
    constexpr DWORD labelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
    TControl* label = newControl(parent, "STATIC", labelStyle, false, labelActions);
    label->transparentLabel = true;
    label->boundsRect_.bottom = label->boundsRect_.top + 22;
    label->setControlText(caption);
    return label;
}

// ---------------------------------------------------------------- window creation

HWND TControl::getWindowHandle() {
    if (!handle_) {
        if (!createdVisible) {
            setVisible(false);
            createWindow();
            showPending_ = true;
        } else {
            createWindow();
        }
    }
    return handle_;
}

void TControl::createChildWindows() {
    for (std::int32_t i = 0; i < children_.count(); ++i) child(i)->createWindow();
}

std::wstring TControl::registeredClassName() {
    std::string name = classNameOwned ? className_ : "obj_" + className_;
    if (name.size() > 63) name.resize(63);  // the name buffer holds 63 characters
    return toWide(name);
}

bool TControl::createWindow() {
    if (parent_ && !parent_->getWindowHandle()) return false;
    if (handle_) {
        createChildWindows();
        if (showPending_) {
            show();
            showPending_ = false;
        }
        return true;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring className = registeredClassName();
    WNDCLASSW wc{};
    wc.style = classStyle;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hInstance = instance;
    if (!className_.empty() && GetClassInfoW(nullptr, toWide(className_).c_str(), &wc)) {
        wc.hInstance = instance;  // a wrapped standard class
        wc.style &= ~DWORD{CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS};
        if (!defWndProc_) defWndProc_ = wc.lpfnWndProc;
    }
    const DWORD style = enabled_ ? style_ : (style_ | disabledBit);
    const HWND parentWindow = parent_ ? parent_->getWindowHandle() : nullptr;
    if ((style & WS_CHILD) && !parentWindow) return false;

    WNDCLASSW registered{};
    if (!GetClassInfoW(instance, className.c_str(), &registered)) {
        wc.lpszClassName = className.c_str();
        wc.lpfnWndProc = windowProcedure;
        if (!RegisterClassW(&wc)) return false;
    }

    const RECT bounds = toDevice(boundsRect_);
    int x = bounds.left, y = bounds.top;
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width == 0) width = CW_USEDEFAULT;
    if (height == 0) height = CW_USEDEFAULT;
    if (!isControl && (positionSet & 3) == 0) x = y = CW_USEDEFAULT;

    creatingWindow = this;
    windowCreating_ = true;
    const HWND window = CreateWindowExW(
        exStyle_, className.c_str(), toWide(caption_).c_str(), style, x, y, width, height, parentWindow,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), instance, nullptr);
    windowCreating_ = false;
    if (creatingWindow == this) creatingWindow = nullptr;
    if (!window) {
        handle_ = nullptr;  // the system refused the window; its first messages had named it
        return false;
    }
    handle_ = window;
    SendMessageW(handle_, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (!selfProperty(handle_)) setSelfProperty(handle_, this);
    if (!(style_ & WS_CHILD))
        SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(getIcon()));
    if (afterCreate) afterCreate(*this);
    if (afterCreateHook) afterCreateHook(*this);
    applyFont();
    createChildWindows();
    return true;
}

LRESULT TControl::perform(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(getWindowHandle(), message, wParam, lParam);
}

// ---------------------------------------------------------------- text

std::string TControl::getControlText() const {
    if (!handle_ || windowGone) return caption_;
    const int length = GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(handle_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(read, 0)));
    return fromWide(text);
}

void TControl::setControlText(std::string_view text) {
    caption_.assign(text);
    if (handle_) {
        SetWindowTextW(handle_, toWide(caption_).c_str());
        // An edit box invalidates its whole client area itself when its text is set (and
        // a buffered ancestor hears of it when the box paints).
        if (className_ != "EDIT") invalidate();
        if (autoSizeProc) autoSizeProc(*this);
    }
}

// ---------------------------------------------------------------- properties

void TControl::show() {
    createdVisible = true;
    setVisible(true);
}

void TControl::setVisible(bool visible) {
    style_ = visible ? (style_ | visibleBit) : (style_ & ~visibleBit);
    visible_ = visible;
    if (!handle_) return;
    ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
    if (realignProc) {
        if (parent_) realignProc(parent_);
        if (visible) realignProc(this);
    }
    if (!visible) showPending_ = false;
}

void TControl::setEnabled(bool enabled) {
    const bool current = handle_ ? IsWindowEnabled(handle_) != FALSE : (style_ & disabledBit) == 0;
    if (current == enabled) return;
    enabled_ = enabled;
    style_ = enabled ? (style_ & ~disabledBit) : (style_ | disabledBit);
    if (handle_) EnableWindow(handle_, enabled);
}

void TControl::setStyle(DWORD style) {
    if (style == style_) return;
    style_ = style;
    if (!handle_) return;
    SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, frameChanged);
    invalidate();
}

void TControl::setExStyle(DWORD exStyle) {
    if (exStyle == exStyle_) return;
    exStyle_ = exStyle;
    if (!handle_) return;
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, frameChanged);
    invalidate();
}

void TControl::setColor(std::uint32_t color) {
    if (handle_ && commandActions.colorMessage)  // even when unchanged
        SendMessageW(handle_, commandActions.colorMessage, 0, static_cast<LPARAM>(resolveColor(color)));
    if (color == color_) return;
    color_ = color;
    if (backgroundBrush_) {
        DeleteObject(backgroundBrush_);
        backgroundBrush_ = nullptr;
    }
    if (brush_) brush_->setColor(color);
    invalidate();
}

void TControl::setCtl3D(bool on) {
    ctl3DChildren = on;
    if (on == ctl3D) return;
    ctl3D = on;
    if (handle_) {
        style_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
        exStyle_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
        classStyle = static_cast<DWORD>(GetClassLongPtrW(handle_, GCL_STYLE));
    }
    DWORD style = style_, exStyle = exStyle_;
    if (on) {
        exStyle |= clientEdge;
        style &= ~borderBit;
    } else {
        exStyle &= ~clientEdge;
        style |= borderBit;
    }
    setExStyle(exStyle);
    setStyle(style);
}

void TControl::setCursor(HCURSOR cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    if (!handle_ || screenCursor) return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(handle_, &p);
    RECT client;
    GetClientRect(handle_, &client);
    if (PtInRect(&client, p)) SetCursor(cursor_);
}

void TControl::setAlphaBlend(std::uint8_t alpha) {
    if (alpha == alphaBlend_) return;
    alphaBlend_ = alpha;
    using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const auto setLayered = reinterpret_cast<SetLayered>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"User32"), "SetLayeredWindowAttributes")));
    if (!setLayered) return;
    const HWND window = getWindowHandle();
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (alpha < 255) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        setLayered(window, 0, alpha, LWA_ALPHA);
    } else {
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    }
}

HICON TControl::getIcon() {
    if (icon == reinterpret_cast<HICON>(-1)) return nullptr;
    if (icon) return icon;
    if (applet && applet != this) {
        HICON shared = applet->getIcon();
        icon = shared ? static_cast<HICON>(CopyImage(shared, IMAGE_ICON, 0, 0, 0)) : nullptr;
    } else {
        icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    }
    return icon;
}

// ---------------------------------------------------------------- family

void TControl::setParent(TControl* parent) {
    if (parent == parent_) return;
    leaveFocusRecords();
    if (parent_) {
        parent_->children_.deleteAt(parent_->children_.indexOf(this));
        if (parent_->childrenChanged) parent_->childrenChanged(nullptr);
    }
    parent_ = parent;
    if (parent_) {
        parent_->children_.add(this);
        if (parent_->childrenChanged) parent_->childrenChanged(this);
    }
}

TControl* TControl::parentForm() {
    TControl* control = this;
    while (control->isControl && control->parent_) control = control->parent_;
    return control;
}

bool TControl::contains(const TControl* control) const {
    for (; control; control = control->parent_)
        if (control == this) return true;
    return false;
}

// The form, and the application window, forget this control (or one inside it) as the
// one that has or gets the focus: it is going, or going elsewhere.
void TControl::leaveFocusRecords() {
    if (TControl* form = parent_ ? parentForm() : nullptr; form && contains(form->currentControl))
        form->currentControl = nullptr;
    if (applet && applet != this && contains(applet->currentControl)) applet->currentControl = nullptr;
}

bool TControl::isMainWindow() const {
    if (isControl) return false;
    if (!parent_) return this == applet || !appletCreated;
    if (!parent_->parent_) return parent_->child(0) == this;
    return false;
}

// ---------------------------------------------------------------- destruction

TControl::~TControl() {
    leaveFocusRecords();
    if (handle_) ShowWindow(handle_, SW_HIDE);
    notifyDestroy();
    // Children go last-first; each leaves the family now, even one that a running
    // handler keeps alive a little longer.
    while (children_.count() > 0) {
        TControl* last = child(children_.count() - 1);
        children_.deleteAt(children_.count() - 1);
        last->parent_ = nullptr;
        last->free();
    }
    destroying = true;
    freeObject(font_);
    freeObject(brush_);
    freeObject(canvas_);
    font_ = brush_ = nullptr;
    canvas_ = nullptr;
    if (accelTable) DestroyAcceleratorTable(accelTable);
    if (menu) DestroyMenu(menu);
    if (handle_) {
        if (IsWindow(handle_)) {
            HICON old = reinterpret_cast<HICON>(SendMessageW(handle_, WM_SETICON, ICON_BIG, 0));
            if (old && !iconShared && old != reinterpret_cast<HICON>(-1)) DestroyIcon(old);
        }
        // The window's class sees its WM_DESTROY and WM_NCDESTROY (and frees what it
        // keeps): the dying control passes every message on to it.
        if (!windowGone) DestroyWindow(handle_);
        if (IsWindow(handle_)) removeSelfProperty(handle_);
        handle_ = nullptr;
    }
    if (backgroundBrush_) DeleteObject(backgroundBrush_);
    if (parent_) {
        parent_->children_.deleteAt(parent_->children_.indexOf(this));
        if (parent_->currentControl == this) parent_->currentControl = nullptr;
    }
}

namespace {}  // namespace

}  // namespace toolkit
