// Fuzz target: the number readers on arbitrary bytes, and the number writer on the
// double that the first eight bytes make. Findings: a sanitizer report, a reading that
// is not finite, a written text outside the output rules, or a reading that differs
// from the C library's correctly rounded strtod.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "toolkit/text/NumberText.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// strtod of a text, its infinities saturated as textToReal saturates them.
double libraryReading(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isinf(value) ? std::copysign(std::numeric_limits<double>::max(), value) : value;
}

void expectLibraryReading(std::string_view text) {
    const double ours = toolkit::textToReal(text);
    const double library = libraryReading(std::string(text));
    if (std::memcmp(&ours, &library, sizeof ours) != 0) std::abort();
}

// A plain decimal text as both readers read it alike: an optional sign, digits with
// at most one point, and an optional exponent of any length.
bool isPlainDecimal(std::string_view s) {
    std::size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    for (; i < s.size() && isDigit(s[i]); ++i) ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(s[i]); ++i) ++digits;
    if (digits == 0) return false;
    if (i == s.size()) return true;
    if (s[i] != 'e' && s[i] != 'E') return false;
    if (++i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    const std::size_t exponentStart = i;
    for (; i < s.size() && isDigit(s[i]); ++i) {
    }
    return i == s.size() && i > exponentStart;
}

// What realToText writes: no exponent, at most 15 significant digits, no trailing
// fractional zero or point, and a text that reads back as strtod reads it.
void checkWritten(double x) {
    const std::string text = toolkit::realToText(x);
    std::size_t points = 0, first = std::string::npos, last = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            ++points;
        } else if (c == '-') {
            if (i != 0) std::abort();
        } else if (!isDigit(c)) {
            std::abort();  // an exponent or anything else
        } else if (c != '0') {
            if (first == std::string::npos) first = i;
            last = i;
        }
    }
    if (points > 1) std::abort();
    if (first != std::string::npos) {
        std::size_t significant = last - first + 1;
        if (text.find('.', first) < last) --significant;
        if (significant > 15) std::abort();
    }
    if (points == 1 && (text.back() == '0' || text.back() == '.')) std::abort();
    expectLibraryReading(text);
    // The text is x to fifteen significant digits: read back, within half a unit of the
    // fifteenth (a little more for the scaling's arithmetic) and the double's own
    // spacing. None of the fifteen is lost.
    if (x != 0) {
        const long double magnitude = std::fabs(static_cast<long double>(x));
        const long double unit = std::pow(10.0L, std::floor(std::log10(magnitude)) - 14);
        const long double spacing = std::fabs(std::nextafter(x, 2 * x) - x);
        const long double error = std::fabs(static_cast<long double>(toolkit::textToReal(text)) - x);
        if (error > 0.5001L * unit + spacing) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!std::isfinite(toolkit::textToReal(text))) std::abort();
    (void)toolkit::textToInt(text);
    (void)toolkit::hexToInt(text);
    if (isPlainDecimal(text)) expectLibraryReading(text);
    if (size >= sizeof(double)) {
        double x;
        std::memcpy(&x, data, sizeof x);
        if (std::isfinite(x)) checkWritten(x);
    }
    return 0;
}
