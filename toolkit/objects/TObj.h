// The base of every toolkit object: a reference count that can defer destruction
// while the object is in use, a destruction notification, and clean-up actions.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace toolkit {

class TObj {
public:
    using TDestroyHandler = std::function<void(TObj* sender)>;
    using TAutoFreeProc = void (*)(void* object);

    TObj() = default;
    TObj(const TObj&) = delete;
    TObj& operator=(const TObj&) = delete;
    virtual ~TObj();

    // Destroys the object now, or, while references are outstanding, marks it to be
    // destroyed when the last one goes.
    void free();
    void refInc() { refCount_ += 2; }
    void refDec();
    // Twice the outstanding references, plus 1 once a free is pending.
    std::int32_t refCount() const { return refCount_; }

    // Runs at destruction, the action registered last first.
    void addAutoFree(TAutoFreeProc proc, void* object);

    TDestroyHandler onDestroy;  // called once when destruction starts

protected:
    // The notification and the clean-up actions; a class that must run them before its
    // own clean-up calls this first. A second run does nothing.
    void notifyDestroy();

private:
    struct AutoFree {
        TAutoFreeProc proc;
        void* object;
    };
    std::int32_t refCount_ = 0;
    std::vector<AutoFree> autoFreeList_;
};

// free for a reference that may be null.
inline void freeObject(TObj* object) {
    if (object) object->free();
}

}  // namespace toolkit
