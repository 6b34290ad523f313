// The grammar of the texts that the edit field's numeric reader takes for numbers.
#include "components/logic/NumberGrammar.h"

#include <algorithm>
#include <limits>

#include "toolkit/text/NumberText.h"

namespace components {

using namespace dataflow;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isGroupSeparator(char c) { return c == ' ' || c == '\xA0'; }

// The value of a number text without blanks, honest at the ends of the double range: a
// number beyond it is an infinity (which a formula refuses as too large), one that is
// not 0 but nearer 0 than the smallest double is the smallest double, with its sign.
double honestValue(std::string_view number) {
    bool beyondRange = false;
    const double value = toolkit::textToReal(number, beyondRange);
    const bool negative = !number.empty() && number[0] == '-';
    if (beyondRange)
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    const std::string_view mantissa = number.substr(0, number.find('e'));
    if (value == 0 && mantissa.find_first_of("123456789") != std::string_view::npos)
        return negative ? -std::numeric_limits<double>::denorm_min()
                        : std::numeric_limits<double>::denorm_min();
    return value;
}

}  // namespace

bool isNumberText(std::string_view s, TData& data) {
    std::size_t i = 0;
    const auto skipDigits = [&] {
        while (i < s.size() && isDigit(s[i])) ++i;
    };
    const auto skipBlanks = [&] {
        while (i < s.size() && isBlank(s[i])) ++i;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    // The mantissa: digits, at most one point, not a lone point.
    const std::size_t mantissa = i;
    if (i >= s.size() || !(isDigit(s[i]) || s[i] == '.')) return false;
    skipDigits();
    // Digit groups: one to three digits, then groups of three after a blank or a no-break
    // space, as "1 000 000".
    if (i - mantissa <= 3)
        while (i + 3 < s.size() && isGroupSeparator(s[i]) && isDigit(s[i + 1]) && isDigit(s[i + 2]) &&
               isDigit(s[i + 3]) && (i + 4 == s.size() || !isDigit(s[i + 4])))
            i += 4;
    if (i < s.size() && s[i] == '.') {
        ++i;
        skipDigits();
    }
    if (i - mantissa == 1 && s[mantissa] == '.') return false;
    skipBlanks();
    if (i < s.size() && s[i] == 'e') {
        ++i;
        skipBlanks();
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        skipBlanks();
        if (i >= s.size() || !isDigit(s[i])) return false;
        skipDigits();
    }
    if (i != s.size()) return false;
    // The value is read without the blanks and group separators: the digits after them
    // would otherwise be lost ("1.5e - 3" would read as 1.5, "1 000" as 1).
    std::string compact;
    for (char c : s)
        if (!isBlank(c) && !isGroupSeparator(c)) compact.push_back(c);
    setReal(data, honestValue(compact));
    return true;
}

bool isShownNumber(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    std::replace(text.begin(), text.end(), 'E', 'e');
    TData value;
    return isNumberText(text, value);
}

}  // namespace components
