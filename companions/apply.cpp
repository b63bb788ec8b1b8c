#include "companions/apply.h"

#include "companions/engine_library.h"
#include "companions/settings.h"

namespace companions {

int ApplyStoredGammas() {
    const StoredGammas gammas = ReadStoredGammas();
    if (gammas.status == Stored::Missing) return kNothingStored;
    if (gammas.status == Stored::Invalid) return kInvalidValues;

    const EngineLibrary engine;
    if (!engine.entry()) return kEngineMissing;
    PLXRequest request{};
    request.function = SetGammaFunction;
    request.redGamma = gammas.red;
    request.greenGamma = gammas.green;
    request.blueGamma = gammas.blue;
    const int result = engine.entry()(&request);
    return result == ResultOk ? kApplied : kEngineResultBase + result;
}

}  // namespace companions
