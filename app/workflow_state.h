// The state the calibration pages share for the whole run: one of each per
// process, touched only on the user-interface thread, read and written
// directly by the pages.
#pragma once

#include <cstdint>
#include <string>

#include "engine/request.h"

// Gammas of the three channels, each gamma x 100.
struct ChannelGammas {
    std::uint32_t red;
    std::uint32_t green;
    std::uint32_t blue;
};

// The program's only request block; every engine call receives its address.
inline PLXRequest engineRequest{};
// The engine's export, bound by the gamma page; never reset.
inline PLXEntry engineEntry = nullptr;
// The gammas found when the gamma page opened, put back on Exit.
inline ChannelGammas savedGammas{220, 220, 220};
// Whether the engine read savedGammas from the display. Otherwise they are
// only the sliders' start positions, and Exit must not load them.
inline bool savedGammasRead = false;
// Under HKEY_CURRENT_USER.
inline constexpr char settingsKeyPath[] = "Software\\Brightvale\\Lumora";
// Full paths of the two logon companions, computed by the introduction page.
inline std::wstring loaderPath;
inline std::wstring resumePath;
// Days, and the next reminder date as the decimal number YYYYMMDD.
inline std::uint32_t remindInterval = 0;
inline std::uint32_t remindDate = 0;

// The start values of the request: every profile the program makes is for
// gamma 2.20 and a 6500 K white, with the engine's own texts.
inline void SetRequestStartValues(PLXRequest& request) {
    request.redGamma = 220;
    request.greenGamma = 220;
    request.blueGamma = 220;
    request.targetGamma = 220;
    request.whitePoint = 6500;
    request.copyrightLength = 0;
    request.descriptionLength = 0;
    request.profileNameLength = 0;
}
