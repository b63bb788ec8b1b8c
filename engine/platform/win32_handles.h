// Between the seam's plain handles and the system's typed ones.
#pragma once

#include "engine/platform/platform.h"

namespace plx {

template <typename T>
T As(Handle h) {
    return reinterpret_cast<T>(h);
}

template <typename T>
Handle ToHandle(T h) {
    return reinterpret_cast<Handle>(h);
}

}  // namespace plx
