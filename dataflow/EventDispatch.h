// The two global dispatch slots and the operations that fire event links and read
// data links through them.
#pragma once

#include <cstdint>
#include <string>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace dataflow {

using TDispatchProc = void (*)(const TZT_Event& link, TData& data);

// What the slots hold before enableEvents and after disableEvents: nothing happens.
void noEventProc(const TZT_Event& link, TData& data);
// Calls the handler, then keeps firing the links that handlers pass on, in a loop.
void chainedDispatch(const TZT_Event& link, TData& data);
// Calls the handler once; a pass-on mark is left as it is.
void singleCallDispatch(const TZT_Event& link, TData& data);

extern TDispatchProc fireEventProc;
extern TDispatchProc readDataProc;

void enableEvents();
void disableEvents();

// Firing events.
void fireEvent(const TZT_Event& link, const TData& data);  // handlers get a copy
void fireEventRef(const TZT_Event& link, TData& data);     // handlers get data itself
void fireEventStr(const TZT_Event& link, const std::string& s);
void fireEventInt(const TZT_Event& link, std::int32_t i);
void fireEventNull(const TZT_Event& link);

// Reading data inputs. data is the value that came with the current call: readers
// that fall back to it consume it.
void readData(TData& data, const TZT_Event& link);
std::int32_t readInteger(const TZT_Event& link);
std::string readString(TData& data, const TZT_Event& link, const std::string& defaultText);
void readValue(TData& data, const TZT_Event& link, const TData* defaultValue, TData& result);
const TDataAccessor* readArray(const TZT_Event& link);
const TDataAccessor* readMatrix(const TZT_Event& link);

}  // namespace dataflow
