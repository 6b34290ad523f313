// The process's committed private memory (Wine reports it as the page-file usage): what
// a test that looks for growth compares.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstddef>

namespace testsupport {

inline std::size_t privateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

}  // namespace testsupport
