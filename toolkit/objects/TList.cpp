#include "toolkit/objects/TList.h"

#include <algorithm>
#include <cstdlib>

namespace toolkit {

TList::~TList() { std::free(items_); }

void TList::add(void* item) {
    if (capacity_ <= count_) setCapacity(count_ + (addBy > 0 ? addBy : 4));
    items_[count_++] = item;
}

void TList::insert(std::int32_t index, void* item) {
    add(nullptr);
    std::move_backward(items_ + index, items_ + (count_ - 1), items_ + count_);
    items_[index] = item;
}

void* TList::get(std::int32_t index) const { return index >= 0 && index < count_ ? items_[index] : nullptr; }

void TList::put(std::int32_t index, void* item) {
    if (index >= 0 && index < count_) items_[index] = item;
}

std::int32_t TList::indexOf(const void* item) const {
    const auto found = std::find(items_, items_ + count_, item);
    return found == items_ + count_ ? -1 : static_cast<std::int32_t>(found - items_);
}

void TList::deleteAt(std::int32_t index) { deleteRange(index, 1); }

void TList::deleteRange(std::int32_t index, std::int32_t length) {
    if (length <= 0 || index < 0 || index >= count_) return;
    length = std::min(length, count_ - index);
    std::move(items_ + index + length, items_ + count_, items_ + index);
    count_ -= length;
}

// The block is resized where it lies when the memory after it is free, so that growing
// by small steps does not copy the whole list at every step.
void TList::setCapacity(std::int32_t capacity) {
    capacity = std::max(capacity, count_);
    if (capacity == capacity_) return;
    if (capacity == 0) {
        clear();
        return;
    }
    void* const block = std::realloc(items_, sizeof(void*) * static_cast<std::size_t>(capacity));
    if (!block) std::abort();  // out of memory, as for any allocation of the program
    items_ = static_cast<void**>(block);
    capacity_ = capacity;
}

void TList::clear() {
    std::free(items_);
    items_ = nullptr;
    count_ = 0;
    capacity_ = 0;
}

}  // namespace toolkit
