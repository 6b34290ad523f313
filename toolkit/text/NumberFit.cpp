#include "toolkit/text/NumberFit.h"

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

}  // namespace toolkit
