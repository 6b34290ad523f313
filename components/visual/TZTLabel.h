// A fixed line of text that reports clicks and can change its colour and underline
// its text while the mouse is over it.
#pragma once

#include <cstdint>
#include <string>

#include "components/visual/TZTWin.h"

namespace components {

class TZTLabel : public TZTWin {
public:
    explicit TZTLabel(TControl* parentControl);

    std::string caption;
    std::uint32_t hoverColor = 0;  // 0: no change
    bool hoverUnderline = false;
    TEventLink onClick;

    void setAutoSize(bool on) { control->setAutoSize(on); }
    void setTextAlign(TTextAlign alignment);

    void init() override;

protected:
    void mouseEnter() override;
    void mouseLeave() override;
};

}  // namespace components
