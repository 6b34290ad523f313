// The font description of components, as the application class writes it; components
// of both kinds carry one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace components {

struct TFontRec {
    // fontStyle bits.
    static constexpr std::uint8_t fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;
    // fontCharset: the default character set.
    static constexpr std::uint8_t defaultCharset = 1;

    std::string fontName;          // face name, Windows-1251
    std::uint8_t fontSize = 0;     // points
    std::uint8_t fontStyle = 0;    // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    std::uint32_t fontColor = 0;   // colour value; top bit set: a system colour
    std::uint8_t fontCharset = 0;  // 1: the default character set
};

// A font of the given face and size in points, in the default character set.
inline TFontRec fontOf(std::string_view name, std::uint8_t size, std::uint8_t style = 0,
                       std::uint32_t color = 0) {
    return TFontRec{std::string(name), size, style, color, TFontRec::defaultCharset};
}

}  // namespace components
