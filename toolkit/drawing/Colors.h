// Colours: 32-bit values in 0x00BBGGRR order, or, with the top bit set, the system colour
// whose index is the low byte.
#pragma once

#include <windows.h>

#include <cstdint>

namespace toolkit {

// The system colours that schemas and the toolkit name.
constexpr std::uint32_t clWindowText = 0x80000008;  // the default colour of a control's text
constexpr std::uint32_t clButtonFace = 0x8000000F;  // the default colour of a control
constexpr std::uint32_t clInfoText = 0x80000017;    // tooltips' text and background
constexpr std::uint32_t clInfoBackground = 0x80000018;
// The same colours with the whole top byte set, as schemas write them.
constexpr std::uint32_t clSysButtonFace = 0xFF00000F;
constexpr std::uint32_t clSysWindow = 0xFF000005;
constexpr std::uint32_t clSys3DLight = 0xFF000016;

COLORREF resolveColor(std::uint32_t color);

}  // namespace toolkit
