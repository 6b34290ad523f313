// Numbers as text for people: with significant digits, or with fixed decimals.
#pragma once

#include <string>

namespace toolkit {

// A value with `digits` significant digits (1 to 9), rounded to nearest, ties to the even
// neighbour. Plain where the rounded value is at least 0.001 and below 10000, its zeros
// kept ("1,000", "0,06266", "2533"); otherwise in exponent form ("1,592E-05",
// "2,533E+04"), which is what a spreadsheet reads as a number. `separator` is the
// decimal separator.
std::string formatSignificant(double value, int digits, char separator);

// A value with `decimals` digits after the separator, rounded likewise ("124,0", "-6,0";
// never a negative zero).
std::string formatFixed(double value, int decimals, char separator);

}  // namespace toolkit
