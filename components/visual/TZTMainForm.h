// The component of the program's top-level window: caption, frame, icon, placement,
// an optional position store, the show at the end of start-up, and the close that ends
// the program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/visual/TZTWin.h"
#include "toolkit/drawing/TBitmap.h"

namespace components {

class TZTMainForm : public TZTWin {
public:
    explicit TZTMainForm(TControl* parentControl);
    ~TZTMainForm() override;

    // setFrameStyle values.
    enum TFrameStyle : std::uint8_t {
        frNone,               // no frame
        frFixedWithMinimize,  // caption with a minimise box, fixed size
        frSizeable,           // caption, sizing frame, minimise and maximise boxes
        frFixed,              // caption without minimise and maximise boxes, fixed size
        frToolFixed,          // tool window, fixed
        frToolSizeable,       // tool window, sizeable
        frDialog,             // dialog frame without caption
        frSizingTool,         // sizing frame, tool window
        frClientEdgeDialog,   // client edge and dialog frame
        frSizingClientEdge,   // sizing frame and client edge
    };

    // Setters the application class calls before init.
    void setCaption(std::string_view caption);
    void setFrameStyle(TFrameStyle style);  // a value beyond the table is ignored
    void setIcon(HICON icon);
    void setToolWindow(std::uint8_t flag);

    // Properties.
    bool dragByClient = false;
    std::uint8_t alphaBlend = 255;
    std::uint8_t windowState = 0;  // at first show: 1 minimised, 2 maximised
    // "" none; "file.ini\Section" (beside the program, or a whole path); otherwise a
    // registry key under "Software\".
    std::string positionStore;
    bool clientSizing = false;
    std::function<void(TZTMainForm&)> placement;
    toolkit::TBitmap* background = nullptr;  // drawn as the background when not empty; owned

    // Keys with a shift state (TControl's ss bits: ssCtrl | ssShift, say) that fire their
    // link wherever the focus is in the form, as Ctrl+Shift+C copying a table.
    struct TShortcut {
        std::uint32_t key;
        std::uint32_t shift;
        TEventLink onPress;  // (null)
    };
    std::vector<TShortcut> shortcuts;

    // Links.
    TDataLink closeQuery;  // non-zero refuses a user's close
    TEventLink onActivate, onDeactivate, onCreate, onClose;
    TEventLink onCloseRefused;  // a user's close that closeQuery refused; unlinked by default

    void init() override;
    bool ownsApplication() const { return ownsApplication_; }
    bool firstShowDone() const { return firstShowDone_; }

    // Loads (save false) or stores (save true) the window position; init chooses one, and
    // until then it does nothing.
    std::function<void(TZTMainForm&, bool save)> positionHandler = keepPosition;

    // The placement the converter uses: the window centred on the screen.
    static void centreOnScreen(TZTMainForm& form);

protected:
    void mouseDown(toolkit::TMouseEventData& mouse) override;
    bool takeShortcut(std::uint32_t key, std::uint32_t shift) override;
    bool handleMessage(toolkit::TMsg& msg) override;
    void shown() override;

private:
    bool closeProcedure(toolkit::TMsg& msg);
    static void keepPosition(TZTMainForm&, bool) {}
    static void iniPositionHandler(TZTMainForm& form, bool save);
    static void registryPositionHandler(TZTMainForm& form, bool save);

    bool ownsApplication_ = false;
    bool firstShowDone_ = false;
};

}  // namespace components
