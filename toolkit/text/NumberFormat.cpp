#include "toolkit/text/NumberFormat.h"

#include <cmath>

#include "toolkit/text/NumberText.h"

namespace toolkit {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The parts of a plain decimal number text; false for any other text.
bool splitNumber(std::string_view text, std::string_view& sign, std::string_view& whole,
                 std::string_view& fraction) {
    const std::size_t signLength = !text.empty() && text[0] == '-' ? 1 : 0;
    std::size_t i = signLength;
    while (i < text.size() && isDigit(text[i])) ++i;
    if (i == signLength) return false;
    sign = text.substr(0, signLength);
    whole = text.substr(signLength, i - signLength);
    fraction = {};
    if (i == text.size()) return true;
    if (text[i] != '.') return false;
    const std::size_t point = i++;
    while (i < text.size() && isDigit(text[i])) ++i;
    fraction = text.substr(point + 1);
    return i == text.size();
}

// Whether digits cut off behind `kept` make it round up: above half, or exactly half
// with an odd last kept digit.
bool roundsUp(std::string_view kept, std::string_view dropped) {
    if (dropped.empty() || dropped[0] < '5') return false;
    if (dropped[0] > '5' || dropped.find_first_not_of('0', 1) != std::string_view::npos) return true;
    return !kept.empty() && (kept.back() - '0') % 2 != 0;
}

// Adds one unit in the last place of a digit string; a carry out of the first digit
// puts a "1" in front.
void increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The number rounded to `fractionDigits` places, its trailing fraction zeros dropped.
std::string roundedTo(std::string_view sign, std::string_view whole, std::string_view fraction,
                      std::size_t fractionDigits) {
    std::string digits(whole);
    digits.append(fraction.substr(0, fractionDigits));
    if (roundsUp(digits, fraction.substr(fractionDigits))) increment(digits);
    const std::size_t wholeLength = digits.size() - fractionDigits;
    std::size_t end = digits.size();
    while (end > wholeLength && digits[end - 1] == '0') --end;
    std::string text = digits.find_first_not_of('0') < end ? std::string(sign) : std::string();
    text.append(digits, 0, wholeLength);
    if (end > wholeLength) text.append(1, '.').append(digits, wholeLength, end - wholeLength);
    return text;
}

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

std::string fitNumberText(std::string_view text, std::size_t width) {
    std::string_view sign, whole, fraction;
    if (text.size() <= width || !splitNumber(text, sign, whole, fraction)) return std::string(text);
    const std::size_t wholeLength = sign.size() + whole.size();
    // Fraction digits that fit behind the integer part and the point. A carry into a new
    // integer digit leaves only zeros behind the point, which go, so the text grows only
    // when it has no fraction digits.
    const std::size_t fractionDigits = width > wholeLength + 1 ? width - wholeLength - 1 : 0;
    std::string fitted = roundedTo(sign, whole, fraction, fractionDigits);
    return fitted.size() <= width ? fitted : std::string(width, '-');
}

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
