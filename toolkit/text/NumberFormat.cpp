#include "toolkit/text/NumberFormat.h"

#include <cmath>
#include <cstdint>

#include "toolkit/text/NumberText.h"

namespace toolkit {

namespace {

// The decimal digits of a non-negative number, at least `width` of them.
std::string paddedDigits(std::int64_t n, std::size_t width) {
    std::string text = intToText(static_cast<std::int32_t>(n));
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

// The signed value of a digit string with a decimal separator placed `decimals` from
// its end.
std::string withSeparator(const std::string& digits, std::size_t decimals, char separator) {
    if (decimals == 0) return digits;
    return digits.substr(0, digits.size() - decimals) + separator + digits.substr(digits.size() - decimals);
}

}  // namespace

std::string formatSignificant(double value, int digits, char separator) {
    const long double low = integerPower(10.0L, digits - 1);
    const long double magnitude = std::fabs(static_cast<long double>(value));
    // The mantissa m of digits digits and the exponent e: the value is m * 10^(e - digits + 1).
    int e = magnitude > 0 ? static_cast<int>(std::floor(std::log10(magnitude))) : 0;
    long double scaled = magnitude / integerPower(10.0L, e - digits + 1);
    if (scaled >= low * 10) scaled = magnitude / integerPower(10.0L, ++e - digits + 1);  // log10 was low
    if (magnitude > 0 && scaled < low) scaled = magnitude / integerPower(10.0L, --e - digits + 1);
    std::int64_t mantissa = roundToInt64(scaled);
    if (mantissa == static_cast<std::int64_t>(low) * 10) {  // rounding carried into a new digit
        mantissa /= 10;
        ++e;
    }
    const std::string sign = value < 0 && mantissa != 0 ? "-" : "";
    const std::string mantissaDigits = paddedDigits(mantissa, static_cast<std::size_t>(digits));
    if (mantissa != 0 && e >= -3 && e <= 3) {
        const int decimals = digits - 1 - e;
        if (decimals <= 0)
            return sign + mantissaDigits + std::string(static_cast<std::size_t>(-decimals), '0');
        const std::string all =
            e >= 0 ? mantissaDigits : std::string(static_cast<std::size_t>(-e), '0') + mantissaDigits;
        return sign + withSeparator(all, static_cast<std::size_t>(decimals), separator);
    }
    const int exponent = mantissa != 0 ? e : 0;
    return sign + withSeparator(mantissaDigits, static_cast<std::size_t>(digits - 1), separator) + 'E' +
           (exponent < 0 ? '-' : '+') + paddedDigits(exponent < 0 ? -exponent : exponent, 2);
}

std::string formatFixed(double value, int decimals, char separator) {
    const std::int64_t n = roundToInt64(static_cast<long double>(value) * integerPower(10.0L, decimals));
    const std::string sign = n < 0 ? "-" : "";
    const std::string digits = paddedDigits(n < 0 ? -n : n, static_cast<std::size_t>(decimals) + 1);
    return sign + withSeparator(digits, static_cast<std::size_t>(decimals), separator);
}

}  // namespace toolkit
