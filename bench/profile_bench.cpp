// Function code 2 with the profile written to a real file, beside Little CMS
// building and saving an equivalent matrix/TRC profile in the same run.
#include <benchmark/benchmark.h>
#include <lcms2.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench/stdio_files.h"
#include "engine/profile/make_profile.h"
#include "tests/fake/test_engine.h"

namespace {

// A fresh folder under the system's temporary folder, removed with the object.
struct TemporaryFolder {
    std::string path;
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "profile_bench.XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~TemporaryFolder() {
        if (!path.empty()) std::filesystem::remove_all(path);
    }
};

// Installation and association are the system's business, not measured here.
class AcceptingColorService : public plx::ColorService {
public:
    bool GetColorDirectoryA(char path[260]) override {
        std::strcpy(path, "color");
        return true;
    }
    bool InstallColorProfileA(const char*) override { return true; }
    bool UninstallColorProfileA(const char*, bool) override { return true; }
    bool AssociateColorProfileWithDeviceA(const char*, const char*) override { return true; }
    bool DisassociateColorProfileFromDeviceA(const char*, const char*) override { return true; }
};

void BM_MakeProfile(benchmark::State& state) {
    plx::fake::FakePlatform fakes;
    TemporaryFolder documents;
    plx::bench::StdioFiles files(documents.path);
    AcceptingColorService colorService;
    plx::Platform platform{fakes.display, fakes.system, fakes.machineRegistry, fakes.userRegistry, files,
                           colorService,  fakes.clock};
    plx::Engine engine{plx::EngineState{}, platform};
    plx::EngineState& s = engine.state;
    s.redX = 0.64, s.redY = 0.33, s.greenX = 0.30, s.greenY = 0.60, s.blueX = 0.15, s.blueY = 0.06;
    s.whiteX = 0.3127, s.whiteY = 0.3290;
    std::strcpy(s.monitorName, "Generic Non-PnP Monitor");
    for (auto _ : state) {
        PLXRequest request = plx::fake::StartRequest();
        std::strcpy(request.copyright, "Vantor Quell");
        request.copyrightLength = 12;
        if (plx::MakeProfile(engine, request) != ResultProfileMade) state.SkipWithError("profile not made");
        fakes.calls.log.clear();
    }
}
BENCHMARK(BM_MakeProfile)->Unit(benchmark::kMicrosecond);

cmsMLU* EnglishText(const char* text) {
    cmsMLU* mlu = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(mlu, "en", "US", text);
    return mlu;
}

// The same profile with Little CMS: primaries, the 6500 K white, gamma 2.2
// on all channels, version 2.1, description and copyright.
void BM_LittleCmsRgbProfile(benchmark::State& state) {
    TemporaryFolder folder;
    const std::string path = folder.path + "/lcms.icm";
    const cmsCIExyY white = {0.312713, 0.329016, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    for (auto _ : state) {
        cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
        cmsToneCurve* curves[3] = {gamma, gamma, gamma};
        cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
        cmsSetProfileVersion(profile, 2.1);
        cmsMLU* description = EnglishText("Generic Non-PnP Monitor");
        cmsMLU* copyright = EnglishText("Vantor Quell");
        cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
        cmsWriteTag(profile, cmsSigCopyrightTag, copyright);
        if (!cmsSaveProfileToFile(profile, path.c_str())) state.SkipWithError("profile not saved");
        cmsMLUfree(copyright);
        cmsMLUfree(description);
        cmsCloseProfile(profile);
        cmsFreeToneCurve(gamma);
    }
}
BENCHMARK(BM_LittleCmsRgbProfile)->Unit(benchmark::kMicrosecond);

}  // namespace
