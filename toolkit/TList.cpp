#include "toolkit/TList.h"

#include <algorithm>

namespace toolkit {

void TList::add(void* item) {
    if (capacity() <= count_) setCapacity(count_ + (addBy > 0 ? addBy : 4));
    items_[static_cast<std::size_t>(count_++)] = item;
}

void TList::insert(std::int32_t index, void* item) {
    add(nullptr);
    const auto at = items_.begin() + index;
    std::move_backward(at, items_.begin() + (count_ - 1), items_.begin() + count_);
    *at = item;
}

void* TList::get(std::int32_t index) const {
    return index >= 0 && index < count_ ? items_[static_cast<std::size_t>(index)] : nullptr;
}

void TList::put(std::int32_t index, void* item) {
    if (index >= 0 && index < count_) items_[static_cast<std::size_t>(index)] = item;
}

std::int32_t TList::indexOf(const void* item) const {
    const auto end = items_.begin() + count_;
    const auto found = std::find(items_.begin(), end, item);
    return found == end ? -1 : static_cast<std::int32_t>(found - items_.begin());
}

void TList::deleteAt(std::int32_t index) { deleteRange(index, 1); }

void TList::deleteRange(std::int32_t index, std::int32_t length) {
    if (length <= 0 || index < 0 || index >= count_) return;
    length = std::min(length, count_ - index);
    std::move(items_.begin() + index + length, items_.begin() + count_, items_.begin() + index);
    count_ -= length;
}

void TList::setCapacity(std::int32_t capacity) {
    capacity = std::max(capacity, count_);
    if (capacity == this->capacity()) return;
    std::vector<void*> slots(static_cast<std::size_t>(capacity), nullptr);
    std::copy(items_.begin(), items_.begin() + count_, slots.begin());
    items_.swap(slots);
}

void TList::clear() {
    std::vector<void*>().swap(items_);
    count_ = 0;
}

}  // namespace toolkit
