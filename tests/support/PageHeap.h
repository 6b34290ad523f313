// The page heap of the Windows tests. Every block that operator new gives ends where an
// inaccessible page begins, and a freed block stays inaccessible while it waits in a
// bounded quarantine, so that a read or write past a block or after its release faults
// at once; the page heap then reports the address and the block and ends the test
// program. Linking PageHeap.cpp into a test program turns it on.
#pragma once

#include <cstddef>

namespace testsupport {

// The blocks given and not yet freed.
std::size_t liveAllocations();

}  // namespace testsupport
