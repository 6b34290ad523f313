// Procedures that components register while the schema is built and that run once
// when start-up has finished.
#pragma once

#include <functional>

namespace dataflow {

// A procedure bound to an object, without arguments.
using TInitProc = std::function<void()>;

// owner, when given, lets the object withdraw its procedures should it be destroyed
// before they ran (they would otherwise run on a dead object).
void addInitProc(TInitProc proc, const void* owner = nullptr);
void cancelInitProcs(const void* owner);
// Calls every registered procedure in order of registration, then empties the list.
void runInitProcs();

}  // namespace dataflow
