// The engine's one request block and the function codes and results it carries.
// Shared by the engine and every caller; the program and the library must be
// built for the same architecture so that they agree on the layout.
#pragma once

#include <cstddef>
#include <cstdint>

enum PLXFunction : std::uint32_t {
    ReadGammaFunction = 0,
    SetGammaFunction = 1,
    MakeProfileFunction = 2,
    CorrectPixelsFunction = 3,
    MonitorWhiteTemperatureFunction = 4,
};

// Master table of result codes.
enum PLXResult : std::int32_t {
    ResultRampRefused = 0,
    ResultOk = 1,
    ResultBadFunction = 2,
    ResultBadRedGamma = 3,
    ResultBadGreenGamma = 4,
    ResultBadBlueGamma = 5,
    ResultGammaUnsupported = 6,
    ResultBadTargetGamma = 7,
    ResultBadWhitePoint = 8,
    ResultBadCopyrightLength = 9,
    ResultBadDescriptionLength = 10,
    ResultBadProfileNameLength = 11,
    ResultProfileOpenFailed = 14,
    ResultProfileCloseFailed = 15,
    ResultProfileTagsFailed = 16,
    ResultProfileInstallFailed = 17,
    ResultProfileAssociateFailed = 18,
    ResultNoHandler = 19,
    ResultProfileMade = 20,
    ResultBadBitsPerPixel = 21,
    ResultNoPixels = 22,
    ResultBadPixelBytes = 23,
    ResultPixelsCorrected = 24,
    ResultWhiteFromDefault = 25,
    ResultWhiteFromEdid = 26,
    ResultWhiteOutOfRange = 27,
};

constexpr std::uint32_t kMinGamma = 140;
constexpr std::uint32_t kMaxGamma = 310;
constexpr std::size_t kRampLevels = 256;
constexpr std::size_t kRampEntries = 3 * kRampLevels;
constexpr std::size_t kTextField = 128;

struct PLXRequest {
    std::uint32_t function;
    std::uint32_t redGamma;
    std::uint32_t greenGamma;
    std::uint32_t blueGamma;
    std::uint16_t gammaRamp[kRampEntries];  // red, then green, then blue
    std::uint32_t targetGamma;
    std::uint32_t whitePoint;
    std::uint32_t copyrightLength;
    char copyright[kTextField];
    std::uint32_t descriptionLength;
    char description[kTextField];
    std::uint32_t profileNameLength;
    char profileName[kTextField];
    std::uint8_t* pixels;
    std::uint32_t pixelBytes;
    std::uint32_t bitsPerPixel;
};

static_assert(offsetof(PLXRequest, function) == 0);
static_assert(offsetof(PLXRequest, redGamma) == 4);
static_assert(offsetof(PLXRequest, greenGamma) == 8);
static_assert(offsetof(PLXRequest, blueGamma) == 12);
static_assert(offsetof(PLXRequest, gammaRamp) == 16);
static_assert(offsetof(PLXRequest, targetGamma) == 1552);
static_assert(offsetof(PLXRequest, whitePoint) == 1556);
static_assert(offsetof(PLXRequest, copyrightLength) == 1560);
static_assert(offsetof(PLXRequest, copyright) == 1564);
static_assert(offsetof(PLXRequest, descriptionLength) == 1692);
static_assert(offsetof(PLXRequest, description) == 1696);
static_assert(offsetof(PLXRequest, profileNameLength) == 1824);
static_assert(offsetof(PLXRequest, profileName) == 1828);
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(PLXRequest, pixels) == 1956);
static_assert(offsetof(PLXRequest, pixelBytes) == 1960);
static_assert(offsetof(PLXRequest, bitsPerPixel) == 1964);
static_assert(sizeof(PLXRequest) == 1968);
#else
// 64-bit pointers take natural alignment: four bytes of padding before pixels.
static_assert(offsetof(PLXRequest, pixels) == 1960);
static_assert(offsetof(PLXRequest, pixelBytes) == 1968);
static_assert(offsetof(PLXRequest, bitsPerPixel) == 1972);
static_assert(sizeof(PLXRequest) == 1976);
#endif

// The export's signature, as the program binds it at run time.
using PLXEntry = int (*)(PLXRequest*);
