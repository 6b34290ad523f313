#include "toolkit/objects/TObj.h"

#include <utility>

namespace toolkit {

TObj::~TObj() { notifyDestroy(); }

void TObj::free() {
    if (refCount_ == 0) {
        refCount_ = -1;  // negative: destruction has begun
        delete this;
    } else if (refCount_ % 2 == 0) {
        --refCount_;  // odd: a destruction request is pending
    }
}

void TObj::refDec() {
    refCount_ -= 2;
    if (refCount_ < 0 && refCount_ % 2 != 0) delete this;  // the last reference after a request
}

void TObj::addAutoFree(TAutoFreeProc proc, void* object) {
    autoFreeList_.insert(autoFreeList_.begin(), AutoFree{proc, object});
}

void TObj::notifyDestroy() {
    if (onDestroy) {
        const TDestroyHandler handler = std::exchange(onDestroy, nullptr);
        handler(this);
    }
    const std::vector<AutoFree> actions = std::exchange(autoFreeList_, {});
    for (const AutoFree& action : actions) action.proc(action.object);
}

}  // namespace toolkit
