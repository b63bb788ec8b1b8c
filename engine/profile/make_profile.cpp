#include "engine/profile/make_profile.h"

#include <string>

#include "engine/profile/colorimetry.h"
#include "engine/profile/icc_profile_writer.h"
#include "engine/profile/monitor_profile.h"
#include "engine/profile/profile_path.h"

namespace plx {

namespace {

constexpr char kSettingsKey[] = "Software\\Brightvale\\Lumora";

// Only the installed copy in the colour directory is removed: the service
// deletes the file it is given, and the freshly written profile at the full
// path must survive to be installed.
void RemoveEarlierInstallation(ColorService& colorService, const std::string& fileName, const char* deviceId) {
    colorService.DisassociateColorProfileFromDeviceA(fileName.c_str(), deviceId);
    const std::string installedCopy = InstalledCopyPath(colorService, fileName);
    if (!installedCopy.empty()) colorService.UninstallColorProfileA(installedCopy.c_str(), true);
}

void RecordDefaultProfile(UserRegistry& registry, const std::string& fileName, const std::string& fullPath) {
    Handle key = kNoHandle;
    if (registry.RegCreateKeyExA(kSettingsKey, key) != kRegOk) return;
    registry.RegSetValueExA(key, "DefaultProfileName", fileName.c_str());
    registry.RegSetValueExA(key, "DefaultProfilePath", fullPath.c_str());
    registry.RegCloseKey(key);
}

}  // namespace

int MakeProfile(Engine& engine, PLXRequest& request) {
    IccProfileWriter writer(engine.os.files);
    return MakeProfile(engine, request, writer);
}

int MakeProfile(Engine& engine, PLXRequest& request, ColorProfileService& service) {
    EngineState& state = engine.state;
    Platform& os = engine.os;

    const std::optional<std::string> folder = ProfileFolder(os.files);
    FillFromMonitorName(request.description, request.descriptionLength, state.monitorName);
    FillFromMonitorName(request.profileName, request.profileNameLength, state.monitorName);
    const std::string fileName = ProfileFileName(request.profileName);
    const std::string fullPath = folder.value_or("") + fileName;
    // An existing folder is fine; none is made for a path that cannot be used.
    if (folder && !folder->empty() && UsableProfilePath(fullPath.c_str())) os.files.CreateDirectoryA(folder->c_str());

    ResolveTargetWhite(state, request.whitePoint);
    const ProfileColorants colorants = ComputeColorants(state, request.whitePoint);

    // A documents folder whose name does not fit the buffer holds no usable
    // path either: 14, as for any such path, and never the current directory.
    if (!folder) return ResultProfileOpenFailed;
    const int written = WriteMonitorProfile(service, os.clock, fullPath.c_str(), request, colorants);
    if (written != ResultProfileMade) return written;

    RemoveEarlierInstallation(os.colorService, fileName, state.monitorDeviceId);
    if (!os.colorService.InstallColorProfileA(fullPath.c_str())) return ResultProfileInstallFailed;
    if (!os.colorService.AssociateColorProfileWithDeviceA(fileName.c_str(), state.monitorDeviceId))
        return ResultProfileAssociateFailed;

    RecordDefaultProfile(os.userRegistry, fileName, fullPath);
    return ResultProfileMade;
}

}  // namespace plx
