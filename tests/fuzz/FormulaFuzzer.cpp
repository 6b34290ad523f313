// Fuzz target: evaluates arbitrary formula bytes on a formula component with linked
// arguments. Any crash, sanitizer report, non-finite result or failure delivered as a
// result (an integer beyond 64 bits, a relayed failure) is a finding.
//
// Input: byte 0 holds the settings (bits 0-1 argument count, bit 2 degrees, bit 3 real
// result, bit 4 %3 relays a failure whose code is in bytes 1-2), bytes 1-8 the value of
// the %1 source as a double, the rest is the formula.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "components/logic/TZTMathParse.h"
#include "dataflow/DebugMessage.h"
#include "dataflow/EventDispatch.h"
#include "toolkit/text/NumberText.h"

using namespace components;
using namespace dataflow;

namespace {

struct RealSource {
    double value = 0.0;
    void point(TData& data, std::uint16_t) { setReal(data, value); }
    using DataPoints = dataflow::TDataPoints<&RealSource::point>;
};

// Answers with an accessor that serves arrays and matrices alike.
struct TableSource {
    TDataAccessor accessor;
    TableSource() {
        accessor.getItem = [](TData& index, TData& item) {
            if (!(index.realValue >= 0 && index.realValue < 100)) return false;
            setReal(item, index.realValue * 0.5);
            return true;
        };
        accessor.getCell = [](std::int32_t i, std::int32_t j) {
            TData cell;
            if (i >= 0 && j >= 0) setInteger(cell, i - j);
            return cell;
        };
    }
    bool matrix = false;
    void point(TData& data, std::uint16_t) {
        data.dataType = matrix ? dataMatrix : dataArray;
        data.accessor = &accessor;
        matrix = !matrix;
    }
    using DataPoints = dataflow::TDataPoints<&TableSource::point>;
};

// Answers as a failed formula component upstream does: null, the exception text, a code.
struct RelaySource {
    std::int32_t code = 0;
    int reads = 0;
    void point(TData& data, std::uint16_t) {
        ++reads;
        setNull(data);
        data.strValue = "MathParse Exception";
        data.intValue = code;
    }
    using DataPoints = dataflow::TDataPoints<&RelaySource::point>;
};

struct ResultCheck {
    const TZTMathParse* parse = nullptr;
    int delivered = 0;
    void input(TData& data, std::uint16_t) {
        ++delivered;
        const double result = parse->lastResult();
        if (parse->errorCode() != TZTMathParse::errNone) std::abort();
        if (data.dataType == dataReal && !std::isfinite(data.realValue)) std::abort();
        if (data.dataType == dataInt && (!toolkit::fitsInt64(std::rint(static_cast<long double>(result))) ||
                                         data.intValue != toolkit::roundToInt32(result)))
            std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    static const bool initialised = [] {
        setDebugMessageSink([](const std::string&, const std::string&) {});
        enableEvents();
        return true;
    }();
    (void)initialised;

    RealSource realSource;
    std::memcpy(&realSource.value, data + 1, sizeof(double));
    TableSource tableSource;
    RelaySource relaySource;
    std::memcpy(&relaySource.code, data + 1, 2);
    ResultCheck check;

    TZTMathParse parse;
    parse.setArgumentCount(data[0] & 3);
    parse.setAngleMode((data[0] >> 2) & 1 ? TZTMathParse::amDegrees : TZTMathParse::amRadians);
    parse.resultType = (data[0] >> 3) & 1 ? TZTMathParse::rtReal : TZTMathParse::rtInteger;
    parse.setDefaultValue(1.5);
    if (parse.argumentCount() > 0) parse.arguments[0] = makeDataLink<&RealSource::point>(realSource);
    if (parse.argumentCount() > 1) parse.arguments[1] = makeDataLink<&TableSource::point>(tableSource);
    if (parse.argumentCount() > 2 && (data[0] & 16))
        parse.arguments[2] = makeDataLink<&RelaySource::point>(relaySource);
    check.parse = &parse;
    parse.onResult = makeLink<&ResultCheck::input>(check);
    parse.setFormula(std::string(reinterpret_cast<const char*>(data + 9), size - 9));

    // %3, unlinked, takes the values of the incoming chain.
    TData second;
    setString(second, "2.5");
    TData incoming;
    setReal(incoming, 4.0);
    incoming.nextValue = &second;
    for (int round = 0; round < 2; ++round) {  // the second round sees %0 of the first
        relaySource.reads = check.delivered = 0;
        fireEvent(makeLink<&TZTMathParse::calculate>(parse), incoming);
        if (relaySource.reads > 0 && check.delivered > 0) std::abort();  // a relayed failure went on
    }
    if (parse.errorCode() == TZTMathParse::errNone && !std::isfinite(parse.lastResult())) std::abort();
    return 0;
}
