#pragma once

#include <cstdint>
#include <vector>

#include "ui/framework/slider_ctrl.h"
#include "app/ui/new_wiz_page.h"
#include "ui/framework/static_picture.h"

// The gamma step: one slider per channel, and the display's gamma ramp
// follows every movement live. The page binds the engine the first time it
// is shown and puts the sliders at the gammas then in force.
class Step2Page : public CNewWizPage {
public:
    Step2Page();
    ~Step2Page() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnHScroll(UINT code, UINT pos, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
    void OnDestroy() override;
    void OnScaled(const DisplayScaling& scaling) override;

private:
    void ReadGammas();
    void MoveChannel(CSliderCtrl& slider, std::uint32_t& gamma, std::uint32_t& last);
    void DrawTestCircles(const DisplayScaling& scaling);

    // A test circle's picture control and the circle drawn for it.
    struct TestCirclePicture {
        StaticPicture control;
        HBITMAP drawn;
    };

    CSliderCtrl redSlider;
    CSliderCtrl greenSlider;
    CSliderCtrl blueSlider;
    HBRUSH backgroundBrush = nullptr;
    HBRUSH redBrush = nullptr;
    HBRUSH greenBrush = nullptr;
    HBRUSH blueBrush = nullptr;
    // The position each slider had when the page last acted on it.
    std::uint32_t lastRed = 0;
    std::uint32_t lastGreen = 0;
    std::uint32_t lastBlue = 0;
    std::vector<TestCirclePicture> circles_;
};
