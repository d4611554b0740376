#pragma once

#include <windows.h>

#include <memory>
#include <utility>

#include "services/win32_handles.h"

namespace pellwise {

// The named mutex that keeps a second copy of the installer from starting
// while one runs.
class SingleInstance {
public:
    // Nothing when the mutex cannot be made or another running copy holds
    // it. An abandoned mutex (a copy that died) lets this one start.
    static std::unique_ptr<SingleInstance> Acquire(const char* name);

    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Lets the next copy start; the destructor does it too.
    void Release();

private:
    explicit SingleInstance(KernelHandle mutex) : mutex_(std::move(mutex)) {}

    KernelHandle mutex_;
};

}  // namespace pellwise
