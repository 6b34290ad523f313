// The grammar of the texts that the edit field's numeric reader takes for numbers:
// an optional sign, a mantissa of digits with at most one point (not a lone point),
// whose integer part may be written in groups of three digits after a first of one to
// three ("1 000", with a blank or a no-break space), blanks, and an optional exponent
// ("e", blanks, an optional sign, blanks, digits).
#pragma once

#include <string_view>

#include "dataflow/TData.h"

namespace components {

// Whether s is a complete number; when it is, data becomes the real it reads as: the
// nearest double, an infinity beyond the double range, and for a number that is not 0
// but rounds to 0 the smallest double of its sign.
bool isNumberText(std::string_view s, dataflow::TData& data);

// Whether a text is a complete number as a field may show it: with a decimal comma or a
// point, an exponent after "e" or "E".
bool isShownNumber(std::string text);

}  // namespace components
