// Alignment of children to the edges of their parent, and auto-size to the text.
#include <algorithm>

#include "toolkit/drawing/TCanvas.h"
#include "toolkit/drawing/TGraphicTool.h"
#include "toolkit/window/Alignment.h"
#include "toolkit/window/ControlGlobals.h"

namespace toolkit {

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

namespace {

// A text's ink may reach a pixel or two past its advance, where the system renders
// a font other than the one it measures by (a face the machine lacks, replaced): a
// sixth of the font's height more keeps the last letter whole.
int inkAllowance(TControl& control) {
    const LONG height = control.hasFont() ? control.font().logFont().lfHeight : 0;
    return (static_cast<int>(height < 0 ? -height : height) + 5) / 6 + 1;
}

// Device pixels as pixels at 96 DPI, rounded up: scaled back they cover them all.
int upToLogical(const TControl& control, int devicePixels) {
    const int dpi = control.dpi();
    return (devicePixels * 96 + dpi - 1) / dpi;
}

void autoSize(TControl& control) {
    std::string text = control.getControlText();
    SIZE size{0, 0};
    if (!text.empty()) {
        if (control.hasFont() && (control.font().fontStyle() & TGraphicTool::fsItalic))
            text += ' ';  // room for the slant
        control.getWindowHandle();
        size = control.canvas().textExtent(text);  // in the window's pixels
        // A context the canvas took from the window goes back to the system's cache of
        // common contexts: kept by every label of a large form, it used the cache up, and
        // each text drawn by any field of the program then had to ask the window server
        // for its visible region.
        control.canvas().setDCHandle(nullptr);
        size.cx += inkAllowance(control);
        size = SIZE{upToLogical(control, size.cx), upToLogical(control, size.cy)};
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

}  // namespace toolkit
