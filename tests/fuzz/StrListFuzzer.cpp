// Fuzz target: a string list loaded with arbitrary text, in one part or two (the
// second appended, with a string inserted one by one between them), read back and
// partly deleted. Findings: a sanitizer report, or lines that joined again are not the
// text with each line end written CR LF (a line reads up to its first zero byte, as
// the list's strings are zero-terminated).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "toolkit/objects/TStrList.h"

namespace {

bool endsALine(std::string_view text) {
    return !text.empty() &&
           (text.back() == '\r' || (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n"));
}

// The text as its lines joined again should give it: every line end as CR LF, the
// rest of a line after a zero byte gone, no line end after an unfinished last line.
std::string normalised(std::string_view text) {
    std::string out;
    bool cut = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            cut = false;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\0') {
            cut = true;
        } else if (!cut) {
            out += text[i];
        }
    }
    return out;
}

std::string joined(const toolkit::TStrList& list, std::int32_t from, std::int32_t to, bool lastEnded) {
    std::string out;
    for (std::int32_t i = from; i < to; ++i) {
        out += list.get(i);
        if (i + 1 < to || lastEnded) out += "\r\n";
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = (data[0] & 1) ? text.size() / 2 : text.size();
    const std::string_view first = text.substr(0, split), second = text.substr(split);

    toolkit::TStrList list;
    list.setText(first, false);
    const std::int32_t firstLines = list.count();
    if (joined(list, 0, firstLines, endsALine(first)) != normalised(first)) std::abort();
    if (!second.empty()) {
        list.add("inserted");
        list.setText(second, true);  // moves the earlier lines into a new block
        if (std::string_view(list.get(firstLines)) != "inserted") std::abort();
        if (joined(list, 0, firstLines, endsALine(first)) != normalised(first)) std::abort();
        if (joined(list, firstLines + 1, list.count(), endsALine(second)) != normalised(second)) std::abort();
    }
    // Delete every other line: separately inserted strings are freed, loaded ones not.
    for (std::int32_t i = list.count() - 1; i >= 0; i -= 2) list.deleteAt(i);
    list.clear();
    if (list.count() != 0 || list.get(0) != nullptr) std::abort();
    return 0;
}
