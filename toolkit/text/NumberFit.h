// A number text fitted into the cells of a display.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toolkit {

// A plain decimal number text (an optional "-", digits, an optional point and digits,
// as realToText writes it) fitted into at most `width` characters: the fraction digits
// that do not fit go and the rest is rounded to nearest, ties to the even neighbour;
// zeros that end the fraction go too. A number whose integer part does not fit gives
// `width` hyphens. A text that fits, or that is no such number, comes back unchanged.
std::string fitNumberText(std::string_view text, std::size_t width);

}  // namespace toolkit
