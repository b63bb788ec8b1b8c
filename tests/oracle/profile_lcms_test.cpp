// The profile as another ICC implementation sees it: Little CMS must open it
// without complaint and read back exactly the numbers that were encoded.
#include <lcms2.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "engine/dispatch.h"
#include "engine/profile/colorimetry.h"
#include "tests/fake/icc_file.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::Bytes;

std::vector<std::string> lcmsErrors;

void CollectError(cmsContext, cmsUInt32Number, const char* text) { lcmsErrors.push_back(text); }

struct Written {
    Bytes file;
    ProfileColorants colorants;
};

// Code 2 over the fake platform with the default colorimetry; the file as written.
Written MakeProfileFile(std::uint32_t whitePoint, std::uint32_t targetGamma, const std::string& monitorName) {
    fake::TestEngine t;
    EngineState& s = t.engine.state;
    s.redX = 0.64, s.redY = 0.33, s.greenX = 0.30, s.greenY = 0.60, s.blueX = 0.15, s.blueY = 0.06;
    s.whiteX = 0.3127, s.whiteY = 0.3290;
    std::strcpy(s.monitorName, monitorName.c_str());
    PLXRequest request = fake::StartRequest();
    request.function = MakeProfileFunction;
    request.whitePoint = whitePoint;
    request.targetGamma = targetGamma;
    EXPECT_EQ(Dispatch(t.engine, &request), ResultProfileMade);
    const std::string path = t.os.files.documents + "\\My ICC Profiles\\" + monitorName + ".icm";
    return {t.os.files.files.at(path), ComputeColorants(s, whitePoint)};
}

cmsHPROFILE Open(const Bytes& file) {
    return cmsOpenProfileFromMem(file.data(), static_cast<cmsUInt32Number>(file.size()));
}

std::string InfoText(cmsHPROFILE profile, cmsInfoType info) {
    char text[256] = {};
    cmsGetProfileInfoASCII(profile, info, "en", "US", text, sizeof text);
    return text;
}

class ProfileReadBack : public ::testing::Test {
protected:
    void SetUp() override {
        lcmsErrors.clear();
        cmsSetLogErrorHandler(CollectError);
    }
    void TearDown() override {
        cmsSetLogErrorHandler(nullptr);
        EXPECT_TRUE(lcmsErrors.empty()) << lcmsErrors.front();
    }
};

TEST_F(ProfileReadBack, LittleCmsReadsTheEncodedValues) {
    struct Case {
        std::uint32_t whitePoint, targetGamma;
    } cases[] = {{6500, 220}, {5000, 140}, {0, 310}, {9300, 250}, {7500, 180}};
    const cmsTagSignature xyzTags[4] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag,
                                        cmsSigMediaWhitePointTag};
    const cmsTagSignature trcTags[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.whitePoint) + " K, gamma " + std::to_string(c.targetGamma));
        const Written written = MakeProfileFile(c.whitePoint, c.targetGamma, "Test Monitor");
        EXPECT_EQ(fake::IccStructureFault(written.file), "");

        cmsHPROFILE profile = Open(written.file);
        ASSERT_NE(profile, nullptr);
        EXPECT_EQ(cmsGetEncodedICCversion(profile), 0x02100000u);
        EXPECT_EQ(cmsGetDeviceClass(profile), cmsSigDisplayClass);
        EXPECT_EQ(cmsGetColorSpace(profile), cmsSigRgbData);
        EXPECT_EQ(cmsGetPCS(profile), cmsSigXYZData);
        EXPECT_EQ(cmsGetHeaderRenderingIntent(profile), cmsUInt32Number{INTENT_PERCEPTUAL});
        EXPECT_EQ(cmsGetHeaderManufacturer(profile), 0x544E524Bu);  // TNRK
        EXPECT_EQ(cmsGetHeaderCreator(profile), 0x544E524Bu);
        EXPECT_TRUE(cmsIsMatrixShaper(profile));

        for (int tag = 0; tag < 4; ++tag) {
            // Read raw: cmsReadTag gives the stored XYZ, before any adaptation.
            const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, xyzTags[tag]));
            ASSERT_NE(xyz, nullptr) << tag;
            const double values[3] = {xyz->X, xyz->Y, xyz->Z};
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(values[k], written.colorants[3 * tag + k] / 65536.0, 1.0 / 65536) << tag << " " << k;
        }
        const double u8Fixed8 = static_cast<int>(c.targetGamma / 100.0 * 256 + 0.5) / 256.0;
        for (cmsTagSignature tag : trcTags) {
            const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile, tag));
            ASSERT_NE(curve, nullptr);
            ASSERT_EQ(cmsGetToneCurveParametricType(curve), 1);  // a pure gamma
            EXPECT_NEAR(cmsGetToneCurveParams(curve)[0], u8Fixed8, 1.0 / 256);
            EXPECT_NEAR(cmsGetToneCurveParams(curve)[0], c.targetGamma / 100.0, 1.0 / 256);
        }

        EXPECT_EQ(InfoText(profile, cmsInfoDescription), "Test Monitor");
        EXPECT_EQ(InfoText(profile, cmsInfoCopyright), "Vantor Quell");
        std::tm created{};
        ASSERT_TRUE(cmsGetHeaderCreationDateTime(profile, &created));
        EXPECT_EQ(created.tm_year + 1900, 2008);
        EXPECT_EQ(created.tm_mon + 1, 12);
        EXPECT_EQ(created.tm_mday, 25);
        EXPECT_EQ(created.tm_hour, 14);
        EXPECT_EQ(created.tm_min, 30);
        EXPECT_EQ(created.tm_sec, 5);

        // Usable as a display profile: a transform to sRGB can be built.
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHTRANSFORM transform = cmsCreateTransform(profile, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
        EXPECT_NE(transform, nullptr);
        if (transform != nullptr) cmsDeleteTransform(transform);
        cmsCloseProfile(srgb);
        cmsCloseProfile(profile);
    }
}

TEST_F(ProfileReadBack, DefaultColorantsAt6500K) {
    const Written written = MakeProfileFile(6500, 220, "Test Monitor");
    cmsHPROFILE profile = Open(written.file);
    ASSERT_NE(profile, nullptr);
    const struct {
        cmsTagSignature tag;
        double X, Y, Z;
    } expected[] = {{cmsSigRedColorantTag, 0.4361, 0.2225, 0.0139},
                    {cmsSigGreenColorantTag, 0.3851, 0.7169, 0.0971},
                    {cmsSigBlueColorantTag, 0.1431, 0.0606, 0.7141},
                    {cmsSigMediaWhitePointTag, 0.9504, 1.0, 1.0889}};
    for (const auto& e : expected) {
        const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, e.tag));
        ASSERT_NE(xyz, nullptr);
        EXPECT_NEAR(xyz->X, e.X, 1e-4);
        EXPECT_NEAR(xyz->Y, e.Y, 1e-4);
        EXPECT_NEAR(xyz->Z, e.Z, 1e-4);
    }
    cmsCloseProfile(profile);
}

TEST_F(ProfileReadBack, LongestDescription) {
    const std::string name(127, 'N');
    const Written written = MakeProfileFile(6500, 220, name);
    cmsHPROFILE profile = Open(written.file);
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(InfoText(profile, cmsInfoDescription), name);
    cmsCloseProfile(profile);
}

}  // namespace
}  // namespace plx
