// Numbers as a window shows them, read by the tests on their own (not with the program's
// reader): a field's number, and whether a shown result is a value rounded for showing.
#pragma once

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace testsupport {

// The number a numeric field's text is: an optional sign, digits with at most one point
// (or a decimal comma), not a lone point, an optional exponent; blanks and no-break
// spaces (between digit groups, the mantissa and the exponent's digits) count for
// nothing. None for any other text.
inline std::optional<long double> shownNumber(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\xA0') continue;
        s.push_back(c == ',' ? '.' : c == 'E' ? 'e' : c);
    }
    std::size_t i = 0, digits = 0;
    const auto skipDigits = [&] {
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++digits;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    skipDigits();
    if (i < s.size() && s[i] == '.') ++i;
    skipDigits();
    if (digits == 0) return std::nullopt;
    if (i < s.size() && s[i] == 'e') {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t exponent = digits;
        skipDigits();
        if (digits == exponent) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    return std::strtold(s.c_str(), nullptr);
}

// Whether a shown text (a comma or a point for the decimal separator, an exponent after
// "E") is the value rounded to the digits it shows: within half a unit of its last
// digit, and the given share of the value more, for the rounding steps of the program's
// own arithmetic (64-bit reals between its steps).
inline bool showsRounded(const std::string& shown, long double value, long double slack) {
    std::string s = shown;
    for (char& c : s)
        if (c == ',') c = '.';
    char* end = nullptr;
    const long double read = std::strtold(s.c_str(), &end);
    if (s.empty() || *end != '\0') return false;
    const std::size_t e = s.find_first_of("Ee");
    const std::string mantissa = s.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    const int exponent = e == std::string::npos ? 0 : std::atoi(s.c_str() + e + 1);
    const long double unit = std::pow(10.0L, static_cast<long double>(exponent - decimals));
    return std::fabs(read - value) <= unit / 2 * (1 + 1e-9L) + std::fabs(value) * slack;
}

}  // namespace testsupport
