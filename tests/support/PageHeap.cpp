// The page heap: operator new and delete replaced for the whole test program.
//
// A block gets a region of its own: a header page (or more) and the block at the end of
// the committed pages, right against a reserved page that is never committed. The bytes
// between the block's end and that page (the alignment's slack) are filled with a
// pattern that is checked when the block is freed. A freed region is decommitted and
// waits in a quarantine of a fixed number of regions before its address space goes back
// to the system. A fault at an address inside a freed region or in the page after a
// live block is reported with the block, and the program ends.
//
// Everything here runs before and after the program's static objects exist, so the
// state is plain zero-initialised data and no allocation is made for the bookkeeping.
#include "tests/support/PageHeap.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <new>

namespace {

constexpr std::size_t pageSize = 4096;
constexpr std::uint32_t liveMark = 0x4C495645;    // the header of a block in use
constexpr unsigned char slackFill = 0xD5;         // the bytes after a block
constexpr std::size_t quarantineCapacity = 8192;  // freed regions kept inaccessible

// At the start of every region.
struct Header {
    std::uint32_t mark;
    std::uint32_t dataPages;  // the committed pages; the guard page follows them
    std::size_t size;
    unsigned char* block;
};

struct FreedRegion {
    unsigned char* region;
    std::size_t dataPages;
    unsigned char* block;
    std::size_t size;
};

FreedRegion quarantine[quarantineCapacity];
std::size_t quarantineNext = 0;
std::size_t live = 0;
SRWLOCK lock = SRWLOCK_INIT;
bool handlerInstalled = false;

[[noreturn]] void report(const char* what, const void* address, const void* block, std::size_t size) {
    std::fprintf(stderr, "page heap: %s at %p (a block of %zu bytes at %p)\n", what, address, size, block);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) {
    }
}

bool committed(const void* address) {
    MEMORY_BASIC_INFORMATION info;
    return VirtualQuery(address, &info, sizeof info) && info.State == MEM_COMMIT;
}

// Faults inside the page heap's regions are the program's faults: named and fatal.
LONG CALLBACK onFault(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record.NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const auto* address = reinterpret_cast<const unsigned char*>(record.ExceptionInformation[1]);
    const bool writing = record.ExceptionInformation[0] == 1;
    for (const FreedRegion& freed : quarantine) {
        if (freed.region && address >= freed.region &&
            address < freed.region + (freed.dataPages + 1) * pageSize)
            report(writing ? "write after free" : "read after free", address, freed.block, freed.size);
    }
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(address, &info, sizeof info) || !info.AllocationBase || !committed(info.AllocationBase))
        return EXCEPTION_CONTINUE_SEARCH;
    const auto* header = static_cast<const Header*>(info.AllocationBase);
    const auto* guard = static_cast<const unsigned char*>(info.AllocationBase) + header->dataPages * pageSize;
    if (header->mark == liveMark && address >= guard && address < guard + pageSize)
        report(writing ? "write past the end" : "read past the end", address, header->block, header->size);
    return EXCEPTION_CONTINUE_SEARCH;
}

void* allocate(std::size_t size, std::size_t alignment) noexcept {
    if (alignment < 16) alignment = 16;
    const std::size_t dataPages = (sizeof(Header) + alignment + size + pageSize - 1) / pageSize;
    const std::size_t dataBytes = dataPages * pageSize;
    auto* region =
        static_cast<unsigned char*>(VirtualAlloc(nullptr, dataBytes + pageSize, MEM_RESERVE, PAGE_NOACCESS));
    if (!region || !VirtualAlloc(region, dataBytes, MEM_COMMIT, PAGE_READWRITE)) {
        if (region) VirtualFree(region, 0, MEM_RELEASE);
        return nullptr;
    }
    unsigned char* const guard = region + dataBytes;
    auto* block =
        reinterpret_cast<unsigned char*>(reinterpret_cast<std::uintptr_t>(guard - size) & ~(alignment - 1));
    for (unsigned char* slack = block + size; slack < guard; ++slack) *slack = slackFill;
    *reinterpret_cast<Header*>(region) = Header{liveMark, static_cast<std::uint32_t>(dataPages), size, block};
    AcquireSRWLockExclusive(&lock);
    ++live;
    if (!handlerInstalled) {
        handlerInstalled = true;
        AddVectoredExceptionHandler(1, onFault);
    }
    ReleaseSRWLockExclusive(&lock);
    return block;
}

void release(void* pointer) noexcept {
    if (!pointer) return;
    MEMORY_BASIC_INFORMATION info;
    VirtualQuery(pointer, &info, sizeof info);
    auto* region = static_cast<unsigned char*>(info.AllocationBase);
    auto* header = reinterpret_cast<Header*>(region);  // a freed one faults here: reported as such
    if (!region || header->mark != liveMark || header->block != pointer)
        report("delete of a pointer that is no block", pointer, nullptr, 0);
    const unsigned char* const guard = region + header->dataPages * pageSize;
    for (const unsigned char* slack = header->block + header->size; slack < guard; ++slack)
        if (*slack != slackFill) report("write past the end", slack, header->block, header->size);
    const FreedRegion freed{region, header->dataPages, header->block, header->size};
    header->mark = 0;
    VirtualFree(region, freed.dataPages * pageSize, MEM_DECOMMIT);
    AcquireSRWLockExclusive(&lock);
    FreedRegion& slot = quarantine[quarantineNext];
    if (slot.region) VirtualFree(slot.region, 0, MEM_RELEASE);
    slot = freed;
    quarantineNext = (quarantineNext + 1) % quarantineCapacity;
    --live;
    ReleaseSRWLockExclusive(&lock);
}

void* allocateOrFail(std::size_t size, std::size_t alignment) {
    if (void* block = allocate(size, alignment)) return block;
    std::fprintf(stderr, "page heap: no memory for %zu bytes\n", size);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) {
    }
}

}  // namespace

namespace testsupport {

std::size_t liveAllocations() {
    AcquireSRWLockExclusive(&lock);
    const std::size_t count = live;
    ReleaseSRWLockExclusive(&lock);
    return count;
}

}  // namespace testsupport

void* operator new(std::size_t size) { return allocateOrFail(size, 16); }
void* operator new[](std::size_t size) { return allocateOrFail(size, 16); }
void* operator new(std::size_t size, std::align_val_t a) {
    return allocateOrFail(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
    return allocateOrFail(size, static_cast<std::size_t>(a));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 16); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 16); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { release(p); }
