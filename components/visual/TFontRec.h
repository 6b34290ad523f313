// The font description of components, as the application class writes it.
#pragma once

#include <cstdint>
#include <string>

namespace components {

struct TFontRec {
    std::string fontName;          // face name, Windows-1251
    std::uint8_t fontSize = 0;     // points
    std::uint8_t fontStyle = 0;    // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    std::uint32_t fontColor = 0;   // colour value; top bit set: a system colour
    std::uint8_t fontCharset = 0;  // 1: the default character set
};

}  // namespace components
