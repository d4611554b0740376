#include "installer/gui/single_instance.h"

namespace pellwise {

std::unique_ptr<SingleInstance> SingleInstance::Acquire(const char* name) {
    KernelHandle mutex(CreateMutexA(nullptr, FALSE, name));
    if (!mutex || WaitForSingleObject(mutex.Get(), 0) == WAIT_TIMEOUT) return nullptr;
    return std::unique_ptr<SingleInstance>(new SingleInstance(std::move(mutex)));
}

SingleInstance::~SingleInstance() { Release(); }

void SingleInstance::Release() {
    if (!mutex_) return;
    ReleaseMutex(mutex_.Get());
    mutex_.Reset();
}

}  // namespace pellwise
