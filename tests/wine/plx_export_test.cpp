// PLX.dll as the program uses it: loaded by name, called through its export.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "engine/request.h"

namespace {

class PlxExport : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA("PLX.dll");
        ASSERT_NE(library_, nullptr);
        plx_ = reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library_, "PLX")));
        ASSERT_NE(plx_, nullptr);
    }
    void TearDown() override {
        if (library_) FreeLibrary(library_);
    }
    HMODULE library_ = nullptr;
    PLXEntry plx_ = nullptr;
};

PLXRequest Patterned(std::uint32_t function) {
    PLXRequest request;
    std::memset(&request, 0x5A, sizeof request);
    request.function = function;
    return request;
}

TEST_F(PlxExport, RefusesBadRequestsWithoutTouchingThem) {
    std::uint8_t pixels[12] = {};
    struct Case {
        const char* what;
        std::uint32_t function, red, green, blue;
        std::uint32_t bitsPerPixel;
        std::uint8_t* pixels;
        std::uint32_t pixelBytes;
        int result;
    } cases[] = {
        {"function 5", 5, 220, 220, 220, 24, pixels, 12, 2},
        {"red 139", 1, 139, 400, 220, 24, pixels, 12, 3},
        {"green 400", 1, 220, 400, 220, 24, pixels, 12, 4},
        {"blue 311", 1, 220, 220, 311, 24, pixels, 12, 5},
        {"16 bits", 3, 220, 220, 220, 16, pixels, 12, 21},
        {"no pixels", 3, 220, 220, 220, 24, nullptr, 12, 22},
        {"no bytes", 3, 220, 220, 220, 32, pixels, 0, 23},
    };
    for (const auto& c : cases) {
        PLXRequest request = Patterned(c.function);
        request.redGamma = c.red, request.greenGamma = c.green, request.blueGamma = c.blue;
        request.bitsPerPixel = c.bitsPerPixel, request.pixels = c.pixels, request.pixelBytes = c.pixelBytes;
        const PLXRequest before = request;
        EXPECT_EQ(plx_(&request), c.result) << c.what;
        EXPECT_EQ(std::memcmp(&request, &before, sizeof request), 0) << c.what;
    }
}

TEST_F(PlxExport, PartialPixelIsRefusedByTheHandler) {
    std::uint8_t pixels[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    PLXRequest request{};
    request.function = 3;
    request.redGamma = request.greenGamma = request.blueGamma = 220;
    request.bitsPerPixel = 24, request.pixels = pixels, request.pixelBytes = 10;
    EXPECT_EQ(plx_(&request), 23);
    const std::uint8_t original[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(std::memcmp(pixels, original, 10), 0);
}

TEST_F(PlxExport, GammaSupportFollowsTheDisplay) {
    // Wine answers 0 to the colour-management capability query: no gamma.
    PLXRequest request{};
    request.function = 0;
    EXPECT_EQ(plx_(&request), 6);
}

// A host that loads and frees the engine again and again keeps its memory:
// what the library's runtime takes at attach is given back at detach.
TEST(PlxLibrary, FreeingItGivesItsMemoryBack) {
    const auto committed = [] {
        PROCESS_MEMORY_COUNTERS counters{};
        return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.PagefileUsage : 0;
    };
    FreeLibrary(LoadLibraryA("PLX.dll"));  // the system libraries it brings in stay
    const SIZE_T before = committed();
    for (int cycle = 0; cycle < 300; ++cycle) FreeLibrary(LoadLibraryA("PLX.dll"));
    // Without the clean-up each cycle loses at least 4 KB.
    EXPECT_LT(committed(), before + 256 * 1024);
}

// Wine's traces of display contexts and ramp calls (its "dc" channel) that
// this thread wrote into the log from byte `from` on.
std::vector<std::string> DisplayTraces(const char* log, std::streamoff from) {
    std::ifstream file(log, std::ios::binary);
    file.seekg(from);
    char thread[16];
    std::snprintf(thread, sizeof thread, "%04lx:trace:dc:", GetCurrentThreadId());
    std::vector<std::string> traces;
    for (std::string line; std::getline(file, line);)
        if (line.rfind(thread, 0) == 0 && (line.find("OpenDCW") != line.npos || line.find("GammaRamp") != line.npos))
            traces.push_back(line.substr(std::strlen(thread)));
    return traces;
}

// Loaded and freed without a call, the engine makes no display context and no
// ramp call; the first call starts it, with the primary adapter's own context
// first. Run as plx_first_call_start_up, through stderr_log.sh.
TEST(PlxLibrary, StartsOnTheFirstCallNotWhenLoaded) {
    char log[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LUMORA_STDERR_LOG", log, sizeof log);
    if (length == 0 || length >= sizeof log) GTEST_SKIP() << "run through stderr_log.sh to collect Wine's traces";
    const auto logSize = [&] { return std::ifstream(log, std::ios::binary | std::ios::ate).tellg(); };
    // What the system libraries do with the display when first loaded happens
    // before the count.
    FreeLibrary(LoadLibraryA("PLX.dll"));
    ReleaseDC(nullptr, GetDC(nullptr));

    std::streamoff mark = logSize();
    for (int cycle = 0; cycle < 3; ++cycle) FreeLibrary(LoadLibraryA("PLX.dll"));
    EXPECT_EQ(DisplayTraces(log, mark), std::vector<std::string>{});

    HMODULE library = LoadLibraryA("PLX.dll");
    const auto plx = reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library, "PLX")));
    ASSERT_NE(plx, nullptr);
    mark = logSize();
    PLXRequest request{};
    EXPECT_EQ(plx(&request), ResultGammaUnsupported);
    // Wine answers 0 to the capability query on every context: the primary
    // adapter's own is given up for the whole desktop's, which answers 0 too.
    const std::vector<std::string> traces = DisplayTraces(log, mark);
    ASSERT_FALSE(traces.empty());
    EXPECT_NE(traces.front().find(R"(device=L"\\\\.\\DISPLAY1")"), std::string::npos) << traces.front();
    EXPECT_NE(traces.back().find("device=<null>"), std::string::npos) << traces.back();
    FreeLibrary(library);
}

}  // namespace
