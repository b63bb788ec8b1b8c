// Function code 2 with arbitrary texts, lengths, white points, target gammas,
// monitor names and documents folders, and any platform or colour-profile
// service call failing: the result is one of the code's results, nothing is
// written anywhere but the profile folder and the colour directory, never at
// a cut path, and a profile that counts as written is complete.
//
// Input (little-endian; texts are a u16 length, modulo the field size plus
// one, and the bytes): u8 mode (bit 0: the colour-profile service with fault
// injection behind a request the entry point would pass, else the export
// itself), u8 colorimetry (bit 0: ten EDID chromaticity bytes follow),
// documents folder text (300), monitor name and device id texts (259),
// u8 failing calls, each u8 call and u8 number (0: every call), u32 target
// gamma, u32 white point, then copyright, description and profile name, each
// a u32 length and a text (128).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "engine/dispatch.h"
#include "engine/profile/edid_chromaticity.h"
#include "engine/profile/make_profile.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/profile_checks.h"
#include "tests/fake/fake_profile_service.h"
#include "tests/fake/test_engine.h"

namespace {

using plx::fuzz::Input;

const char* const kFailableCalls[] = {
    "SHGetFolderPathA", "CreateDirectoryA", "CreateFileA", "WriteFile", "CloseHandle", "GetColorDirectoryA",
    "DisassociateColorProfileFromDeviceA", "UninstallColorProfileA", "InstallColorProfileA",
    "AssociateColorProfileWithDeviceA", "RegCreateKeyExA", "RegSetValueExA", "RegCloseKey", "OpenColorProfileA",
    "SetColorProfileHeader", "SetColorProfileElementSize", "SetColorProfileElement", "CloseColorProfile"};

constexpr char kSettingsKey[] = "Software\\Brightvale\\Lumora";

template <std::size_t N>
void SetText(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::copy_n(text.begin(), std::min(text.size(), N), field);
}

// What the entry point hands over after its checks: gammas and white in
// range, lengths below 128, the last byte of each text zero, a copyright.
void AsValidated(PLXRequest& r) {
    if (r.targetGamma < 140 || r.targetGamma > 310) r.targetGamma = 140 + r.targetGamma % 171;
    if (r.whitePoint != 0 && (r.whitePoint < 5000 || r.whitePoint > 9300)) r.whitePoint = 5000 + r.whitePoint % 4301;
    r.copyrightLength = 1 + r.copyrightLength % 127;
    r.descriptionLength %= 128, r.profileNameLength %= 128;
    r.copyright[127] = r.description[127] = r.profileName[127] = '\0';
}

bool Fails(const plx::fake::Calls& calls, const std::string& name, int number) {
    const auto at = calls.failingAt.find(name);
    return calls.failing.count(name) != 0 || (at != calls.failingAt.end() && at->second.count(number) != 0);
}

// The file name the profile must get: the 13 characters that cannot stand in
// a file name become underscores, nothing else changes.
std::string ExpectedFileName(const char (&profileName)[128]) {
    std::string name(profileName, std::find(profileName, profileName + 128, '\0'));
    for (char& c : name)
        if (std::strchr("\"/\\[]:;|=,^*?", c) != nullptr) c = '_';
    return name + ".icm";
}

std::string WithoutTrailingBackslashes(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    plx::fake::TestEngine t;
    plx::EngineState& s = t.engine.state;
    const bool throughService = in.Flag();
    if (in.Flag()) {
        std::uint8_t block[10];
        for (auto& b : block) b = in.Take<std::uint8_t>();
        plx::DecodeEdidChromaticity(block, 0, s.redX, s.redY, s.greenX, s.greenY, s.blueX, s.blueY, s.whiteX, s.whiteY);
    } else {
        const plx::Primaries& p = plx::defaultPrimaries;
        s.redX = p.red.x, s.redY = p.red.y, s.greenX = p.green.x, s.greenY = p.green.y;
        s.blueX = p.blue.x, s.blueY = p.blue.y, s.whiteX = plx::defaultWhite.x, s.whiteY = plx::defaultWhite.y;
    }
    t.os.files.documents = in.Text(300);
    SetText(s.monitorName, in.Text(plx::kTextBuffer - 1));
    SetText(s.monitorDeviceId, in.Text(plx::kTextBuffer - 1));
    for (int n = in.Take<std::uint8_t>() % 8; n > 0; --n) {
        const char* call = kFailableCalls[in.Take<std::uint8_t>() % std::size(kFailableCalls)];
        const auto number = in.Take<std::uint8_t>();
        if (number == 0)
            t.os.calls.failing.insert(call);
        else
            t.os.calls.failingAt[call].insert(number);
    }
    PLXRequest request{};
    request.function = MakeProfileFunction;
    request.targetGamma = in.Take<std::uint32_t>();
    request.whitePoint = in.Take<std::uint32_t>();
    request.copyrightLength = in.Take<std::uint32_t>();
    SetText(request.copyright, in.Text(128));
    request.descriptionLength = in.Take<std::uint32_t>();
    SetText(request.description, in.Text(128));
    request.profileNameLength = in.Take<std::uint32_t>();
    SetText(request.profileName, in.Text(128));

    int result;
    if (throughService) {
        AsValidated(request);
        plx::fake::FakeProfileService service(t.os.calls, t.os.files);
        result = plx::MakeProfile(t.engine, request, service);
    } else {
        result = plx::Dispatch(t.engine, &request);
    }

    static const std::set<int> results = {7, 8, 9, 10, 11, 14, 15, 16, 17, 18, 20};
    FUZZ_CHECK(results.count(result) == 1);
    FUZZ_CHECK(t.os.files.openFiles == 0 && t.os.userRegistry.openKeys == 0);
    auto& files = t.os.files.files;
    if (result < 14) {
        FUZZ_CHECK(t.os.calls.log.empty() && files.empty());
        return 0;
    }
    FUZZ_CHECK(request.description[127] == '\0' && request.profileName[127] == '\0');
    FUZZ_CHECK(request.descriptionLength <= 127 && request.profileNameLength <= 127);

    const std::string& documents = t.os.files.documents;
    // What the fake reports: the text up to its first zero, in a 260-byte
    // buffer; a longer one fits no buffer, and no path made of it fits either.
    const std::string documentsFound = documents.substr(0, std::min<std::size_t>(documents.find('\0'), 259));
    const std::string folder =
        Fails(t.os.calls, "SHGetFolderPathA", 1) ? std::string() : documentsFound + "\\My ICC Profiles\\";
    const std::string fileName = ExpectedFileName(request.profileName);
    const std::string fullPath = folder + fileName;
    const std::string installedPath = t.os.colorService.colorDirectory + "\\" + fileName;

    // Only the profile, where it belongs, and its installed copy; only the
    // profile folder is created.
    for (const auto& [path, bytes] : files) FUZZ_CHECK(path == fullPath || path == installedPath);
    for (const std::string& directory : t.os.files.directories)
        FUZZ_CHECK(directory == WithoutTrailingBackslashes(folder));
    // A path too long for the locator, or with a wildcard, is not used at all.
    if (fullPath.size() >= 260 || fullPath.find_first_of("?*") != std::string::npos)
        FUZZ_CHECK(result == 14 && files.empty() && t.os.files.directories.empty());

    if (result >= 17) {
        FUZZ_CHECK(files.count(fullPath) == 1);
        plx::fuzz::CheckCompleteProfile(files[fullPath], request, {s.profileWhiteX, s.profileWhiteY});
    }
    if (result >= 18) FUZZ_CHECK(files.count(installedPath) == 1 && files[installedPath] == files[fullPath]);
    const auto settings = t.os.userRegistry.keys.find(kSettingsKey);
    if (result != 20) {
        FUZZ_CHECK(settings == t.os.userRegistry.keys.end());
    } else if (settings != t.os.userRegistry.keys.end()) {
        for (const auto& [name, value] : settings->second)
            FUZZ_CHECK((name == "DefaultProfileName" && value == fileName) ||
                       (name == "DefaultProfilePath" && value == fullPath));
    }
    return 0;
}
