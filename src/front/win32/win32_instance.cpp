#include "front/win32/win32_instance.h"

namespace seastrip {

SingleInstance::~SingleInstance()
{
    if (mutex_) CloseHandle(mutex_);
}

bool SingleInstance::Claim()
{
    mutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Seastrip.Strip");
    // A mutex that cannot be made at all does not stop the strip: better two
    // strips than none.
    if (!mutex_) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex_);
        mutex_ = nullptr;
        return false;
    }
    return true;
}

}  // namespace seastrip
