// The functions of the formula language: a row each, with its name, the arguments it
// takes and what it computes from them.
#pragma once

#include <cstdint>
#include <string_view>

namespace components::formula {

struct TFormulaFunction {
    enum Arguments : std::uint8_t {
        one,        // f(x)
        two,        // f(x, y)
        oneOrStep,  // f(x) or f(x, step); the step is 1 when not given
        oneOrMore,  // f(x, ...): each further argument is taken in by compute(kept, next)
    };
    std::string_view name;
    Arguments arguments;
    // The value; not a number for arguments outside the function's domain, which the
    // evaluator, like any value that is not finite, reports as a calculation error.
    // angleFactor turns the function's angles into radians (1, or pi / 180 for degrees).
    long double (*compute)(double x, double y, long double angleFactor);
};

// The function of that name (lower-case), or none.
const TFormulaFunction* findFunction(std::string_view name);

}  // namespace components::formula
