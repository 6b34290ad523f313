#include "dataflow/EventDispatch.h"

#include "dataflow/TLinks.h"

namespace dataflow {

TDispatchProc fireEventProc = noEventProc;
TDispatchProc readDataProc = noEventProc;

void noEventProc(const TZT_Event&, TData&) {}

void chainedDispatch(const TZT_Event& link, TData& data) {
    // A loop instead of nested calls: chains of any length run at constant depth.
    // A pass-on mark without a link ends the chain like an unlinked one.
    const TZT_Event* current = &link;
    while (current && current->isLinked()) {
        current->handler(current->target, data, current->index);
        if ((data.dataType & passOnFlag) == 0) return;
        data.dataType = static_cast<std::uint8_t>(data.dataType - passOnFlag);
        current = data.passOnEvent;
    }
}

void singleCallDispatch(const TZT_Event& link, TData& data) {
    if (link.isLinked()) link.handler(link.target, data, link.index);
}

void enableEvents() {
    fireEventProc = chainedDispatch;
    readDataProc = singleCallDispatch;
    tellLinksBeyondLists();  // the schema is built: a link set beyond its list is told now
}

void disableEvents() {
    fireEventProc = noEventProc;
    readDataProc = noEventProc;
}

void fireEvent(const TZT_Event& link, const TData& data) {
    TData copy = data;
    fireEventProc(link, copy);
}

void fireEventRef(const TZT_Event& link, TData& data) { fireEventProc(link, data); }

void fireEventStr(const TZT_Event& link, const std::string& s) {
    TData value;
    setString(value, s);
    fireEventProc(link, value);
}

void fireEventInt(const TZT_Event& link, std::int32_t i) {
    TData value;
    setInteger(value, i);
    fireEventProc(link, value);
}

void fireEventNull(const TZT_Event& link) {
    TData value;
    fireEventProc(link, value);
}

void readData(TData& data, const TZT_Event& link) {
    if (!link.isLinked()) {
        data.dataType = dataNoValue;
        return;
    }
    readDataProc(link, data);
}

std::int32_t readInteger(const TZT_Event& link) {
    TData value;
    readDataProc(link, value);
    return toInteger(value);
}

std::string readString(TData& data, const TZT_Event& link, const std::string& defaultText) {
    if (link.isLinked()) {
        TData value;
        readDataProc(link, value);
        if (value.dataType != dataNoValue) return toString(value);
    }
    if (!defaultText.empty()) return defaultText;
    if (data.dataType == dataNull) return {};
    std::string text = toString(data);
    consume(data);
    return text;
}

void readValue(TData& data, const TZT_Event& link, const TData* defaultValue, TData& result) {
    if (link.isLinked()) {
        setNull(result);
        readDataProc(link, result);
        result.nextValue = nullptr;
        if (result.dataType != dataNoValue) return;
    }
    if (defaultValue && defaultValue->dataType != dataNull) {
        result = *defaultValue;
        return;
    }
    result = data;
    result.nextValue = nullptr;
    if (data.dataType != dataNull) consume(data);
}

namespace {

const TDataAccessor* readAccessor(const TZT_Event& link, std::uint8_t type) {
    if (!link.isLinked()) return nullptr;
    TData value;
    readDataProc(link, value);
    return value.dataType == type ? value.accessor : nullptr;
}

}  // namespace

const TDataAccessor* readArray(const TZT_Event& link) { return readAccessor(link, dataArray); }

const TDataAccessor* readMatrix(const TZT_Event& link) { return readAccessor(link, dataMatrix); }

}  // namespace dataflow
