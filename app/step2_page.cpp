#include "app/step2_page.h"

#include <cstring>
#include <iterator>

#include "app/engine_client.h"
#include "app/engine_messages.h"
#include "app/resources/resource.h"
#include "app/test_circle.h"
#include "app/workflow_state.h"

namespace {

void Warn(const CWnd& page, const char* text) { page.MessageBox(text, kGammaPageCaption, MB_ICONWARNING | MB_OK); }

std::uint32_t PositionOf(const CSliderCtrl& slider) { return static_cast<std::uint32_t>(slider.GetPos()); }

// The circles stand red, blue, green from left to right; their byte in a
// 24-bit pixel (blue, green, red).
constexpr int kCircleChannelByte[] = {2, 0, 1};

// A top-down 24-bit bitmap of `circle` in one channel, the others 0.
HBITMAP CircleBitmap(const TestCircle& circle, int channelByte) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = circle.size;
    info.bmiHeader.biHeight = -circle.size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    const std::size_t size = static_cast<std::size_t>(circle.size);
    const std::size_t stride = (size * 3 + 3) & ~std::size_t{3};
    auto* rows = static_cast<BYTE*>(bits);
    std::memset(rows, 0, stride * size);
    for (std::size_t y = 0; y < size; ++y)
        for (std::size_t x = 0; x < size; ++x) rows[y * stride + x * 3 + channelByte] = circle.levels[y * size + x];
    return bitmap;
}

}  // namespace

Step2Page::Step2Page() : CNewWizPage(IDD_STEP2_PAGE, IDB_STEP2_PAGE) {}

Step2Page::~Step2Page() {
    for (HBRUSH brush : {backgroundBrush, redBrush, greenBrush, blueBrush})
        if (brush) DeleteObject(brush);
}

void Step2Page::DoDataExchange() {
    Bind(IDC_RED_SLIDER, redSlider);
    Bind(IDC_GREEN_SLIDER, greenSlider);
    Bind(IDC_BLUE_SLIDER, blueSlider);
}

BOOL Step2Page::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    // The page picture's grey, and its level-186 fields that the sliders sit on.
    backgroundBrush = CreateSolidBrush(RGB(176, 176, 176));
    redBrush = CreateSolidBrush(RGB(186, 0, 0));
    greenBrush = CreateSolidBrush(RGB(0, 186, 0));
    blueBrush = CreateSolidBrush(RGB(0, 0, 186));
    // A slider never positioned stays at 140: the control moves into the range.
    for (CSliderCtrl* slider : {&redSlider, &greenSlider, &blueSlider}) slider->SetRange(kMinGamma, kMaxGamma, FALSE);

    if (BindEngine())
        ReadGammas();
    else
        Warn(*this, kEngineMissingWarning);

    lastRed = savedGammas.red = PositionOf(redSlider);
    lastGreen = savedGammas.green = PositionOf(greenSlider);
    lastBlue = savedGammas.blue = PositionOf(blueSlider);
    return TRUE;
}

void Step2Page::ReadGammas() {
    const std::optional<int> result = CallEngine(ReadGammaFunction);
    if (!result) return;
    if (*result == ResultOk) {
        redSlider.SetPos(int(engineRequest.redGamma));
        greenSlider.SetPos(int(engineRequest.greenGamma));
        blueSlider.SetPos(int(engineRequest.blueGamma));
        savedGammasRead = true;
    } else if (const char* warning = ReadGammaWarning(*result)) {
        Warn(*this, warning);
    }
}

void Step2Page::OnScaled(const DisplayScaling& scaling) {
    CNewWizPage::OnScaled(scaling);
    DrawTestCircles(scaling);
}

// At the screen's own pixels, whatever the dpi: a resampled line pattern would
// no longer show half the light. (At 96 dpi the drawn circles are the
// template's bitmaps.)
void Step2Page::DrawTestCircles(const DisplayScaling& scaling) {
    if (circles_.empty())
        for (HWND control : PictureControls(GetSafeHwnd())) circles_.push_back({StaticPicture(control), nullptr});
    const TestCircle circle = TestCircleAt(scaling);
    for (std::size_t i = 0; i < circles_.size() && i < std::size(kCircleChannelByte); ++i) {
        HBITMAP drawn = CircleBitmap(circle, kCircleChannelByte[i]);
        if (!drawn) continue;
        circles_[i].control.Show(drawn);
        if (circles_[i].drawn) DeleteObject(circles_[i].drawn);
        circles_[i].drawn = drawn;
    }
}

// The picture controls get their template bitmaps back before ours go.
void Step2Page::OnDestroy() {
    for (TestCirclePicture& circle : circles_) {
        circle.control.Restore();
        if (circle.drawn) DeleteObject(circle.drawn);
        circle.drawn = nullptr;
    }
    circles_.clear();
    Default();
}

// Every notification counts, each step of a thumb drag included; only a
// changed position reaches the engine.
void Step2Page::OnHScroll(UINT, UINT, HWND control) {
    if (control && control == redSlider.GetSafeHwnd())
        MoveChannel(redSlider, engineRequest.redGamma, lastRed);
    else if (control && control == greenSlider.GetSafeHwnd())
        MoveChannel(greenSlider, engineRequest.greenGamma, lastGreen);
    else if (control && control == blueSlider.GetSafeHwnd())
        MoveChannel(blueSlider, engineRequest.blueGamma, lastBlue);
    Default();
}

void Step2Page::MoveChannel(CSliderCtrl& slider, std::uint32_t& gamma, std::uint32_t& last) {
    gamma = PositionOf(slider);
    if (gamma == last) return;
    if (gamma > kMaxGamma) {
        gamma = kMaxGamma;
        slider.SetPos(int(kMaxGamma));
    } else if (gamma < kMinGamma) {
        gamma = kMinGamma;
        slider.SetPos(int(kMinGamma));
    }
    last = gamma;
    CallEngine(SetGammaFunction);
}

HBRUSH Step2Page::OnCtlColor(HDC dc, HWND control, UINT kind) {
    CNewWizPage::OnCtlColor(dc, control, kind);
    if (control && control == redSlider.GetSafeHwnd()) return redBrush;
    if (control && control == greenSlider.GetSafeHwnd()) return greenBrush;
    if (control && control == blueSlider.GetSafeHwnd()) return blueBrush;
    return backgroundBrush;
}
