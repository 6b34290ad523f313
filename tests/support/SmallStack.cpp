#include "tests/support/SmallStack.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace testsupport {

namespace {
#ifdef _WIN32
DWORD WINAPI threadMain(LPVOID argument) {
    (*static_cast<const std::function<void()>*>(argument))();
    return 0;
}
#else
void* threadMain(void* argument) {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
}
#endif
}  // namespace

void runOnSmallStack(std::size_t stackBytes, const std::function<void()>& work) {
    void* argument = const_cast<std::function<void()>*>(&work);
#ifdef _WIN32
    HANDLE thread =
        CreateThread(nullptr, stackBytes, threadMain, argument, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
#else
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    pthread_t thread;
    pthread_create(&thread, &attributes, threadMain, argument);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
#endif
}

}  // namespace testsupport
