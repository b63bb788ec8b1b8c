// The monitor profile's header and tag data, byte for byte as they go into
// the file.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/platform/platform.h"
#include "engine/profile/color_profile_service.h"

namespace plx {

using XyzRecord = std::array<std::uint8_t, 20>;
using CurvRecord = std::array<std::uint8_t, 14>;

// The fixed fields of a version 2.1 RGB monitor profile; the date is now's.
ProfileHeader BuildMonitorProfileHeader(const LocalTime& now);

// `XYZ `: one XYZ number, each component an s15Fixed16Number.
XyzRecord BuildXyzRecord(std::int32_t x, std::int32_t y, std::int32_t z);

// `curv` with one entry: the gamma (times 100) as a u8Fixed8Number.
CurvRecord BuildCurvRecord(std::uint32_t targetGamma);

// `text` of length + 9 bytes and the version 2 `desc` of length + 91 bytes.
// The text is cut to length; a shorter text leaves the rest zero. The caller
// guarantees that text holds at least length bytes.
std::vector<std::uint8_t> BuildTextRecord(const char* text, std::uint32_t length);
std::vector<std::uint8_t> BuildDescRecord(const char* text, std::uint32_t length);

}  // namespace plx
