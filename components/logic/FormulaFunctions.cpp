#include "components/logic/FormulaFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "toolkit/text/NumberText.h"

namespace components::formula {

namespace {

// A function's value is the 64-bit real its extended computation rounds to, as every
// value the evaluator hands on; returned so, it stays in a register through the call.
using Value = double;
using std::atan2, std::exp, std::log, std::sqrt, std::tan;
constexpr Value outsideDomain = std::numeric_limits<double>::quiet_NaN();

// x / step rounded by the given rule, times the step again; none beyond 64-bit integers.
template <class Rule>
Value inSteps(long double x, long double step, Rule rule) {
    const long double n = rule(x / step);
    if (!toolkit::fitsInt64(n)) return outsideDomain;
    return static_cast<Value>(static_cast<long double>(static_cast<std::int64_t>(n)) * step);
}

// Functions of the argument alone take the 64-bit library function: it is as accurate
// as the 64-bit result and many times faster than the extended one. The others compute
// in extended precision. Sorted by name, for a binary search.
constexpr std::array<TFormulaFunction, 30> functions = {{
    {"abs", TFormulaFunction::one, [](double x, double, const long double&) -> Value { return std::fabs(x); }},
    {"arcch", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         if (x < 1.0) return outsideDomain;
         const long double X = x;
         return log(X + sqrt(X * X - 1.0L));
     }},
    {"arccos", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value {
         if (x > 1.0 || x < -1.0) return outsideDomain;
         const long double X = x;
         return atan2(sqrt(1.0L - X * X), X) / K;
     }},
    {"arcctg", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value { return atan2(1.0L, static_cast<long double>(x)) / K; }},
    {"arccth", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         if (x >= -1.0 && x <= 1.0) return outsideDomain;
         const long double X = x;
         return log((X + 1.0L) / (X - 1.0L)) / 2.0L;
     }},
    {"arcsh", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         const long double X = x;
         return log(X + sqrt(X * X + 1.0L));
     }},
    {"arcsin", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value {
         if (x > 1.0 || x < -1.0) return outsideDomain;
         const long double X = x;
         return atan2(X, sqrt(1.0L - X * X)) / K;
     }},
    {"arctg", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value { return atan2(static_cast<long double>(x), 1.0L) / K; }},
    {"arcth", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         if (x >= 1.0 || x <= -1.0) return outsideDomain;
         const long double X = x;
         return log((1.0L + X) / (1.0L - X)) / 2.0L;
     }},
    {"atan", TFormulaFunction::two,
     [](double x, double y, const long double& K) -> Value {
         return atan2(static_cast<long double>(x), static_cast<long double>(y)) / K;
     }},
    {"ch", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         const long double t = exp(static_cast<long double>(x));
         return (t + 1.0L / t) / 2.0L;
     }},
    {"cos", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value { return std::cos(static_cast<long double>(x) * K); }},
    {"ctg", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value {
         const long double angle = static_cast<long double>(x) * K;
         if (std::sin(angle) == 0.0L) return outsideDomain;
         return 1.0L / tan(angle);
     }},
    {"cth", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         if (x == 0.0) return outsideDomain;
         const long double t = exp(2.0L * static_cast<long double>(x));
         return (t + 1.0L) / (t - 1.0L);
     }},
    {"exp", TFormulaFunction::one, [](double x, double, const long double&) -> Value { return exp(x); }},
    {"frac", TFormulaFunction::oneOrStep,
     [](double x, double step, const long double&) -> Value {
         const long double q = static_cast<long double>(x) / step;
         return (q - std::trunc(q)) * step;
     }},
    {"lg", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         if (x <= 0.0) return outsideDomain;
         return log(static_cast<long double>(x)) / log(10.0L);
     }},
    {"ln", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         if (x <= 0.0) return outsideDomain;
         return log(x);
     }},
    {"log", TFormulaFunction::two,  // log(b, x): the logarithm of x to base b
     [](double b, double x, const long double&) -> Value {
         if (b <= 0.0 || x <= 0.0) return outsideDomain;
         return log(static_cast<long double>(x)) / log(static_cast<long double>(b));
     }},
    {"max", TFormulaFunction::oneOrMore,  // of equal arguments the earlier one wins
     [](double kept, double next, const long double&) -> Value { return next > kept ? next : kept; }},
    {"min", TFormulaFunction::oneOrMore,
     [](double kept, double next, const long double&) -> Value { return next < kept ? next : kept; }},
    {"round", TFormulaFunction::oneOrStep,
     [](double x, double step, const long double&) -> Value {
         return inSteps(x, step, [](long double q) { return std::rint(q); });
     }},
    {"sh", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         const long double t = exp(static_cast<long double>(x));
         return (t - 1.0L / t) / 2.0L;
     }},
    {"sign", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value { return x < 0.0   ? -1.0
                                                         : x > 0.0 ? 1.0
                                                                   : x; }},
    {"sin", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value { return std::sin(static_cast<long double>(x) * K); }},
    {"sqr", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         const long double X = x;
         return X * X;
     }},
    {"sqrt", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         if (x < 0.0) return outsideDomain;
         return sqrt(x);
     }},
    {"tg", TFormulaFunction::one,
     [](double x, double, const long double& K) -> Value {
         const long double angle = static_cast<long double>(x) * K;
         if (std::cos(angle) == 0.0L) return outsideDomain;
         return tan(angle);
     }},
    {"th", TFormulaFunction::one,
     [](double x, double, const long double&) -> Value {
         const long double t = exp(2.0L * static_cast<long double>(x));
         return (t - 1.0L) / (t + 1.0L);
     }},
    {"trunc", TFormulaFunction::oneOrStep,
     [](double x, double step, const long double&) -> Value {
         return inSteps(x, step, [](long double q) { return std::trunc(q); });
     }},
}};

static_assert(std::is_sorted(functions.begin(), functions.end(),
                             [](const TFormulaFunction& a, const TFormulaFunction& b) {
                                 return a.name < b.name;
                             }));

}  // namespace

const TFormulaFunction* findFunction(std::string_view name) {
    if (name.size() > maxFunctionName) return nullptr;
    const std::uint64_t key = packedName(name);
    const auto found =
        std::lower_bound(functions.begin(), functions.end(), key,
                         [](const TFormulaFunction& f, std::uint64_t k) { return f.name < k; });
    return found != functions.end() && found->name == key ? &*found : nullptr;
}

}  // namespace components::formula
