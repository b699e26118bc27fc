#pragma once

#include <windows.h>

namespace seastrip {

// One strip per session: a named mutex in the session's own namespace, held
// for as long as the program runs. The system frees it with the process, so
// a copy that crashed never keeps the next one from starting.
class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Whether this copy is the session's only strip; false when another copy
    // already holds the mutex.
    bool Claim();

private:
    HANDLE mutex_ = nullptr;
};

}  // namespace seastrip
