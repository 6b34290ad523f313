// The data value that travels along event links and is filled in by data links.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dataflow {

struct TZT_Event;
struct TDataAccessor;

// Type codes: the low seven bits of TData::dataType.
enum TDataType : std::uint8_t {
    dataNull = 0,
    dataInt = 1,
    dataStr = 2,
    dataReal = 7,
    dataArray = 13,
    dataMatrix = 16,
    dataNoValue = 21,
};

// Bit 7 of the type byte: the dispatch loop fires passOnEvent next.
constexpr std::uint8_t passOnFlag = 0x80;

// Only the payload of the current type code is meaningful; the others keep whatever
// they held. passOnEvent and nextValue are borrowed, never owned.
struct TData {
    std::uint8_t dataType = dataNull;
    std::int32_t intValue = 0;                // dataInt
    const TDataAccessor* accessor = nullptr;  // dataArray, dataMatrix
    std::string strValue;                     // dataStr, Windows-1251 bytes
    double realValue = 0.0;                   // dataReal
    const TZT_Event* passOnEvent = nullptr;
    const TData* nextValue = nullptr;  // next value of a chain of values
};

// The operations behind a dataArray or dataMatrix value, each bound to its object.
struct TDataAccessor {
    std::function<std::int32_t()> count;
    // Arrays: fills item for the index (a dataReal value); false when there is none.
    std::function<bool(TData& index, TData& item)> getItem;
    // Matrices: the cell at (i, j); dataNull when there is none.
    std::function<TData(std::int32_t i, std::int32_t j)> getCell;
};

// Building values.
void setNull(TData& data);
void setInteger(TData& data, std::int32_t i);
void setString(TData& data, const std::string& s);
void setReal(TData& data, double r);

// Marking a value for the caller's dispatch loop to fire along link next.
void passOnNull(TData& data, const TZT_Event& link);
void passOnInteger(TData& data, const TZT_Event& link, std::int32_t i);
void passOnReal(TData& data, const TZT_Event& link, double r);
void passOnData(TData& data, const TZT_Event& link, const TData& src);

// Converting values. They compare the whole type byte, so a value that still carries
// the pass-on flag counts as an unknown type.
std::int32_t toInteger(const TData& data);
std::int32_t toIndex(const TData& data);
double toReal(const TData& data);
std::string toString(const TData& data);
bool isNull(const TData& data);
int typeOf(const TData& data);

// Takes the value of a call: it becomes the next value of its chain, or null.
void consume(TData& data);

}  // namespace dataflow
