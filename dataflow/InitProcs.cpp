#include "dataflow/InitProcs.h"

#include <vector>

namespace dataflow {

namespace {
std::vector<TInitProc>& initProcs() {
    static std::vector<TInitProc> procs;
    return procs;
}
}  // namespace

void addInitProc(TInitProc proc) { initProcs().push_back(std::move(proc)); }

void runInitProcs() {
    std::vector<TInitProc>& procs = initProcs();
    // The list is read afresh at every step: a procedure may register more. Each entry
    // is copied before the call, since registering may move the list's storage.
    for (std::size_t i = 0; i < procs.size(); ++i) {
        const TInitProc proc = procs[i];
        if (proc) proc();
    }
    procs.clear();
}

}  // namespace dataflow
