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
    bool centredVertically = false;  // a line of text in the middle of a taller label
    TEventLink onClick;

    void setAutoSize(bool on) { control->setAutoSize(on); }
    void setTextAlign(TTextAlign alignment);

    void init() override;
    // Input methods: the value that comes, as text, becomes the caption; as an integer
    // (a colour value), the background colour.
    void doText(TData& data, std::uint16_t index);
    void doColor(TData& data, std::uint16_t index);
    // Data point: the caption.
    void text(TData& data, std::uint16_t index);
    using DataPoints = dataflow::TDataPoints<&TZTLabel::text>;

protected:
    void mouseEnter() override;
    void mouseLeave() override;
};

}  // namespace components
