// An engine over the fake platform, for tests of the portable core.
#pragma once

#include <cstring>
#include <memory>

#include "engine/engine_state.h"
#include "engine/request.h"
#include "tests/fake/fake_platform.h"

namespace plx::fake {

struct TestEngine {
    FakePlatform os;
    Engine engine{EngineState{}, os.platform};

    TestEngine() {
        engine.state.displayDc = FakeDisplay::kDc;
        engine.state.gammaSupported = true;
        os.display.ramp = IdentityRamp();
    }
};

// A request as the program starts with it: gammas 220, target gamma 220, 6500 K.
inline PLXRequest StartRequest() {
    PLXRequest request{};
    request.redGamma = request.greenGamma = request.blueGamma = 220;
    request.targetGamma = 220;
    request.whitePoint = 6500;
    return request;
}

inline bool SameBytes(const PLXRequest& a, const PLXRequest& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace plx::fake
