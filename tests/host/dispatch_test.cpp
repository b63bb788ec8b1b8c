#include "engine/dispatch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::SameBytes;
using fake::StartRequest;
using fake::TestEngine;

constexpr std::uint32_t kMaxU32 = std::numeric_limits<std::uint32_t>::max();

// A request full of non-zero bytes shows every byte the engine wrote.
PLXRequest Patterned(std::uint32_t function) {
    PLXRequest request;
    std::memset(&request, 0xA5, sizeof request);
    request.function = function;
    return request;
}

TEST(Dispatch, RefusedCallsLeaveTheRequestUntouched) {
    struct Case {
        const char* what;
        std::uint32_t function;
        bool gammaSupported;
        int result;
    } cases[] = {
        {"function 5", 5, true, ResultBadFunction},
        {"largest function", kMaxU32, true, ResultBadFunction},
        {"read without gamma support", ReadGammaFunction, false, ResultGammaUnsupported},
    };
    for (const auto& c : cases) {
        TestEngine t;
        t.engine.state.gammaSupported = c.gammaSupported;
        PLXRequest request = Patterned(c.function);
        const PLXRequest before = request;
        EXPECT_EQ(Dispatch(t.engine, &request), c.result) << c.what;
        EXPECT_TRUE(SameBytes(request, before)) << c.what;
        EXPECT_TRUE(t.os.calls.log.empty()) << c.what;
    }
}

TEST(Dispatch, SetGammaChecksRangesBeforeSupport) {
    struct Case {
        std::uint32_t red, green, blue;
        bool gammaSupported;
        int result;
    } cases[] = {
        {139, 400, 220, true, ResultBadRedGamma},
        {139, 400, 220, false, ResultBadRedGamma},
        {311, 220, 220, true, ResultBadRedGamma},
        {kMaxU32, 220, 220, true, ResultBadRedGamma},  // a negative gamma counts as huge
        {220, 139, 220, true, ResultBadGreenGamma},
        {220, 220, 311, false, ResultBadBlueGamma},
        {140, 310, 220, false, ResultGammaUnsupported},
        {140, 310, 220, true, ResultOk},
    };
    for (const auto& c : cases) {
        TestEngine t;
        t.engine.state.gammaSupported = c.gammaSupported;
        PLXRequest request = StartRequest();
        request.function = SetGammaFunction;
        request.redGamma = c.red, request.greenGamma = c.green, request.blueGamma = c.blue;
        EXPECT_EQ(Dispatch(t.engine, &request), c.result) << c.red << " " << c.green << " " << c.blue;
    }
}

TEST(Dispatch, ProfileValidationOrderAndWriteBacks) {
    struct Case {
        const char* what;
        std::uint32_t targetGamma, whitePoint, copyrightLength, descriptionLength, profileNameLength;
        int result;  // 19: got past validation to the handler
        std::uint32_t targetGammaAfter;
    } cases[] = {
        {"target 0 becomes 220", 0, 6500, 0, 0, 0, -1, 220},
        {"target checked first", 500, 1000, 0, 0, 0, ResultBadTargetGamma, 500},
        {"target 139", 139, 6500, 0, 0, 0, ResultBadTargetGamma, 139},
        {"white 0", 220, 0, 0, 0, 0, -1, 220},
        {"white 5000", 220, 5000, 0, 0, 0, -1, 220},
        {"white 9300", 220, 9300, 0, 0, 0, -1, 220},
        {"white 4999", 220, 4999, 0, 0, 0, ResultBadWhitePoint, 220},
        {"white 9301", 220, 9301, 0, 0, 0, ResultBadWhitePoint, 220},
        {"copyright 127", 220, 6500, 127, 0, 0, -1, 220},
        {"copyright 128", 220, 6500, 128, 0, 0, ResultBadCopyrightLength, 220},
        {"copyright huge", 220, 6500, kMaxU32, 0, 0, ResultBadCopyrightLength, 220},
        {"description 128", 220, 6500, 5, 128, 0, ResultBadDescriptionLength, 220},
        {"profile name 128", 220, 6500, 5, 5, 128, ResultBadProfileNameLength, 220},
    };
    for (const auto& c : cases) {
        TestEngine t;
        // Make the handler refuse so that validation is all we see.
        t.os.calls.failing.insert("CreateFileA");
        PLXRequest request = Patterned(MakeProfileFunction);
        request.targetGamma = c.targetGamma, request.whitePoint = c.whitePoint;
        request.copyrightLength = c.copyrightLength, request.descriptionLength = c.descriptionLength;
        request.profileNameLength = c.profileNameLength;
        const int result = Dispatch(t.engine, &request);
        if (c.result >= 0) {
            EXPECT_EQ(result, c.result) << c.what;
        } else {
            EXPECT_GE(result, ResultProfileOpenFailed) << c.what;  // reached the handler
        }
        EXPECT_EQ(request.targetGamma, c.targetGammaAfter) << c.what;
        const bool pastWhitePoint = c.result < 0 || c.result >= ResultBadCopyrightLength;
        EXPECT_EQ(request.copyright[127] == 0, pastWhitePoint) << c.what;
        EXPECT_EQ(request.description[127] == 0, pastWhitePoint) << c.what;
        EXPECT_EQ(request.profileName[127] == 0, pastWhitePoint) << c.what;
    }
}

TEST(Dispatch, EmptyCopyrightGetsTheDefaultText) {
    TestEngine t;
    PLXRequest request = Patterned(MakeProfileFunction);
    request.targetGamma = 220, request.whitePoint = 6500, request.copyrightLength = 0;
    request.descriptionLength = 200;  // refused after the default is in place
    EXPECT_EQ(Dispatch(t.engine, &request), ResultBadDescriptionLength);
    EXPECT_STREQ(request.copyright, "Vantor Quell");
    EXPECT_EQ(request.copyrightLength, 12u);
    for (int i = 12; i < 128; ++i) EXPECT_EQ(request.copyright[i], 0) << i;
}

TEST(Dispatch, PixelValidation) {
    std::uint8_t buffer[12] = {};
    struct Case {
        std::uint32_t bitsPerPixel;
        std::uint8_t* pixels;
        std::uint32_t pixelBytes;
        int result;
    } cases[] = {
        {16, buffer, 12, ResultBadBitsPerPixel},
        {0, nullptr, 0, ResultBadBitsPerPixel},
        {24, nullptr, 12, ResultNoPixels},
        {32, buffer, 0, ResultBadPixelBytes},
        {24, buffer, 10, ResultBadPixelBytes},  // not a whole number of pixels
        {24, buffer, 12, ResultPixelsCorrected},
    };
    for (const auto& c : cases) {
        TestEngine t;
        t.engine.state.gammaSupported = false;  // served regardless
        PLXRequest request = StartRequest();
        request.function = CorrectPixelsFunction;
        request.bitsPerPixel = c.bitsPerPixel, request.pixels = c.pixels, request.pixelBytes = c.pixelBytes;
        EXPECT_EQ(Dispatch(t.engine, &request), c.result) << c.bitsPerPixel << " " << c.pixelBytes;
    }
}

TEST(Dispatch, GammaCallsReachTheirHandlers) {
    TestEngine t;
    PLXRequest request = StartRequest();
    request.function = SetGammaFunction;
    request.redGamma = 150;
    EXPECT_EQ(Dispatch(t.engine, &request), ResultOk);
    request.function = ReadGammaFunction;
    request.redGamma = 0;
    EXPECT_EQ(Dispatch(t.engine, &request), ResultOk);
    EXPECT_EQ(request.redGamma, 150u);
}

TEST(Dispatch, NullRequestIsRefused) {
    TestEngine t;
    EXPECT_EQ(Dispatch(t.engine, nullptr), ResultNoHandler);
}

}  // namespace
}  // namespace plx
