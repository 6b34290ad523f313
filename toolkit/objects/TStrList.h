// A list of zero-terminated byte strings. Strings added one by one are separate
// copies; lines loaded with setText share one text block and cost no allocation each.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "toolkit/objects/TList.h"
#include "toolkit/objects/TObj.h"

namespace toolkit {

class TStrList : public TObj {
public:
    TStrList() = default;
    ~TStrList() override;

    std::int32_t count() const { return count_; }
    const char* get(std::int32_t index) const;  // null out of range

    void add(std::string_view text) { insert(count_, text); }
    void insert(std::int32_t index, std::string_view text);  // index 0..count
    virtual void deleteAt(std::int32_t index);
    void clear();

    // Loads text as lines (ended by CR, an LF right after a CR skipped), replacing
    // the list or, with append, adding to it. The text may be one of the list's own.
    void setText(std::string_view text, bool append);

protected:
    // Told of every string inserted: count strings from index on.
    virtual void stringsInserted(std::int32_t index, std::int32_t count) {
        (void)index;
        (void)count;
    }

private:
    bool insideTextBuffer(const char* s) const;
    void appendToTextBuffer(std::string_view text);

    std::unique_ptr<TList> list_;  // created on first use
    std::int32_t count_ = 0;
    std::unique_ptr<char[]> textBuffer_;
    std::int32_t textSize_ = 0;  // bytes used in textBuffer_, terminators included
};

// A string list with one object pointer per string.
class TStrListEx : public TStrList {
public:
    std::int32_t addObject(std::string_view text, void* object);
    void insertObject(std::int32_t index, std::string_view text, void* object);
    void* objectAt(std::int32_t index) const { return objects_.get(index); }
    std::int32_t indexOfObject(const void* object) const { return objects_.indexOf(object); }
    void deleteAt(std::int32_t index) override;

protected:
    // Every string has its object entry, an empty one unless given.
    void stringsInserted(std::int32_t index, std::int32_t count) override;

private:
    TList objects_;
};

}  // namespace toolkit
