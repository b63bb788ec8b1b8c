// The engine's single process-wide record, filled at start-up and read by the
// handlers; only the profile maker changes it afterwards (the profile white).
#pragma once

#include <cstdint>

#include "engine/platform/platform.h"

namespace plx {

enum EdidStatus : std::int32_t {
    EdidDecoded = 100,
    EdidNoValue = 101,
    EdidUndecoded = 102,
    EdidNoKey = 103,
};

constexpr std::size_t kTextBuffer = 260;

struct EngineState {
    Handle displayDc = kNoHandle;
    OsVersion osVersion;
    bool gammaSupported = false;
    std::int32_t edidStatus = EdidNoKey;
    double redX = 0, redY = 0, greenX = 0, greenY = 0, blueX = 0, blueY = 0;
    double whiteX = 0, whiteY = 0;
    double profileWhiteX = 0, profileWhiteY = 0;
    // Always zero-terminated within their buffers.
    char monitorName[kTextBuffer] = {};
    char monitorDeviceId[kTextBuffer] = {};
    char monitorKeyPath[kTextBuffer] = {};
};

// The state together with the operating system it talks to. The DLL holds one
// for the process; tests build their own over a fake platform.
struct Engine {
    EngineState state;
    Platform& os;
};

}  // namespace plx
