// The gamma page's test circle, drawn at the screen's own pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/scaling/display_scaling.h"

// At 96 dpi: 82 pixels square, radius 35.
inline constexpr int kTestCircleSize = 82;
inline constexpr int kTestCircleRadius = 35;
inline constexpr std::uint8_t kTestFieldLevel = 186;  // 255 * 0.5^(1/2.2), rounded

// The test circle in one channel at `scaling`, row by row from the top:
// inside the circle, lines one device pixel high alternate full (255, the
// even rows) and black; around it the field of level 186. Never resampled,
// since a filtered line pattern loses the half light it is meant to show.
struct TestCircle {
    int size;
    std::vector<std::uint8_t> levels;  // size * size
};
TestCircle TestCircleAt(const DisplayScaling& scaling);
