#include "toolkit/text/TextCompare.h"

namespace toolkit {

namespace {
unsigned foldToUpper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
}  // namespace

int compareTextNoCase(const std::string& s, const std::string& t) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.c_str());
    const auto* q = reinterpret_cast<const unsigned char*>(t.c_str());
    for (;; ++p, ++q) {
        if (*p != *q) {
            const int difference = static_cast<int>(foldToUpper(*p)) - static_cast<int>(foldToUpper(*q));
            if (difference != 0) return difference;
        }
        if (*q == 0) return 0;  // up to and including t's terminator
    }
}

}  // namespace toolkit
