// The formula component's calculate against muparser: (a) setting the expression and
// evaluating, as our evaluator reads the text every time, and (b) evaluating an
// expression muparser has already compiled.
#include <benchmark/benchmark.h>

#include <muParser.h>

#include "components/logic/TZTMathParse.h"
#include "dataflow/EventDispatch.h"

using namespace components;
using namespace dataflow;

namespace {

const char* const converterFormula = "0.000001* exp( %1 * 0.1151292546 ) ";
const char* const converterMuparser = "0.000001* exp( a * 0.1151292546 ) ";
const char* const longFormula =
    "sqrt(%1*%1 + %2*%2) * sin(%1 * pi / 180) + max(%1, %2, 3) / (1 + exp(-%2)) + "
    "abs(%1 - %2) + ln(%2) + (%1 > %2) * 2";
const char* const longMuparser =
    "sqrt(a*a + b*b) * sin(a * _pi / 180) + max(a, b, 3) / (1 + exp(-b)) + "
    "abs(a - b) + ln(b) + (a > b) * 2";

struct Level {
    double value = 0.0;
    void point(TData& data, std::uint16_t) { setReal(data, value); }
    using DataPoints = TDataPoints<&Level::point>;
};

void runOurs(benchmark::State& state, const char* formula) {
    enableEvents();
    Level a{120.0}, b{35.5};
    TZTMathParse parse;
    parse.setArgumentCount(2);
    parse.setFormula(formula);
    parse.resultType = TZTMathParse::rtReal;
    parse.setDefaultValue(0.0);
    parse.setAngleMode(TZTMathParse::amRadians);
    parse.arguments[0] = makeDataLink<&Level::point>(a);
    parse.arguments[1] = makeDataLink<&Level::point>(b);
    for (auto _ : state) {
        TData data;
        parse.calculate(data, 0);
        benchmark::DoNotOptimize(data.realValue);
    }
    disableEvents();
}

void runMuparser(benchmark::State& state, const char* formula, bool compileEveryTime) {
    double a = 120.0, b = 35.5;
    mu::Parser parser;
    parser.DefineVar("a", &a);
    parser.DefineVar("b", &b);
    parser.SetExpr(formula);
    for (auto _ : state) {
        if (compileEveryTime) parser.SetExpr(formula);
        benchmark::DoNotOptimize(parser.Eval());
    }
}

void BM_ours_converter(benchmark::State& s) { runOurs(s, converterFormula); }
void BM_muparser_set_and_eval_converter(benchmark::State& s) { runMuparser(s, converterMuparser, true); }
void BM_muparser_eval_converter(benchmark::State& s) { runMuparser(s, converterMuparser, false); }
void BM_ours_long(benchmark::State& s) { runOurs(s, longFormula); }
void BM_muparser_set_and_eval_long(benchmark::State& s) { runMuparser(s, longMuparser, true); }
void BM_muparser_eval_long(benchmark::State& s) { runMuparser(s, longMuparser, false); }

BENCHMARK(BM_ours_converter);
BENCHMARK(BM_muparser_set_and_eval_converter);
BENCHMARK(BM_muparser_eval_converter);
BENCHMARK(BM_ours_long);
BENCHMARK(BM_muparser_set_and_eval_long);
BENCHMARK(BM_muparser_eval_long);

}  // namespace
