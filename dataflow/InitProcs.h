// Procedures that components register while the schema is built and that run once
// when start-up has finished.
#pragma once

#include <functional>

namespace dataflow {

// A procedure bound to an object, without arguments.
using TInitProc = std::function<void()>;

void addInitProc(TInitProc proc);
// Calls every registered procedure in order of registration, then empties the list.
void runInitProcs();

}  // namespace dataflow
