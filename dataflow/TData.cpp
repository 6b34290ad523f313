#include "dataflow/TData.h"

#include "toolkit/text/NumberText.h"

namespace dataflow {

using toolkit::intToText;
using toolkit::realToText;
using toolkit::roundToInt32;
using toolkit::textToInt;
using toolkit::textToReal;

namespace {

void setPlain(TData& data, std::uint8_t type) {
    data.dataType = type;
    data.passOnEvent = nullptr;
    data.nextValue = nullptr;
}

}  // namespace

void setNull(TData& data) { setPlain(data, dataNull); }

void setInteger(TData& data, std::int32_t i) {
    setPlain(data, dataInt);
    data.intValue = i;
}

void setString(TData& data, const std::string& s) {
    setPlain(data, dataStr);
    data.strValue = s;
}

void setReal(TData& data, double r) {
    setPlain(data, dataReal);
    data.realValue = r;
}

void passOnNull(TData& data, const TZT_Event& link) {
    data.dataType = passOnFlag | dataNull;
    data.passOnEvent = &link;
}

void passOnInteger(TData& data, const TZT_Event& link, std::int32_t i) {
    data.dataType = passOnFlag | dataInt;
    data.intValue = i;
    data.nextValue = nullptr;
    data.passOnEvent = &link;
}

void passOnReal(TData& data, const TZT_Event& link, double r) {
    data.dataType = passOnFlag | dataReal;
    data.realValue = r;
    data.nextValue = nullptr;
    data.passOnEvent = &link;
}

void passOnData(TData& data, const TZT_Event& link, const TData& src) {
    if (&data != &src) data = src;
    data.dataType = static_cast<std::uint8_t>(data.dataType + passOnFlag);
    data.passOnEvent = &link;
}

std::int32_t toInteger(const TData& data) {
    switch (data.dataType) {
        case dataInt: return data.intValue;
        case dataStr: return textToInt(data.strValue);
        case dataReal: return roundToInt32(data.realValue);
        default: return 0;
    }
}

std::int32_t toIndex(const TData& data) {
    switch (data.dataType) {
        case dataInt: return data.intValue;
        case dataReal: return roundToInt32(data.realValue);
        case dataStr: {
            const std::string& s = data.strValue;
            if (s.empty()) return -1;
            const std::int32_t n = textToInt(s);
            return (n == 0 && s[0] != '0') ? -1 : n;  // no number at all
        }
        default: return -1;
    }
}

double toReal(const TData& data) {
    switch (data.dataType) {
        case dataInt: return data.intValue;
        case dataStr: return textToReal(data.strValue);
        case dataReal: return data.realValue;
        default: return 0.0;
    }
}

std::string toString(const TData& data) {
    switch (data.dataType) {
        case dataInt: return intToText(data.intValue);
        case dataStr: return data.strValue;
        case dataReal: return realToText(data.realValue);
        default: return {};
    }
}

bool isNull(const TData& data) { return data.dataType == dataNull; }

int typeOf(const TData& data) { return data.dataType; }

void consume(TData& data) {
    if (data.nextValue) {
        const TData next = *data.nextValue;  // copy first: the chain may point into data
        data = next;
    } else {
        data.dataType = dataNull;
    }
}

}  // namespace dataflow
