#include "components/visual/TZTLabel.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/drawing/TGraphicTool.h"

namespace components {

TZTLabel::TZTLabel(TControl* parentControl) : TZTWin(parentControl) {
    control = TControl::newLabel(parentControl, "");
    control->onClick = [this](TControl&) { dataflow::fireEventNull(onClick); };
}

void TZTLabel::setTextAlign(TTextAlign alignment) {
    // The alignment is the static's type, a field of its own in the style: it is replaced
    // whole (OR-ing right or centre into the no-wrap left type gives the owner-drawn and
    // bitmap types, which draw no text). Left keeps the type the label is created with,
    // and any other value counts as left.
    static constexpr DWORD types[] = {SS_LEFTNOWORDWRAP, SS_RIGHT, SS_CENTER};
    const DWORD type = types[alignment <= taCenter ? alignment : taLeft];
    control->setStyle((control->style() & ~DWORD{SS_TYPEMASK}) | type);
}

void TZTLabel::init() {
    if (centredVertically) control->setStyle(control->style() | SS_CENTERIMAGE);
    TZTWin::init();
    control->setControlText(caption);
    if (hoverColor != 0 || hoverUnderline) {
        control->setOnMouseEnter([this](TControl&) { mouseEnter(); });
        control->setOnMouseLeave([this](TControl&) { mouseLeave(); });
    }
}

void TZTLabel::mouseEnter() {
    TZTWin::mouseEnter();
    toolkit::TGraphicTool& f = control->font();
    if (hoverColor != 0) f.setColor(hoverColor);
    if (hoverUnderline) f.setFontStyle(f.fontStyle() | toolkit::TGraphicTool::fsUnderline);
    control->applyFont();
}

void TZTLabel::mouseLeave() {
    TZTWin::mouseLeave();
    toolkit::TGraphicTool& f = control->font();
    if (hoverColor != 0) f.setColor(font.fontColor);  // the colour given, not the one before
    if (hoverUnderline) f.setFontStyle(f.fontStyle() & ~toolkit::TGraphicTool::fsUnderline);
    control->applyFont();
}

void TZTLabel::doText(TData& data, std::uint16_t) {
    caption = dataflow::toString(data);
    control->setControlText(caption);
}

void TZTLabel::text(TData& data, std::uint16_t) { dataflow::setString(data, caption); }

void TZTLabel::doColor(TData& data, std::uint16_t) {
    control->setColor(static_cast<std::uint32_t>(dataflow::toInteger(data)));
    control->invalidate();
}

}  // namespace components
