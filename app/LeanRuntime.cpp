// The converter catches no exceptions: every failure the C++ runtime would report by
// throwing (memory exhausted, a string beyond its maximum size, an empty function
// called) ends the process, exactly as an uncaught exception would. Defining the
// allocation functions and the runtime's reporting hooks here ends it directly, so
// the exception machinery, the demangler and the formatted-output code behind them
// stay out of the static program.
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void fail() { std::abort(); }

void* allocate(std::size_t size) noexcept {
    return std::malloc(size != 0 ? size : 1);  // every object gets its own address
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* block = allocate(size)) return block;
    fail();
}

void* operator new[](std::size_t size) { return ::operator new(size); }

// The non-throwing forms keep their promise: no memory gives null.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void operator delete(void* block) noexcept { std::free(block); }

void operator delete[](void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }

void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// The hooks the library's templates call where they would throw. The whole set is
// defined (the runtime keeps them together, and any one missing would bring the
// runtime's own set back and collide with these).
namespace std {

[[noreturn]] void __throw_bad_exception() { fail(); }
[[noreturn]] void __throw_bad_alloc() { fail(); }
[[noreturn]] void __throw_bad_array_new_length() { fail(); }
[[noreturn]] void __throw_bad_cast() { fail(); }
[[noreturn]] void __throw_bad_typeid() { fail(); }
[[noreturn]] void __throw_bad_function_call() { fail(); }
[[noreturn]] void __throw_logic_error(const char*) { fail(); }
[[noreturn]] void __throw_domain_error(const char*) { fail(); }
[[noreturn]] void __throw_invalid_argument(const char*) { fail(); }
[[noreturn]] void __throw_length_error(const char*) { fail(); }
[[noreturn]] void __throw_out_of_range(const char*) { fail(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { fail(); }
[[noreturn]] void __throw_runtime_error(const char*) { fail(); }
[[noreturn]] void __throw_range_error(const char*) { fail(); }
[[noreturn]] void __throw_overflow_error(const char*) { fail(); }
[[noreturn]] void __throw_underflow_error(const char*) { fail(); }

}  // namespace std
