#include "installer/gui/single_instance.h"

namespace pellwise {

std::unique_ptr<SingleInstance> SingleInstance::Acquire(const char* name) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    if (!mutex) return nullptr;
    if (WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::unique_ptr<SingleInstance>(new SingleInstance(mutex));
}

SingleInstance::~SingleInstance() { Release(); }

void SingleInstance::Release() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
    mutex_ = nullptr;
}

}  // namespace pellwise
