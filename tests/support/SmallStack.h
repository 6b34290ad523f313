// Runs a function on a thread with a small stack, so that code which is meant to run
// at constant stack depth overflows (and crashes the test) if it ever nests instead.
#pragma once

#include <cstddef>
#include <functional>

namespace testsupport {

void runOnSmallStack(std::size_t stackBytes, const std::function<void()>& work);

}  // namespace testsupport
