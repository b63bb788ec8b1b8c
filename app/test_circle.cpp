#include "app/test_circle.h"

TestCircle TestCircleAt(const DisplayScaling& scaling) {
    const int size = scaling.Scale(kTestCircleSize);
    const long long diameter = 2LL * scaling.Scale(kTestCircleRadius);
    TestCircle circle{size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size, kTestFieldLevel)};
    // Pixel centres in half pixels from the image's centre, so that no
    // rounding decides which pixels lie inside.
    for (int y = 0; y < size; ++y) {
        const long long dy = 2LL * y + 1 - size;
        for (int x = 0; x < size; ++x) {
            const long long dx = 2LL * x + 1 - size;
            if (dx * dx + dy * dy <= diameter * diameter)
                circle.levels[static_cast<std::size_t>(y) * size + x] = y % 2 == 0 ? 255 : 0;
        }
    }
    return circle;
}
