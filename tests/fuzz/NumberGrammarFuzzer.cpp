// Fuzz target: the numeric reader's grammar against a second, independent statement
// of it as a (nondeterministic) state machine. Findings: a text that one accepts and the other refuses, a
// stored value other than the reading of the text without its blanks, a refused text
// that changed the value, or a sanitizer report.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "components/logic/NumberGrammar.h"
#include "toolkit/text/NumberText.h"

namespace {

// A nondeterministic machine: a blank after one to three digits may begin a group of
// three digits or the blanks before an exponent, so the machine follows every reading.
enum State {
    start,
    sign,
    integer1,  // the first one to three digits, which may be followed by groups
    integer2,
    integer3,
    integer,  // more digits: no groups
    groupSeparator,
    group1,
    group2,
    group3,  // a whole group: another may follow
    lonePoint,
    fraction,
    blanks,
    exponentMark,
    exponentSign,
    exponent,
    states
};
using StateSet = unsigned;
constexpr StateSet one(State s) { return 1u << s; }

StateSet next(State state, char c) {
    const bool digit = c >= '0' && c <= '9', blank = c == ' ' || c == '\t', plusMinus = c == '+' || c == '-';
    const bool separator = c == ' ' || c == '\xA0';
    // What may follow the integer part of the mantissa.
    const auto afterInteger = [&](StateSet groups) -> StateSet {
        if (c == '.') return one(fraction);
        if (c == 'e') return one(exponentMark);
        return (blank ? one(blanks) : 0) | (separator ? groups : 0);
    };
    switch (state) {
        case start: return plusMinus ? one(sign) : digit ? one(integer1) : c == '.' ? one(lonePoint) : 0;
        case sign: return digit ? one(integer1) : c == '.' ? one(lonePoint) : 0;
        case integer1: return digit ? one(integer2) : afterInteger(one(groupSeparator));
        case integer2: return digit ? one(integer3) : afterInteger(one(groupSeparator));
        case integer3: return digit ? one(integer) : afterInteger(one(groupSeparator));
        case integer: return digit ? one(integer) : afterInteger(0);
        case groupSeparator: return digit ? one(group1) : 0;
        case group1: return digit ? one(group2) : 0;
        case group2: return digit ? one(group3) : 0;
        case group3: return digit ? 0 : afterInteger(one(groupSeparator));
        case lonePoint: return digit ? one(fraction) : 0;
        case fraction: return digit ? one(fraction) : blank ? one(blanks) : c == 'e' ? one(exponentMark) : 0;
        case blanks: return blank ? one(blanks) : c == 'e' ? one(exponentMark) : 0;
        case exponentMark:
            return blank ? one(exponentMark) : plusMinus ? one(exponentSign) : digit ? one(exponent) : 0;
        case exponentSign: return blank ? one(exponentSign) : digit ? one(exponent) : 0;
        case exponent: return digit ? one(exponent) : 0;
        default: return 0;
    }
}

bool accepts(std::string_view s) {
    StateSet current = one(start);
    for (char c : s) {
        StateSet following = 0;
        for (int state = 0; state < states; ++state)
            if (current & one(State(state))) following |= next(State(state), c);
        current = following;
    }
    constexpr StateSet accepting = one(integer1) | one(integer2) | one(integer3) | one(integer) |
                                   one(group3) | one(fraction) | one(blanks) | one(exponent);
    return (current & accepting) != 0;
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
        if (c != ' ' && c != '\t' && c != '\xA0') compact.push_back(c);
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
