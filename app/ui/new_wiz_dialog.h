#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/framework/bitmap_button.h"
#include "ui/framework/dialog.h"
#include "ui/hover_button.h"
#include "app/ui/new_wiz_page.h"
#include "app/ui/simple_browser.h"

// The wizard: a caption-less dialog whose client area shows the active page's
// picture, with picture buttons over it and a web pane along the bottom. It
// holds an ordered list of pages, creates each page's window on its first
// visit and moves among the pages with Back and Next, asking the pages before
// a page is left, before an exit and before the final save. It ends with
// IDC_SAVE (saved) or IDCANCEL (exit, or a Windows version before XP).
class CNewWizDialog : public CDialog {
public:
    explicit CNewWizDialog(UINT templateId, CWnd* parent = nullptr);
    // The pages go with the frame, after its window is gone.
    ~CNewWizDialog() override;

    BOOL ActivatePage(CNewWizPage* page);
    BOOL LeaveActivePage();
    CNewWizPage* FindPageByTemplate(UINT templateId) const;
    // The 0-based position of the active page, or -1.
    int ActivePageIndex() const;

    // The exit sequence: button 2, Escape and closing the window.
    void OnCancel() override;

protected:
    // Creates the pages in their order with AddPage.
    virtual void RegisterPages() = 0;
    void AddPage(std::unique_ptr<CNewWizPage> page, UINT templateId);

    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    BOOL OnCommand(UINT id, UINT notify, HWND control) override;
    LRESULT OnNotify(int id, NMHDR& header) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;
    void OnScaled(const DisplayScaling& scaling) override;

    void ShowFirstPage();
    void OnNext();
    void OnBack();
    void OnFinish();
    void OnAbout();
    void OnPoweredBy();

private:
    // The picture buttons with their control ids, in their loading order.
    std::array<std::pair<CBitmapButton*, UINT>, 12> PictureButtons();
    void PlacePage(const CNewWizPage& page) const;
    void TurnPage(bool forward);
    CNewWizPage* ActivePage() const;
    bool SupportedWindows() const;
    void FocusHiddenButton();
    void TearDownPages();

    std::vector<std::unique_ptr<CNewWizPage>> pages_;
    CSimpleBrowser webPane_;
    std::wstring paneAddress_;
    std::wstring aboutAddress_;
    std::wstring poweredByAddress_;
    CBitmapButton back0Button_;
    CBitmapButton poweredByButton_;
    // The active page's picture, at the frame's scaling.
    const ScaledPicture* backgroundBitmap_ = nullptr;
    CHoverButton exitButton_;
    CHoverButton helpButton_;
    CHoverButton aboutButton_;
    CHoverButton startButton_;
    CHoverButton next1Button_;
    CHoverButton next2Button_;
    CHoverButton back1Button_;
    CHoverButton back2Button_;
    CHoverButton back3Button_;
    CHoverButton saveButton_;
    CHoverButton hiddenButton_;
};
