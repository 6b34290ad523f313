#include "toolkit/text/NumberText.h"

#include "toolkit/text/TDecimal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace toolkit {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigitValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Writes the digits of an unsigned value from the end of a buffer; returns the first.
char* writeDigitsBackwards(std::uint64_t value, char* end) {
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

// The exponent of a number text: a sign and digits, as textToInt reads them, but held
// at a bound far beyond any double's range instead of wrapping, so that an exponent of
// any length saturates the reading.
std::int64_t readExponent(std::string_view text) {
    constexpr std::int64_t bound = std::int64_t{1} << 40;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    std::int64_t exponent = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        exponent = std::min(exponent * 10 + (text[i] - '0'), bound);
    return negative ? -exponent : exponent;
}

}  // namespace

std::string intToText(std::int32_t value) {
    char buffer[12];
    char* const end = buffer + sizeof buffer;
    // The negation is unsigned, so the most negative value keeps all its digits.
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) magnitude = 0u - magnitude;
    char* first = writeDigitsBackwards(magnitude, end);
    if (value < 0) *--first = '-';
    return std::string(first, end);
}

std::int32_t textToInt(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    } else if (!text.empty() && text[0] == '+') {
        i = 1;
    }
    std::uint32_t result = 0;  // unsigned, so overflow wraps as defined
    for (; i < text.size() && isDigit(text[i]); ++i)
        result = result * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative) result = 0u - result;
    return static_cast<std::int32_t>(result);
}

std::int32_t textToIntZ(const char* text) { return text ? textToInt(std::string_view(text)) : 0; }

std::int32_t hexToInt(std::string_view text) {
    std::size_t i = (!text.empty() && text[0] == '$') ? 1 : 0;
    std::uint32_t result = 0;
    for (; i < text.size(); ++i) {
        const int digit = hexDigitValue(text[i]);
        if (digit < 0) break;
        result = (result << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(result);
}

// Squares the base for each bit of the exponent, multiplying the result by it where the
// bit is set: some 31 steps at most, where one factor after another could take two
// billion.
long double integerPower(long double base, std::int32_t n) {
    if (n == 0) return 1.0L;
    std::uint32_t m = static_cast<std::uint32_t>(n);
    if (n < 0) {
        base = 1.0L / base;
        m = 0u - m;
    }
    long double result = 1.0L;
    while (m != 0) {
        if (m & 1u) result *= base;
        m >>= 1;
        if (m != 0) base *= base;
    }
    return result;
}

double textToReal(std::string_view text) {
    bool beyondRange = false;
    return textToReal(text, beyondRange);
}

double textToReal(std::string_view text, bool& beyondRange) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    }
    // The lenient scan collects the digits and the exponent; the value is then the
    // double nearest to the decimal number they make.
    TDecimal decimal;
    bool pointPassed = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            decimal.addDigit(static_cast<unsigned>(c - '0'), pointPassed);
        } else if (c == '.') {
            if (pointPassed) break;
            pointPassed = true;
        } else if (c == 'E' || c == 'e') {
            decimal.scale(readExponent(text.substr(i + 1)));
            break;
        }
        // any other character is skipped
    }
    // Texts beyond the double range saturate, so no infinity ever leaves here.
    const double value = decimal.nearestDouble(beyondRange);
    return negative ? -value : value;
}

namespace {

// Scales x into the band from which rounding gives 15 digits; returns the number
// of digits before the decimal point (x = 0.M * 10^digitExponent).
int scaleToFifteenDigits(long double& x, std::uint64_t& mantissa) {
    int digitExponent = 15;
    bool multiplied = false;
    while (x < 5e12L) {
        x *= 10.0L;
        --digitExponent;
        multiplied = true;
    }
    if (!multiplied) {
        while (x >= 1e13L) {
            x /= 10.0L;
            ++digitExponent;
        }
    }
    for (;;) {
        mantissa = static_cast<std::uint64_t>(roundToInt64(x));
        if (mantissa >= 100000000000000ull) break;  // a digit at 10^14 or above
        x *= 10.0L;
        --digitExponent;
    }
    if (x < 1e14L) {
        // The rounding carried into the fifteenth digit (99999999999999.6 became 10^14):
        // the fifteen digits are those of the next scale, where only a carry past the
        // last nine leaves 10^14 again.
        x *= 10.0L;
        --digitExponent;
        mantissa = static_cast<std::uint64_t>(roundToInt64(x));
        if (mantissa >= 1000000000000000ull) {
            mantissa /= 10;
            ++digitExponent;
        }
    }
    return digitExponent;
}

void trimFractionZeros(std::string& text, std::size_t first) {
    while (text.size() > first + 1 && text.back() == '0') text.pop_back();
    if (text.size() > first + 1 && text.back() == '.') text.pop_back();
}

}  // namespace

std::string extendedToText(long double x) {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
    if (x == 0.0L) return "0";

    std::string text;
    text.reserve(32);
    const bool negative = x < 0;
    if (negative) text.push_back('-');
    x = std::fabs(x);

    std::uint64_t mantissa = 0;
    const int digitExponent = scaleToFifteenDigits(x, mantissa);
    char digits[20];
    char* const end = digits + sizeof digits;
    const std::string_view m(writeDigitsBackwards(mantissa, end), 15);

    const std::size_t first = text.size();
    if (digitExponent <= 0) {
        text.append("0.");
        text.append(static_cast<std::size_t>(-digitExponent), '0');
        text.append(m);
    } else if (digitExponent < 15) {
        text.append(m.substr(0, static_cast<std::size_t>(digitExponent)));
        text.push_back('.');
        text.append(m.substr(static_cast<std::size_t>(digitExponent)));
    } else {
        // Large integers keep their zeros: no trimming.
        text.append(m);
        text.append(static_cast<std::size_t>(digitExponent) - 15, '0');
        return text;
    }
    trimFractionZeros(text, first);
    return text;
}

std::string realToText(double value) { return extendedToText(static_cast<long double>(value)); }

std::string lowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

bool fitsInt64(long double integral) {
    constexpr long double limit = 0x1p63L;
    return integral >= -limit && integral < limit;  // false for NaN too
}

std::int64_t roundToInt64(long double value) {
    const long double rounded = std::rint(value);  // current mode: nearest, ties to even
    if (!fitsInt64(rounded)) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

std::int32_t roundToInt32(long double value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(roundToInt64(value)));
}

}  // namespace toolkit
