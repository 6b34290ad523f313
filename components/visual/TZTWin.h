// The common base of every component that owns a window: it applies the shared
// properties to the toolkit control the derived component creates, and turns the
// control's notifications into the component's own events.
#pragma once

#include <cstdint>
#include <string>

#include "components/TFontRec.h"
#include "components/visual/THintInterface.h"
#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"
#include "toolkit/window/TControl.h"

namespace components {

using dataflow::TData;
using dataflow::TDataLink;
using dataflow::TEventLink;
using dataflow::TZT_Event;
using toolkit::TControl;

// Text alignment of the edit field, the label and the display's digits.
enum TTextAlign : std::uint8_t { taLeft = 0, taRight = 1, taCenter = 2 };

class TZTWin {
public:
    // The edge: sunken (3-D), plain, or as the control was created.
    enum TEdgeStyle : std::uint8_t { esSunken, esPlain, esAsCreated };
    // The border, which counts with a sunken edge only: the extended style unchanged,
    // none at all, a static edge, a dialog frame, a dialog frame and a sunken edge.
    enum TBorderStyle : std::uint8_t { bsUnchanged, bsNone, bsStatic, bsDialog, bsSunkenDialog };

    // A component's bounds in its parent's client area, at 96 DPI.
    struct TBounds {
        std::int32_t left, top, width, height;
    };

    explicit TZTWin(TControl* parentControl);
    TZTWin(const TZTWin&) = delete;
    TZTWin& operator=(const TZTWin&) = delete;
    virtual ~TZTWin();

    // Properties, read once by init.
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::uint8_t align = 0;
    std::int32_t tabOrder = 0;  // > 0 a tab stop with this order, 0 a tab stop, < 0 none
    std::uint32_t color = 0;
    TEdgeStyle edgeStyle = esAsCreated;
    std::string hint;
    TFontRec font;
    bool parentFont = false;
    bool transparent = false;
    bool visible = true;
    bool enabled = true;
    std::int32_t cursor = 0;
    bool mouseCapture = false;
    bool keyPreview = true;
    TBorderStyle borderStyle = bsUnchanged;

    // Events.
    TEventLink onMouseEnter, onMouseLeave, onKeyDown, onKeyUp, onKeyPress, onMouseDown, onMouseMove,
        onMouseUp, onMouseWheel, onEnter, onExit, onDblClick, onResize, onShow, onHide, onMove;
    // Data links consulted when the control's size is about to change.
    TDataLink resizeWidth, resizeHeight;

    // A schema's first step for each component, in one call: its bounds, colour, font
    // and edges.
    void place(TBounds bounds, std::uint32_t color, const TFontRec& font, TEdgeStyle edge = esAsCreated,
               TBorderStyle border = bsUnchanged);

    virtual void init();
    void attachHint(THintInterface* hintInterface);

    // Input methods: show or hide the control (the value that comes with the call is
    // not read).
    void doShow(TData& data, std::uint16_t index);
    void doHide(TData& data, std::uint16_t index);
    void attachManager(void* manager) { manager_ = manager; }

    TControl* control = nullptr;  // created by the derived component, owned
    TControl* parentControl() const { return parentControl_; }
    bool controlDestroyed() const { return controlDestroyed_; }
    const toolkit::TMouseEventData& lastMouse() const { return lastMouse_; }
    std::intptr_t hintTool() const { return hintTool_; }
    std::int32_t keyResult = 0;

protected:
    virtual void fireKeyDown(std::uint32_t& key);
    // A key with its shift state (TControl's ss bits) that the component acts on as a
    // whole, before anyone sees it; true takes the key and its character.
    virtual bool takeShortcut(std::uint32_t, std::uint32_t) { return false; }
    virtual void fireKeyUp(std::uint32_t& key);
    virtual void fireKeyPress(char ch);
    virtual void mouseDown(toolkit::TMouseEventData& mouse);
    virtual void mouseMove(toolkit::TMouseEventData& mouse);
    virtual void mouseEnter();
    virtual void mouseLeave();
    virtual void mouseUp(toolkit::TMouseEventData& mouse);
    virtual void mouseWheel(toolkit::TMouseEventData& mouse);
    virtual bool handleMessage(toolkit::TMsg& msg);
    virtual void controlGone();
    virtual void resized();
    virtual void shown();
    virtual void hidden();

private:
    void applyFont();
    void hookControl();
    void keyDown(std::uint32_t& key, std::uint32_t shift);
    void keyUp(std::uint32_t& key, std::uint32_t shift);
    void character(char& ch, std::uint32_t shift);
    void proposeSize(const TZT_Event& link, int current, int& proposed);

    TControl* parentControl_;
    SIZE reportedSize_{0, 0};  // the size onResize last told of, or the size at init
    bool controlDestroyed_ = false;
    TControl::TMessageHook previousMessageHandler_;
    toolkit::TMouseEventData lastMouse_;
    std::intptr_t hintTool_ = 0;
    THintInterface* hintManager_ = nullptr;
    void* manager_ = nullptr;
};

}  // namespace components
