// The toolkit's one class for every window: the application window, forms and child
// controls. It keeps the window's properties while no window exists, creates the
// window when its handle is first needed, finds itself again from the handle through
// the window property "SELF_", and runs every message through a fixed chain of
// handlers before the default processing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/drawing/Colors.h"
#include "toolkit/drawing/TCanvas.h"
#include "toolkit/objects/TList.h"
#include "toolkit/objects/TObj.h"

namespace toolkit {

class TCanvas;
class TControl;
class TGraphicTool;

LRESULT CALLBACK globalWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One window message as the handlers see it.
struct TMsg {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
};

// A message procedure: true when it handled the message (its answer in msg.result).
// The context is the object the procedure was attached for (a component, say).
struct TMessageHandler {
    bool (*proc)(void* context, TControl& control, TMsg& msg) = nullptr;
    void* context = nullptr;

    explicit operator bool() const { return proc != nullptr; }
    bool operator==(const TMessageHandler&) const = default;
    bool operator()(TControl& control, TMsg& msg) const { return proc && proc(context, control, msg); }
};

// Per-class notification codes and auto-size allowances.
struct TCommandActions {
    std::uint16_t clickCode = 0;
    std::uint16_t enterCode = 0;
    std::uint16_t leaveCode = 0;
    std::uint16_t changeCode = 0;
    std::uint16_t autoSizeWidthAllowance = 0;
    std::uint16_t autoSizeHeightAllowance = 0;
    UINT colorMessage = 0;  // sent with the resolved colour when the colour is set; 0 none
};

// The toolkit's own messages.
constexpr UINT wmFreeControl = 0xB003;            // posted by a main window to free its control
constexpr UINT wmReflectedCommand = 0xB005;       // a child's command notification, sent back to it
constexpr UINT wmListTracked = 0xB006;            // sent to a drop-down list when its dropped list took input
constexpr UINT wmReflectedColor = 0xBC00;         // plus a WM_CTLCOLOR... number: the same, for colours
constexpr UINT lastKeyMessage = WM_KEYFIRST + 8;  // the key messages the toolkit handles (not WM_UNICHAR)

// The shift state of key events (TControl::keyShift) and of mouse records.
constexpr std::uint32_t ssShift = 4, ssCtrl = 8, ssAlt = 32;

// Options of newEditbox.
enum TEditOption : std::uint32_t {
    eoMultiline = 0x001,
    eoPassword = 0x002,
    eoReadonly = 0x004,
    eoNoHideSel = 0x008,
    eoNoHScroll = 0x010,  // no automatic horizontal scrolling: long lines wrap
    eoNoVScroll = 0x020,
    eoWantTab = 0x400,  // Tab stays in the box instead of moving the focus
};

// Mouse event record.
struct TMouseEventData {
    std::uint8_t button = 0;  // 0 none, 1 left, 2 right, 3 middle
    bool stopHandling = false;
    std::uint32_t shift = 0;  // MK_ flags, plus ssAlt while Alt is down; wheel delta in the high word
    std::int16_t x = 0;
    std::int16_t y = 0;
};

enum TAlign : std::uint8_t { alNone, alLeft, alTop, alRight, alBottom, alClient };

class TControl : public TObj, public TCanvasOwner {
public:
    using TNotify = std::function<void(TControl& sender)>;
    using TCloseQuery = std::function<void(TControl& sender, bool& canClose)>;
    using TMessageHook = std::function<bool(TMsg& msg)>;
    using TMouseEvent = std::function<void(TControl& sender, TMouseEventData& mouse)>;
    using TKeyEvent = std::function<void(TControl& sender, std::uint32_t& key, std::uint32_t shift)>;
    using TCharEvent = std::function<void(TControl& sender, char& key, std::uint32_t shift)>;
    using TGotoControl = bool (*)(TControl& control, std::uint32_t key, bool notKeyDown);

    // Construction. Every control is created on the heap and released with free().
    static TControl* newApplet(std::string_view caption);
    static TControl* newForm(TControl* parent, std::string_view caption);
    static TControl* newControl(TControl* parent, std::string_view className, DWORD style, bool ctl3D,
                                const TCommandActions& actions);
    static TControl* newEditbox(TControl* parent, std::uint32_t options);
    static TControl* newLabel(TControl* parent, std::string_view caption);
    // A drop-down list of texts to choose from ("COMBOBOX"); the height it is given is the
    // height of the list when dropped. Tab leaves it; the arrows choose within it.
    static TControl* newComboBox(TControl* parent);
    // A push button ("BUTTON"): a click, Space or Enter on it is its onClick.
    static TControl* newButton(TControl* parent, std::string_view caption);

    ~TControl() override;

    // Window.
    HWND getWindowHandle();
    HWND handle() const { return handle_; }
    bool createWindow();
    LRESULT perform(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT wndProc(TMsg& msg);
    LRESULT callDefWndProc(TMsg& msg);

    // Text, in Windows-1251.
    std::string getControlText() const;
    void setControlText(std::string_view text);

    // Visibility and state.
    void show();
    void setVisible(bool visible);
    bool visible() const { return visible_; }
    bool showPending() const { return showPending_; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    void setStyle(DWORD style);
    void setExStyle(DWORD exStyle);
    DWORD style() const { return style_; }
    DWORD exStyle() const { return exStyle_; }
    void setColor(std::uint32_t color);
    std::uint32_t color() const { return color_; }
    std::uint32_t textColor = clWindowText;
    void setCtl3D(bool on);
    void setCursor(HCURSOR cursor);
    void setTabOrder(std::int32_t order);
    std::int32_t tabOrder() const { return tabOrder_; }
    void setAlphaBlend(std::uint8_t alpha);
    HICON getIcon();
    HICON icon = nullptr;  // none chosen; (HICON)-1: no icon
    bool iconShared = false;
    // A solid brush of the resolved colour, the parent's when the colours are equal.
    HBRUSH backgroundBrush();

    // Buffered painting: a transparent control shows its parent's background, which the
    // parent then paints, with all its child windows, through one off-screen bitmap.
    void setTransparent(bool on);
    bool transparent() const { return transparent_; }
    void setDoubleBuffered(bool on);
    bool doubleBuffered() const { return doubleBuffered_; }
    void invalidate();
    // the whole window, and the buffered ancestor's
    bool transparentLabel = false;   // text set by WM_SETTEXT is shown hidden-then-shown
    bool paintsItself = false;       // never buffered: cut out of the buffered picture
    bool bufferPainting = false;     // a buffered paint of this control is running
    HBITMAP bufferBitmap = nullptr;  // kept between paints
    int bufferWidth = 0;
    int bufferHeight = 0;

    // Drawing.
    TCanvas& canvas();      // made on demand
    TGraphicTool& font();   // made on demand
    TGraphicTool& brush();  // made on demand, with the control's colour
    bool hasFont() const { return font_ != nullptr; }
    void applyFont();
    std::function<void(TControl&)> afterFontChange;
    void setOnPaint(std::function<void(TControl& sender, HDC dc)> paint);
    HDC paintDC = nullptr;  // the context of the current paint cycle
    // What the control's canvas asks of it.
    HWND canvasWindow() const override { return handle_; }
    HDC canvasPaintDC() const override { return paintDC; }
    std::uint32_t canvasTextColor() const override { return textColor; }
    std::uint32_t canvasBackColor() const override { return color_; }

    // Family.
    void setParent(TControl* parent);
    TControl* parent() const { return parent_; }
    std::int32_t childCount() const { return children_.count(); }
    TControl* child(std::int32_t index) const { return static_cast<TControl*>(children_.get(index)); }
    TControl* parentForm();
    bool isMainWindow() const;

    // Message handling.
    void attachProc(TMessageHandler handler);
    void detachProc(TMessageHandler handler);  // safe while the handlers run
    bool doSetFocus();

    // Scaling. Positions, sizes and margins are pixels at 96 DPI, whatever the DPI of the
    // window: the control converts them where it talks to its window (MulDiv, rounded to
    // the nearest pixel). Mouse positions and drawing stay in the window's pixels.
    int dpi() const;  // of the control's top-level window
    int toDevice(int pixels96) const { return MulDiv(pixels96, dpi(), 96); }
    int toLogical(int devicePixels) const { return MulDiv(devicePixels, 96, dpi()); }
    RECT toDevice(const RECT& r) const;
    RECT toLogical(const RECT& r) const;
    // The window moved to a monitor of another DPI: it takes the suggested rectangle, and
    // every control in it its bounds and font at the new scale.
    void changeDpi(int newDpi, const RECT& suggested);

    // Layout.
    RECT getBoundsRect();
    void setBoundsRect(const RECT& rect);
    int getLeft() { return getBoundsRect().left; }
    int getTop() { return getBoundsRect().top; }
    int getWidth();
    int getHeight();
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);
    void setPosition(int x, int y);
    void setSize(int width, int height);
    void setClientWidth(int width);
    void setClientHeight(int height);
    void setClientSize(int width, int height);
    RECT clientRect();
    void setAlign(std::uint8_t align);
    std::uint8_t align() const { return align_; }
    bool countsAsVisible();
    void setAutoSize(bool on);

    // Input events; setting one attaches the handler that serves it.
    void setOnMouseDown(TMouseEvent e) {
        onMouseDown_ = std::move(e);
        attachMouseHandler();
    }
    void setOnMouseUp(TMouseEvent e) {
        onMouseUp_ = std::move(e);
        attachMouseHandler();
    }
    void setOnMouseMove(TMouseEvent e) {
        onMouseMove_ = std::move(e);
        attachMouseHandler();
    }
    void setOnMouseDblClk(TMouseEvent e) {
        onMouseDblClk_ = std::move(e);
        attachMouseHandler();
    }
    void setOnMouseWheel(TMouseEvent e) {
        onMouseWheel_ = std::move(e);
        attachMouseHandler();
    }
    void setOnMouseEnter(TNotify e);
    void setOnMouseLeave(TNotify e);
    void setOnKeyDown(TKeyEvent e) {
        onKeyDown_ = std::move(e);
        installKeyHandler();
    }
    void setOnKeyUp(TKeyEvent e) {
        onKeyUp_ = std::move(e);
        installKeyHandler();
    }
    void setOnChar(TCharEvent e) {
        onChar_ = std::move(e);
        installKeyHandler();
    }
    void setOnResize(TNotify e);
    void setOnShow(TNotify e);
    void setOnHide(TNotify e);
    bool mouseInside() const { return mouseInside_; }
    const TKeyEvent& keyDownHandler() const { return onKeyDown_; }
    const TKeyEvent& keyUpHandler() const { return onKeyUp_; }
    const TCharEvent& charHandler() const { return onChar_; }

    // Geometry fields.
    std::uint8_t positionSet = 0;  // bit 0 left set, bit 1 top set
    std::int32_t margin = 2;
    std::int32_t clientTop = 0, clientBottom = 0, clientLeft = 0, clientRight = 0;
    bool alignLocked = false;
    bool repaintOnResize = false;
    std::function<bool(TControl&)> mouseHitTest;

    // Notifications and hooks.
    TNotify onClick, onChange, onEnter, onLeave;
    std::function<void()> beforeClick;
    TCloseQuery onClose;
    TMessageHook onMessage;
    TMessageHandler extraDispatch;
    TMessageHandler keyPreHandler;
    TMessageHandler afterHandler;
    std::function<void(TControl&)> afterCreate;
    std::function<void(TControl* child)> childrenChanged;
    std::function<void(TControl&)> autoSizeProc;
    TGotoControl gotoControl = nullptr;
    std::function<bool(const MSG&)> messageFilter;  // on the application window

    // State.
    TControl* currentControl = nullptr;
    HWND innerHandle = nullptr;
    std::uint8_t windowState = 0;
    std::int32_t restoreShowCmd = 0;
    std::uint8_t focusLock = 0;
    std::uint32_t navigationKeys = 0;
    bool tabStop = false;
    bool destroying = false;
    bool windowGone = false;
    bool isApplet = false;
    bool isForm = false;
    bool isControl = false;
    bool createdVisible = false;
    bool ctl3D = true;
    bool ctl3DChildren = true;
    std::uint32_t controlId = 0;
    std::int32_t tabOrderCounter = 0;  // on forms: the next child's tab order
    TCommandActions commandActions;
    const std::string& controlClassName() const { return className_; }
    bool classNameOwned = false;  // the class is registered under its own name, without "obj_"
    WNDPROC windowProcedure = globalWindowProcedure;  // of the classes the toolkit registers
    HMENU menu = nullptr;                             // owned
    HACCEL accelTable = nullptr;                      // owned
    DWORD classStyle = CS_OWNDC;
    HCURSOR cursor() const { return cursor_; }

    // Used by the toolkit's own input handlers.
    bool dispatchMouse(UINT message, TMouseEventData& mouse);
    bool dispatchKey(TMsg& msg, std::uint32_t shift);
    std::uint32_t keyShift() const { return keyShift_; }  // of the key message being handled
    void trackMouse();
    void mouseLeft();
    void notifyResize();
    void notifyShowHide(bool showing, bool wasVisible);
    bool paint(TMsg& msg);

protected:
    TControl(TControl* parent, std::string_view className, bool ctl3D);

private:
    friend LRESULT CALLBACK globalWindowProcedure(HWND, UINT, WPARAM, LPARAM);

    enum class AttachedResult { notHandled, handled, freed };
    AttachedResult dispatchAttached(TMsg& msg);
    void dispatch(TMsg& msg);
    bool freedMeanwhile() const;  // a free is pending while the control handles a message
    LRESULT passToClass(TMsg& msg);
    bool contains(const TControl* control) const;  // this control or one inside it
    void leaveFocusRecords();
    bool handleBuiltIn(TMsg& msg);  // true: the message ended directly
    bool handleKey(TMsg& msg);
    bool keysReachMe() const;
    void attachMouseHandler();
    void installKeyHandler();
    void adoptFont(TGraphicTool* font);
    void adoptBrush(TGraphicTool* brush);
    void setDeviceSize(int width, int height);
    void setClientSide(int size, bool horizontal);
    void rescaleDescendants(int oldDpi, int newDpi, bool boundsOnly);
    void createChildWindows();
    std::wstring registeredClassName();

    HWND handle_ = nullptr;
    bool windowCreating_ = false;  // between the request for the window and its answer
    int dpi_ = 0;                  // of a top-level window; 0: the screen's
    std::string className_;
    std::string caption_;
    DWORD style_ = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_OVERLAPPEDWINDOW;
    DWORD exStyle_ = WS_EX_CONTROLPARENT;
    WNDPROC defWndProc_ = nullptr;
    HCURSOR cursor_ = nullptr;
    HBRUSH backgroundBrush_ = nullptr;
    COLORREF backgroundRGB_ = 0;
    bool transparent_ = false;
    bool doubleBuffered_ = false;
    TCanvas* canvas_ = nullptr;
    TGraphicTool* font_ = nullptr;
    TGraphicTool* brush_ = nullptr;
    std::function<void(TControl&, HDC)> onPaint_;
    TControl* parent_ = nullptr;
    TList children_;
    std::vector<std::pair<TMessageHandler, bool>> dynHandlers_;
    bool enabled_ = true;
    bool visible_ = true;
    bool showPending_ = false;
    std::int32_t tabOrder_ = 0;
    std::uint8_t alphaBlend_ = 255;
    std::uint32_t color_ = clButtonFace;
    RECT boundsRect_{};
    std::uint8_t align_ = alNone;
    bool mouseInside_ = false;
    bool hasFocus_ = false;       // between the window's WM_SETFOCUS and WM_KILLFOCUS
    std::uint32_t keyShift_ = 0;  // ssShift, ssCtrl, ssAlt
    TMouseEvent onMouseDown_, onMouseUp_, onMouseMove_, onMouseDblClk_, onMouseWheel_;
    TNotify onMouseEnter_, onMouseLeave_, onResize_, onShow_, onHide_;
    TKeyEvent onKeyDown_, onKeyUp_;
    TCharEvent onChar_;
};

}  // namespace toolkit
