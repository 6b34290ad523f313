#include "toolkit/objects/TStrList.h"

#include <cstring>
#include <string>

namespace toolkit {

namespace {
constexpr char CR = 13;
constexpr char LF = 10;
}  // namespace

TStrList::~TStrList() { clear(); }

const char* TStrList::get(std::int32_t index) const {
    return list_ ? static_cast<const char*>(list_->get(index)) : nullptr;
}

void TStrList::insert(std::int32_t index, std::string_view text) {
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    if (!list_) list_ = std::make_unique<TList>();
    list_->insert(index, copy);
    ++count_;
    stringsInserted(index, 1);
}

bool TStrList::insideTextBuffer(const char* s) const {
    return textBuffer_ && s >= textBuffer_.get() && s < textBuffer_.get() + textSize_;
}

void TStrList::deleteAt(std::int32_t index) {
    if (!list_ || index < 0 || index >= list_->count()) return;
    const char* s = static_cast<const char*>(list_->get(index));
    if (!insideTextBuffer(s)) delete[] s;
    list_->deleteAt(index);
    --count_;
}

void TStrList::clear() {
    for (std::int32_t i = count_ - 1; i >= 0; --i) deleteAt(i);
    list_.reset();
    count_ = 0;
    textBuffer_.reset();
    textSize_ = 0;
}

void TStrList::appendToTextBuffer(std::string_view text) {
    const std::size_t size = static_cast<std::size_t>(textSize_) + text.size() + 1;
    std::unique_ptr<char[]> block(new char[size]);
    if (textBuffer_) {
        std::memcpy(block.get(), textBuffer_.get(), static_cast<std::size_t>(textSize_));
        // Lines of earlier loads move with the block, to the same offsets.
        for (std::int32_t i = 0; list_ && i < list_->count(); ++i) {
            char* s = static_cast<char*>(list_->get(i));
            if (insideTextBuffer(s)) list_->put(i, block.get() + (s - textBuffer_.get()));
        }
    }
    std::memcpy(block.get() + textSize_, text.data(), text.size());
    block[size - 1] = '\0';
    textBuffer_ = std::move(block);
    textSize_ = static_cast<std::int32_t>(size);
}

void TStrList::setText(std::string_view text, bool append) {
    std::string own;
    if (!append) {
        if (count_ > 0 || textBuffer_) {  // clear would free a text that is one of the lines
            own.assign(text);
            text = own;
        }
        clear();
    }
    if (text.empty()) return;
    const std::int32_t start = textSize_;
    appendToTextBuffer(text);

    // Count the lines first, so that the list is sized once.
    std::int32_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != CR) continue;
        ++lines;
        if (i + 1 < text.size() && text[i + 1] == LF) ++i;
    }
    if (text.back() != CR && !(text.size() >= 2 && text.back() == LF && text[text.size() - 2] == CR))
        ++lines;  // the last line has no ending of its own
    count_ += lines;
    if (!list_) list_ = std::make_unique<TList>();
    if (list_->capacity() < count_) list_->setCapacity(count_);

    // The lines stay inside the block: each ending CR becomes the line's terminator.
    const std::int32_t first = list_->count();
    char* p = textBuffer_.get() + start;
    char* const end = p + text.size();
    while (p < end) {
        list_->add(p);
        while (p < end && *p != CR) ++p;
        if (p == end) break;
        *p++ = '\0';
        if (p < end && *p == LF) ++p;
    }
    stringsInserted(first, lines);
}

std::int32_t TStrListEx::addObject(std::string_view text, void* object) {
    const std::int32_t index = count();
    insertObject(index, text, object);
    return index;
}

void TStrListEx::insertObject(std::int32_t index, std::string_view text, void* object) {
    insert(index, text);
    objects_.put(index, object);
}

void TStrListEx::stringsInserted(std::int32_t index, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) objects_.insert(index + i, nullptr);
}

void TStrListEx::deleteAt(std::int32_t index) {
    TStrList::deleteAt(index);
    if (index >= 0 && index < objects_.count()) objects_.deleteAt(index);
}

}  // namespace toolkit
