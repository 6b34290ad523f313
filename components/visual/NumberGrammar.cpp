// The grammar of the texts that the edit field's numeric reader takes for numbers.
#include "components/visual/NumberGrammar.h"

#include "toolkit/text/NumberText.h"

namespace components {

using namespace dataflow;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

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
    // The value is read without the blanks: the exponent's digits would otherwise be
    // lost behind a blank ("1.5e - 3" would read as 1.5).
    std::string compact;
    for (char c : s)
        if (!isBlank(c)) compact.push_back(c);
    setReal(data, toolkit::textToReal(compact));
    return true;
}

}  // namespace components
