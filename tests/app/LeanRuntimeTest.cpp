// The converter's runtime failures end the process instead of throwing into code that
// catches nothing, and plain allocation still works.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// Keep the optimiser from proving a request impossible or dropping an unused block.
volatile std::size_t hugeSize = SIZE_MAX / 2;
void* volatile escaped = nullptr;

TEST(LeanRuntime, AllocationsAreUsableAndReleased) {
    auto numbers = std::make_unique<std::vector<int>>();
    for (int i = 0; i < 100000; ++i) numbers->push_back(i);
    EXPECT_EQ((*numbers)[99999], 99999);
    std::unique_ptr<char[]> block(new char[0]);
    EXPECT_NE(block.get(), nullptr);  // a zero-sized request still gets its own address
    std::unique_ptr<char[]> other(new char[0]);
    EXPECT_NE(block.get(), other.get());
}

TEST(LeanRuntimeDeathTest, ExhaustedMemoryEndsTheProcess) {
    // A replacement that returned null here would let the caller write through it.
    EXPECT_DEATH(escaped = ::operator new(hugeSize), "");
    EXPECT_DEATH(escaped = new std::uint64_t[hugeSize / 8], "");
}

TEST(LeanRuntime, NonThrowingAllocationGivesNull) {
    escaped = new (std::nothrow) char[hugeSize];
    EXPECT_EQ(escaped, nullptr);
    escaped = ::operator new(hugeSize, std::nothrow);
    EXPECT_EQ(escaped, nullptr);
}

TEST(LeanRuntimeDeathTest, LibraryMisuseEndsTheProcess) {
    EXPECT_DEATH(
        {
            std::string text;
            text.resize(text.max_size() + static_cast<std::size_t>(hugeSize != 0));
        },
        "");
    EXPECT_DEATH(
        {
            std::function<void()> empty;
            empty();
        },
        "");
}

}  // namespace
