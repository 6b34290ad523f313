// The converter catches no exceptions: every failure the C++ runtime would report by
// throwing (memory exhausted, a string beyond its maximum size, an empty function
// called) ends the process, exactly as an uncaught exception would. Defining the
// allocation functions and the runtime's reporting hooks here ends it directly, so
// the exception machinery, the demangler and the formatted-output code behind them
// stay out of the static program.
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void fail() {
    std::abort();
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* block = std::malloc(size != 0 ? size : 1)) {
        return block;
    }
    fail();
}

void* operator new[](std::size_t size) {
    return ::operator new(size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

// The hooks libstdc++'s own templates call where they would throw.
namespace std {

[[noreturn]] void __throw_bad_alloc() {
    fail();
}

[[noreturn]] void __throw_bad_array_new_length() {
    fail();
}

[[noreturn]] void __throw_bad_function_call() {
    fail();
}

[[noreturn]] void __throw_length_error(const char*) {
    fail();
}

[[noreturn]] void __throw_logic_error(const char*) {
    fail();
}

[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    fail();
}

}  // namespace std
