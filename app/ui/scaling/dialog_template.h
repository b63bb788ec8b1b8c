// What a dialog template in the program's resources says of its font.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The point size a dialog template (DIALOG or DIALOGEX, as resources hold
// them) gives its font; nothing when it sets none or its bytes end before
// the size.
std::optional<int> DialogFontPoints(const std::uint8_t* bytes, std::size_t size);
