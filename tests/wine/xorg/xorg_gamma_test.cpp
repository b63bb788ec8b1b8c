// PLX.dll as a Windows 9x program on a display whose gamma ramp can really be
// read and set (Xorg with the dummy driver, started by tools/wine-on-xorg):
// the start-up's active probe runs against the real display.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/gamma.h"
#include "engine/request.h"

namespace {

using Ramp = std::array<WORD, kRampEntries>;

Ramp RampFor(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    PLXRequest request{};
    request.redGamma = red, request.greenGamma = green, request.blueGamma = blue;
    plx::buildRamp(request);
    Ramp ramp;
    std::copy(std::begin(request.gammaRamp), std::end(request.gammaRamp), ramp.begin());
    return ramp;
}

// The display keeps 8 bits of each entry and reads them back spread over 16.
Ramp Quantised(const Ramp& ramp) {
    Ramp stored;
    std::transform(ramp.begin(), ramp.end(), stored.begin(), [](WORD v) { return WORD((v >> 8) * 257); });
    return stored;
}

class XorgGamma : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (std::getenv("LUMORA_XORG_UNAVAILABLE") != nullptr) return;
        dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        // The display as start-up finds it: a ramp that is neither the identity
        // nor a probe ramp, in the form the display keeps it.
        Set(RampFor(200, 180, 260));
        foundBeforeStartUp = Get();
        library = LoadLibraryA("PLX.dll");
        plx = library == nullptr
                  ? nullptr
                  : reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library, "PLX")));
        // The first call starts the engine; code 4 touches no ramp itself.
        PLXRequest first{};
        first.function = MonitorWhiteTemperatureFunction;
        if (plx != nullptr) plx(&first);
        foundAfterStartUp = Get();
    }
    static void TearDownTestSuite() {
        if (dc == nullptr) return;
        // The ramp outlives the process: leave the display as a fresh server has it.
        Set(RampFor(220, 220, 220));
        DeleteDC(dc);
    }
    void SetUp() override {
        if (const char* why = std::getenv("LUMORA_XORG_UNAVAILABLE"))
            GTEST_SKIP() << "no Xorg server with the dummy driver: " << why;
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        ASSERT_TRUE(GetVersionExA(&version));
        ASSERT_EQ(version.dwPlatformId, 1u) << "the program must run as Windows 9x to take the active probe";
        ASSERT_NE(plx, nullptr);
    }

    static bool Set(const Ramp& ramp) { return SetDeviceGammaRamp(dc, const_cast<WORD*>(ramp.data())) != FALSE; }
    static Ramp Get() {
        Ramp ramp{};
        EXPECT_TRUE(GetDeviceGammaRamp(dc, ramp.data()));
        return ramp;
    }

    static inline HDC dc = nullptr;
    static inline HMODULE library = nullptr;
    static inline PLXEntry plx = nullptr;
    static inline Ramp foundBeforeStartUp{}, foundAfterStartUp{};
};

TEST_F(XorgGamma, DisplayKeepsEightBitsOfEachEntry) {
    for (const Ramp& loaded : {RampFor(227, 227, 227), RampFor(150, 220, 300)}) {
        ASSERT_TRUE(Set(loaded));
        const Ramp read = Get();
        EXPECT_EQ(read, Quantised(loaded));
    }
    EXPECT_EQ(Quantised(RampFor(227, 227, 227))[128], 33667);  // 33574 loaded
}

TEST_F(XorgGamma, StartUpProbeFindsTheRampSettableAndPutsItBack) {
    EXPECT_EQ(foundBeforeStartUp, Quantised(RampFor(200, 180, 260)));
    EXPECT_EQ(foundAfterStartUp, foundBeforeStartUp);
    PLXRequest request{};
    request.function = ReadGammaFunction;
    EXPECT_EQ(plx(&request), ResultOk);  // 6 if the probe had found no gamma support
}

TEST_F(XorgGamma, SetAndReadGammaThroughTheExport) {
    PLXRequest set{};
    set.function = SetGammaFunction;
    set.redGamma = 150, set.greenGamma = 220, set.blueGamma = 300;
    ASSERT_EQ(plx(&set), ResultOk);
    const Ramp shown = Get();
    EXPECT_EQ(shown, Quantised(RampFor(150, 220, 300)));

    PLXRequest read{};
    read.function = ReadGammaFunction;
    ASSERT_EQ(plx(&read), ResultOk);
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), read.gammaRamp));
    // The 8 bits kept move blue's midpoint from 38994 to 39064: an estimate of 301.
    EXPECT_EQ(read.redGamma, 150u);
    EXPECT_EQ(read.greenGamma, 220u);
    EXPECT_EQ(read.blueGamma, 301u);
}

}  // namespace
