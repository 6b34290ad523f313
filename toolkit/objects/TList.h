// A list of pointers that grows in steps of `addBy` slots and never shrinks on delete.
#pragma once

#include <cstdint>

#include "toolkit/objects/TObj.h"

namespace toolkit {

class TList : public TObj {
public:
    explicit TList(std::int32_t addBy = 4) : addBy(addBy) {}
    ~TList() override;

    void add(void* item);
    void insert(std::int32_t index, void* item);   // index 0..count
    void* get(std::int32_t index) const;           // null out of range
    void put(std::int32_t index, void* item);      // replaces an item; ignored out of range
    std::int32_t indexOf(const void* item) const;  // -1 if absent
    void deleteAt(std::int32_t index);
    void deleteRange(std::int32_t index, std::int32_t length);
    void setCapacity(std::int32_t capacity);
    void clear();

    std::int32_t count() const { return count_; }
    std::int32_t capacity() const { return capacity_; }
    void* const* items() const { return items_; }

    std::int32_t addBy;  // growth step; 0 or less counts as 4

private:
    void** items_ = nullptr;  // one block of capacity_ slots
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
};

}  // namespace toolkit
