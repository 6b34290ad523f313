// Locale-independent conversion between numbers and text.
//
// The decimal separator is always the full stop, no thousands separators are read or
// written, and real numbers are written in plain positional notation with at most 15
// significant digits. No routine fails: every input yields a value.
#pragma once

#include <cfloat>
#include <cstdint>
#include <string>
#include <string_view>

static_assert(sizeof(long double) >= 10 && LDBL_MANT_DIG == 64,
              "long double must be the 80-bit extended type");

namespace toolkit {

// Decimal text of a signed 32-bit integer ("-2147483648" included).
std::string intToText(std::int32_t value);

// Optional sign ("-" or "+"), then decimal digits up to the first other character.
// Leading blanks are not skipped; overflow wraps in 32 bits.
std::int32_t textToInt(std::string_view text);
std::int32_t textToIntZ(const char* text);

// Optional "$", then hexadecimal digits up to the first other character, in 32 bits.
std::int32_t hexToInt(std::string_view text);

// Plain text of a real with up to 15 significant digits, never with an exponent.
std::string realToText(double value);
std::string extendedToText(long double value);

// Lenient reading of a real: digits, one point and an optional exponent; a leading
// "-" negates, every other character is skipped. The result is the double nearest to
// the decimal number read; one beyond the double range gives the largest double
// (beyondRange tells so), one below half the smallest subnormal gives 0.
double textToReal(std::string_view text);
double textToReal(std::string_view text, bool& beyondRange);

// base to the power n in extended precision, by squaring.
long double integerPower(long double base, std::int32_t n);

// Copy with the Latin capitals A-Z folded to a-z; every other byte is kept.
std::string lowerCase(std::string_view text);

// Rounds to the nearest integer, ties to the even neighbour. A value outside the
// 64-bit range (or NaN) gives the integer-indefinite value INT64_MIN, as the FPU does.
std::int64_t roundToInt64(long double value);

// Whether an integral value is representable as a signed 64-bit integer.
bool fitsInt64(long double integral);

// The low 32 bits of roundToInt64: how reals become 32-bit integers everywhere.
std::int32_t roundToInt32(long double value);

}  // namespace toolkit
