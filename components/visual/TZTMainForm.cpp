#include "components/visual/TZTMainForm.h"

#include <algorithm>

#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "toolkit/settings/TIniFile.h"
#include "toolkit/text/WideText.h"
#include "toolkit/window/Application.h"

namespace components {

using namespace dataflow;
using toolkit::applet;

namespace {

struct FrameStyle {
    DWORD style;
    DWORD exStyle;
};
// By TFrameStyle.
constexpr FrameStyle frameStyles[10] = {
    {0, 0},
    {WS_CAPTION | WS_MINIMIZEBOX, 0},
    {WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
    {WS_CAPTION, WS_EX_WINDOWEDGE},
    {WS_CAPTION, WS_EX_TOOLWINDOW},
    {WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW},
    {0, WS_EX_DLGMODALFRAME},
    {WS_THICKFRAME, WS_EX_TOOLWINDOW},
    {0, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME},
    {WS_THICKFRAME, WS_EX_CLIENTEDGE},
};
constexpr DWORD frameStyleMask = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD frameExStyleMask = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;

// The least shift that brings the span [from, to) inside [low, high); a longer span is
// brought to cover it.
LONG leastShift(LONG from, LONG to, LONG low, LONG high) {
    if (to - from > high - low) return from > low ? low - from : to < high ? high - to : 0;
    return from < low ? low - from : to > high ? high - to : 0;
}

// Moves a window the least distance that brings its caption bar (the band above its
// client area) whole into the work area of the monitor nearest to it: a position kept
// from a monitor since removed, or a drag past the screen's edge, leaves the caption
// within reach. A maximised or minimised window stays as it is.
void keepCaptionInWorkArea(HWND window) {
    if (IsZoomed(window) || IsIconic(window)) return;
    RECT bounds;
    GetWindowRect(window, &bounds);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const RECT caption{bounds.left, bounds.top, bounds.right, std::max(client.y, bounds.top + 1)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&caption, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const LONG dx = leastShift(caption.left, caption.right, work.left, work.right);
    const LONG dy = leastShift(caption.top, caption.bottom, work.top, work.bottom);
    if (dx != 0 || dy != 0)
        SetWindowPos(window, nullptr, bounds.left + dx, bounds.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TZTMainForm::TZTMainForm(TControl* parentControl) : TZTWin(parentControl) {
    if (!applet) {
        applet = TControl::newApplet("");
        ownsApplication_ = true;
    }
    control = TControl::newForm(parentControl ? parentControl : applet, "Form");
    control->setVisible(false);
    control->setOnShow([this](TControl&) { shown(); });
    control->margin = 0;
    addInitProc(
        [this] {
            fireEventNull(onCreate);
            control->setVisible(visible);
        },
        this);
    background = toolkit::TBitmap::newDIBBitmap(0, 0, toolkit::pf32bit);
}

TZTMainForm::~TZTMainForm() {
    cancelInitProcs(this);
    freeObject(background);
}

void TZTMainForm::setCaption(std::string_view caption) {
    control->setControlText(caption);
    if (ownsApplication_ && applet) applet->setControlText(caption);  // the taskbar text
}

void TZTMainForm::setFrameStyle(TFrameStyle style) {
    if (style >= std::size(frameStyles)) return;
    const FrameStyle& frame = frameStyles[style];
    control->setStyle((control->style() & ~frameStyleMask) | frame.style);
    control->setExStyle((control->exStyle() & ~frameExStyleMask) | frame.exStyle);
}

void TZTMainForm::setIcon(HICON icon) {
    if (!icon) icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    if (ownsApplication_ && applet) applet->icon = icon;
    control->icon = icon;
    control->iconShared = true;
}

void TZTMainForm::setToolWindow(std::uint8_t flag) {
    if (ownsApplication_ && applet && flag == 1) applet->setExStyle(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME);
}

void TZTMainForm::centreOnScreen(TZTMainForm& form) {
    TControl& c = *form.control;
    c.setPosition((c.toLogical(GetSystemMetrics(SM_CXSCREEN)) - c.getWidth()) / 2,
                  (c.toLogical(GetSystemMetrics(SM_CYSCREEN)) - c.getHeight()) / 2);
}

void TZTMainForm::init() {
    if (positionStore.empty())
        positionHandler = keepPosition;
    else if (positionStore.find(".ini\\") != std::string::npos)
        positionHandler = iniPositionHandler;
    else
        positionHandler = registryPositionHandler;
    const bool wanted = visible;
    visible = false;  // the form is shown at the end of start-up
    TZTWin::init();
    visible = wanted;
    control->setAlphaBlend(alphaBlend);
    if (clientSizing) control->setClientSize(width, height);
    control->setOnPaint([this](TControl&, HDC dc) {
        if (!background->empty()) background->draw(dc, 0, 0);
    });
    if (placement) placement(*this);
}

void TZTMainForm::shown() {
    if (!firstShowDone_) {
        if (windowState == 1) ShowWindow(control->handle(), SW_SHOWMINNOACTIVE);
        if (windowState == 2) ShowWindow(control->handle(), SW_SHOWMAXIMIZED);
        positionHandler(*this, false);
        if (!positionStore.empty()) keepCaptionInWorkArea(control->handle());
        firstShowDone_ = true;
    }
    TZTWin::shown();
}

bool TZTMainForm::takeShortcut(std::uint32_t key, std::uint32_t shift) {
    constexpr std::uint32_t shifts = toolkit::ssShift | toolkit::ssCtrl | toolkit::ssAlt;
    for (const TShortcut& shortcut : shortcuts) {
        if (shortcut.key != key || shortcut.shift != (shift & shifts)) continue;
        dataflow::fireEventNull(shortcut.onPress);
        return true;
    }
    return false;
}

void TZTMainForm::mouseDown(toolkit::TMouseEventData& mouse) {
    if (dragByClient) {
        ReleaseCapture();
        control->perform(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);  // as by the caption, until the button is up
        keepCaptionInWorkArea(control->handle());
    }
    TZTWin::mouseDown(mouse);
}

bool TZTMainForm::handleMessage(toolkit::TMsg& msg) {
    switch (msg.message) {
        case WM_MOVE:
            if (ownsApplication_ && applet && applet->handle()) {
                RECT form;
                GetWindowRect(control->handle(), &form);
                SetWindowPos(applet->handle(), nullptr, form.left, form.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        case WM_SIZE:
            if (ownsApplication_ && applet) applet->setWidth(control->getWidth());
            break;
        case WM_ACTIVATE: fireEventNull(LOWORD(msg.wParam) != 0 ? onActivate : onDeactivate); break;
        case WM_CLOSE:
            if (closeProcedure(msg)) return true;
            break;
        case WM_ERASEBKGND:
            if (!background->empty()) {
                msg.result = 1;  // the picture covers the client area
                return true;
            }
            break;
    }
    return TZTWin::handleMessage(msg);
}

// True when the message is consumed.
bool TZTMainForm::closeProcedure(toolkit::TMsg& msg) {
    if (msg.lParam == 0 && readInteger(closeQuery) != 0) {
        msg.result = 0;
        fireEventNull(onCloseRefused);  // so that a schema can ask, or let the next close through
        return true;
    }
    for (std::int32_t i = 0; i < control->childCount(); ++i)
        if (TControl* child = control->child(i); child->isForm) SendMessageW(child->handle(), WM_CLOSE, 0, 1);
    bool consumed = false;
    if (ownsApplication_) {
        fireEventNull(onClose);
        disableEvents();  // the toolkit goes on: it destroys the window and ends the loop
    } else {
        control->setVisible(false);
        msg.result = 0;
        consumed = true;
    }
    positionHandler(*this, true);
    return consumed;
}

// ---------------------------------------------------------------- position stores

void TZTMainForm::iniPositionHandler(TZTMainForm& form, bool save) {
    const std::size_t split = form.positionStore.find(".ini\\");
    const std::string file = form.positionStore.substr(0, split + 4);
    const bool absolute = file.size() > 1 && (file[1] == ':' || (file[0] == '\\' && file[1] == '\\'));
    toolkit::TIniFile* ini = toolkit::openIniFile(absolute ? file : toolkit::programDirectory() + file);
    ini->section = form.positionStore.substr(split + 5);
    TControl& c = *form.control;
    if (save) {
        ini->mode = toolkit::TIniFile::write;
        ini->valueInteger("Left", c.getLeft());
        ini->valueInteger("Top", c.getTop());
        ini->valueInteger("Width", c.getWidth());
        ini->valueInteger("Height", c.getHeight());
    } else {
        ini->mode = toolkit::TIniFile::read;
        c.setLeft(ini->valueInteger("Left", c.getLeft()));
        c.setTop(ini->valueInteger("Top", c.getTop()));
        c.setWidth(ini->valueInteger("Width", c.getWidth()));
        c.setHeight(ini->valueInteger("Height", c.getHeight()));
    }
    ini->free();
}

void TZTMainForm::registryPositionHandler(TZTMainForm& form, bool save) {
    const std::wstring path = toolkit::toWide("Software\\" + form.positionStore);
    TControl& c = *form.control;
    HKEY key = nullptr;
    const wchar_t* const names[] = {L"Left", L"Top", L"Height", L"Width"};
    if (save) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        const DWORD values[] = {static_cast<DWORD>(c.getLeft()), static_cast<DWORD>(c.getTop()),
                                static_cast<DWORD>(c.getHeight()), static_cast<DWORD>(c.getWidth())};
        for (int i = 0; i < 4; ++i)
            RegSetValueExW(key, names[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[i]),
                           sizeof(DWORD));
    } else {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        for (int i = 0; i < 4; ++i) {
            DWORD value = 0, size = sizeof value, type = 0;
            if (RegQueryValueExW(key, names[i], nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS ||
                size != sizeof value)
                continue;
            const int v = static_cast<int>(value);
            switch (i) {
                case 0: c.setLeft(v); break;
                case 1: c.setTop(v); break;
                case 2: c.setHeight(v); break;
                default: c.setWidth(v); break;
            }
        }
    }
    RegCloseKey(key);
}

}  // namespace components
