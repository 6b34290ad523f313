#include "dataflow/InitProcs.h"

#include <vector>

namespace dataflow {

namespace {
struct Entry {
    TInitProc proc;
    const void* owner;
};

std::vector<Entry>& initProcs() {
    static std::vector<Entry> procs;
    return procs;
}
}  // namespace

void addInitProc(TInitProc proc, const void* owner) { initProcs().push_back({std::move(proc), owner}); }

void cancelInitProcs(const void* owner) {
    if (!owner) return;
    for (Entry& entry : initProcs())
        if (entry.owner == owner) entry.proc = nullptr;  // the slot stays: a run may be walking the list
}

void runInitProcs() {
    std::vector<Entry>& procs = initProcs();
    // The list is read afresh at every step: a procedure may register more. Each entry
    // is copied before the call, since registering may move the list's storage.
    for (std::size_t i = 0; i < procs.size(); ++i) {
        const TInitProc proc = procs[i].proc;
        if (proc) proc();
    }
    procs.clear();
}

}  // namespace dataflow
