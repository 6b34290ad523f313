// The tests' page heap itself: a use past a block or after its release ends the program
// with a report that names it, and the count of live blocks follows new and delete.
#include <gtest/gtest.h>

#include "tests/support/PageHeap.h"

namespace {

char* volatile escaped = nullptr;

TEST(PageHeapDeathTest, UsesPastABlockOrAfterItsReleaseEndTheProgram) {
    EXPECT_DEATH(
        {
            escaped = new char[10];
            delete[] escaped;
            escaped[0] = 1;
        },
        "page heap: write after free at");
    EXPECT_DEATH(
        {
            escaped = new char[16];
            (void)static_cast<volatile char*>(escaped)[16];
        },
        "page heap: read past the end at");
    EXPECT_DEATH(
        {
            escaped = new char[10];
            escaped[10] = 1;  // inside the alignment's slack: found when the block is freed
            delete[] escaped;
        },
        "page heap: write past the end at");
}

TEST(PageHeap, CountsLiveBlocks) {
    const std::size_t before = testsupport::liveAllocations();
    escaped = new char[3];
    const std::size_t during = testsupport::liveAllocations();
    delete[] escaped;
    EXPECT_EQ(during, before + 1);
    EXPECT_EQ(testsupport::liveAllocations(), before);
}

}  // namespace
