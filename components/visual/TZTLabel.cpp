#include "components/visual/TZTLabel.h"

#include "dataflow/EventDispatch.h"
#include "toolkit/TGraphicTool.h"

namespace components {

TZTLabel::TZTLabel(TControl* parentControl) : TZTWin(parentControl) {
    control = TControl::newLabel(parentControl, "");
    control->onClick = [this](TControl&) { dataflow::fireEventNull(onClick); };
}

void TZTLabel::setTextAlign(std::uint8_t code) {
    static constexpr DWORD alignments[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
    const DWORD alignmentBits = SS_RIGHT | SS_CENTER;
    control->setStyle((control->style() & ~alignmentBits) | alignments[code % 3]);
}

void TZTLabel::init() {
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

}  // namespace components
