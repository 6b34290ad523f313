// Fuzz target: the numeric reader's grammar against a second, independent statement
// of it as a state machine. Findings: a text that one accepts and the other refuses, a
// stored value other than the reading of the text without its blanks, a refused text
// that changed the value, or a sanitizer report.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "components/visual/NumberGrammar.h"
#include "toolkit/text/NumberText.h"

namespace {

enum State {
    start,
    sign,
    integer,
    lonePoint,
    fraction,
    blanks,
    exponentMark,
    exponentSign,
    exponent,
    refused
};

State next(State state, char c) {
    const bool digit = c >= '0' && c <= '9', blank = c == ' ' || c == '\t', plusMinus = c == '+' || c == '-';
    switch (state) {
        case start: return plusMinus ? sign : digit ? integer : c == '.' ? lonePoint : refused;
        case sign: return digit ? integer : c == '.' ? lonePoint : refused;
        case integer:
            return digit ? integer : c == '.' ? fraction : blank ? blanks : c == 'e' ? exponentMark : refused;
        case lonePoint: return digit ? fraction : refused;
        case fraction: return digit ? fraction : blank ? blanks : c == 'e' ? exponentMark : refused;
        case blanks: return blank ? blanks : c == 'e' ? exponentMark : refused;
        case exponentMark:
            return blank ? exponentMark : plusMinus ? exponentSign : digit ? exponent : refused;
        case exponentSign: return blank ? exponentSign : digit ? exponent : refused;
        case exponent: return digit ? exponent : refused;
        default: return refused;
    }
}

bool accepts(std::string_view s) {
    State state = start;
    for (char c : s) state = next(state, c);
    return state == integer || state == fraction || state == blanks || state == exponent;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    dataflow::TData value;
    dataflow::setInteger(value, 12345);
    const bool accepted = components::isNumberText(text, value);
    if (accepted != accepts(text)) std::abort();
    if (!accepted) {
        if (value.dataType != dataflow::dataInt || value.intValue != 12345) std::abort();
        return 0;
    }
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t') compact.push_back(c);
    bool beyondRange = false;
    double expected = toolkit::textToReal(compact, beyondRange);
    const double sign = compact[0] == '-' ? -1.0 : 1.0;
    if (beyondRange) expected = sign * std::numeric_limits<double>::infinity();
    const std::string mantissa = compact.substr(0, compact.find('e'));
    if (expected == 0 && mantissa.find_first_of("123456789") != std::string::npos)
        expected = sign * std::numeric_limits<double>::denorm_min();
    if (value.dataType != dataflow::dataReal ||
        std::memcmp(&value.realValue, &expected, sizeof expected) != 0)
        std::abort();
    return 0;
}
