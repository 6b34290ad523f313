#include "toolkit/drawing/Colors.h"

namespace toolkit {

COLORREF resolveColor(std::uint32_t color) {
    return (color & 0x80000000u) ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

}  // namespace toolkit
