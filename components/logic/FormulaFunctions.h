// The functions of the formula language: a row each, with its name, the arguments it
// takes and what it computes from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace components::formula {

// The longest name a function may have.
constexpr std::size_t maxFunctionName = 8;

// A name of up to eight bytes as one number that orders as the names do: its bytes from
// the most significant down, zeros after its end. The table is searched by such numbers.
constexpr std::uint64_t packedName(std::string_view name) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < maxFunctionName; ++i)
        key = key << 8 | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
    return key;
}

// Declared only, and not constexpr: a row that calls it, one whose name is too long,
// does not compile.
void aFunctionNameHasAtMostEightBytes();

struct TFormulaFunction {
    enum Arguments : std::uint8_t {
        one,        // f(x)
        two,        // f(x, y)
        oneOrStep,  // f(x) or f(x, step); the step is 1 when not given
        oneOrMore,  // f(x, ...): each further argument is taken in by compute(kept, next)
    };
    using Compute = double (*)(double x, double y, const long double& angleFactor);

    consteval TFormulaFunction(std::string_view name, Arguments arguments, Compute compute)
        : name(packedName(name)), arguments(arguments), compute(compute) {
        if (name.size() > maxFunctionName) aFunctionNameHasAtMostEightBytes();
    }

    std::uint64_t name;  // packed
    Arguments arguments;
    // The value, computed in extended precision and rounded to 64 bits; not a number for
    // arguments outside the function's domain, which the evaluator, like any value that
    // is not finite, reports as a calculation error. angleFactor turns the function's
    // angles into radians (1, or pi / 180 for degrees); it comes by reference, as an
    // extended value by value would be copied through the stack at every call.
    Compute compute;
};

// The function of that name (lower-case), or none.
const TFormulaFunction* findFunction(std::string_view name);

}  // namespace components::formula
