// Windows need an X display under Wine: without one, every test that shows a
// window skips, saying so in one way.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

namespace test_support {

inline bool HaveDisplay() { return GetEnvironmentVariableA("DISPLAY", nullptr, 0) > 0; }

}  // namespace test_support

#define SKIP_WITHOUT_DISPLAY() \
    if (!test_support::HaveDisplay()) GTEST_SKIP() << "no X display (DISPLAY is not set): window test skipped"
