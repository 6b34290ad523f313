// Comparison of texts as zero-terminated byte sequences.
#pragma once

#include <string>

namespace toolkit {

// Sign of the first difference after folding a-z to A-Z (every other byte, Cyrillic
// letters included, compares as it is); 0 for equal texts. A text ends at its first
// 0 byte, and a longer text whose beginning equals the shorter one is the greater.
int compareTextNoCase(const std::string& s, const std::string& t);

}  // namespace toolkit
