// A recording stand-in for PLX.dll, for tests of the engine's callers. It has
// the engine's one export and request block but touches no display: every call
// is written to a log, and the results are scripted.
//
// Environment (read at every call, so a test may change it between calls):
//   PLX_RECORD_LOG      file to which each call appends one line
//                       "<function> <redGamma> <greenGamma> <blueGamma>\n"
//                       (decimal, the request as it came in; the file is
//                       opened, flushed and closed per call). Unset: no log.
//   PLX_RECORD_RESULTS  "function:result,..." e.g. "0:1,1:6". Functions not
//                       listed answer 0:1, 1:1, 2:20, 3:24, 4:25; codes above
//                       4 answer 2, as the engine's validation does.
//   PLX_RECORD_GAMMAS   "r,g,b": what a successful code 0 writes into the
//                       request's three gammas (default 220,220,220).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/request.h"

namespace {

int DefaultResult(std::uint32_t function) {
    switch (function) {
        case ReadGammaFunction: return ResultOk;
        case SetGammaFunction: return ResultOk;
        case MakeProfileFunction: return ResultProfileMade;
        case CorrectPixelsFunction: return ResultPixelsCorrected;
        case MonitorWhiteTemperatureFunction: return ResultWhiteFromDefault;
        default: return ResultBadFunction;
    }
}

// The scripted result for `function`, or its default. Malformed entries are
// skipped; the last entry for a function wins.
int ScriptedResult(std::uint32_t function) {
    int result = DefaultResult(function);
    const char* script = std::getenv("PLX_RECORD_RESULTS");
    for (const char* entry = script; entry && *entry;) {
        unsigned long code = 0;
        long answer = 0;
        if (std::sscanf(entry, "%lu:%ld", &code, &answer) == 2 && code == function) result = int(answer);
        const char* comma = std::strchr(entry, ',');
        entry = comma ? comma + 1 : nullptr;
    }
    return result;
}

void Record(const PLXRequest& request) {
    const char* path = std::getenv("PLX_RECORD_LOG");
    if (!path || !*path) return;
    std::FILE* log = std::fopen(path, "a");
    if (!log) return;
    std::fprintf(log, "%lu %lu %lu %lu\n", static_cast<unsigned long>(request.function),
                 static_cast<unsigned long>(request.redGamma), static_cast<unsigned long>(request.greenGamma),
                 static_cast<unsigned long>(request.blueGamma));
    std::fflush(log);
    std::fclose(log);
}

void WriteReadGammas(PLXRequest& request) {
    unsigned long red = 220, green = 220, blue = 220;
    if (const char* gammas = std::getenv("PLX_RECORD_GAMMAS"))
        if (std::sscanf(gammas, "%lu,%lu,%lu", &red, &green, &blue) != 3) red = green = blue = 220;
    request.redGamma = std::uint32_t(red);
    request.greenGamma = std::uint32_t(green);
    request.blueGamma = std::uint32_t(blue);
}

}  // namespace

extern "C" __declspec(dllexport) int __cdecl PLX(PLXRequest* request) {
    if (!request) return ResultBadFunction;
    Record(*request);
    const int result = ScriptedResult(request->function);
    if (request->function == ReadGammaFunction && result == ResultOk) WriteReadGammas(*request);
    return result;
}
