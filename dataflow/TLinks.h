// A component's list of links: a formula's arguments, a hub's outputs. A link set beyond
// the list's end goes nowhere: it is noted, and told when events are switched on, with
// the list's name and the index, instead of writing past the list.
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>

#include "dataflow/TZT_Event.h"

namespace dataflow {

// A mistake of a schema found while it is built (a link beyond a list, a list longer
// than its component can fire): noted, and told with the others when events are
// switched on.
void noteSchemaMistake(const std::string& text);
void noteLinkBeyondList(const char* list, std::size_t index, std::size_t count);
// Shows the debug message for the mistakes noted since the last call, and forgets them;
// enableEvents calls it.
void tellLinksBeyondLists();

// Resizes a block of links, the new ones unlinked (links are plain records).
void* resizeLinkBlock(void* block, std::size_t count, std::size_t newCount, std::size_t linkSize);

template <class Link>
class TLinks {
    static_assert(std::is_trivially_copyable_v<Link>, "a block of links is moved as bytes");

public:
    explicit TLinks(const char* name) : name_(name) {}
    ~TLinks() { resize(0); }
    TLinks(const TLinks&) = delete;
    TLinks& operator=(const TLinks&) = delete;

    void resize(std::size_t count) {
        links_ = static_cast<Link*>(resizeLinkBlock(links_, count_, count, sizeof(Link)));
        count_ = count;
    }
    std::size_t size() const { return count_; }
    Link& operator[](std::size_t index) {
        if (index < count_) return links_[index];
        noteLinkBeyondList(name_, index, count_);
        return spare_ = Link{};
    }
    const Link& at(std::size_t index) const { return links_[index]; }  // index < size()

private:
    const char* name_;  // "TZTHub.onEvent", say
    Link* links_ = nullptr;
    std::size_t count_ = 0;
    Link spare_;
};

}  // namespace dataflow
