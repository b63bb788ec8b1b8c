#include "app/ui/new_wiz_dialog.h"

#include <shellapi.h>

#include <algorithm>
#include <span>

#include "app/resources/resource.h"
#include "app/ui/wrong_windows.h"
#include "app/web_addresses.h"
#include "ui/system/program_files.h"
#include "ui/window_icons.h"

namespace {

// What a button set does to one button: its enabled state and its visibility,
// each set or kept. Hiding disables as well, showing enables as well.
enum Setting : signed char { kKeep = -1, kOff = 0, kOn = 1 };
struct ButtonChange {
    UINT id;
    Setting enabled, visible;
};
using ButtonSet = std::span<const ButtonChange>;

constexpr ButtonChange Hide(UINT id) { return {id, kOff, kOff}; }
constexpr ButtonChange Show(UINT id) { return {id, kOn, kOn}; }
constexpr ButtonChange Visible(UINT id) { return {id, kKeep, kOn}; }
constexpr ButtonChange Invisible(UINT id) { return {id, kKeep, kOff}; }
constexpr ButtonChange Enable(UINT id) { return {id, kOn, kKeep}; }
constexpr ButtonChange Disable(UINT id) { return {id, kOff, kKeep}; }

// The button sets, each applied in its order.
constexpr ButtonChange kFirstPageMode[] = {Enable(IDC_START),    Enable(IDC_BACK0),  Invisible(IDC_SAVE),
                                           Invisible(IDC_BACK3), Visible(IDC_START), Visible(IDC_BACK0)};
constexpr ButtonChange kLaterPageMode[] = {Disable(IDC_START), Disable(IDC_BACK0), Visible(IDC_SAVE),
                                           Visible(IDC_BACK3)};
constexpr ButtonChange kSaveEnabled[] = {Enable(IDC_SAVE), Enable(IDC_BACK3)};
constexpr ButtonChange kSaveDisabled[] = {Disable(IDC_SAVE), Disable(IDC_BACK3)};
// back3 stays disabled when the only page is also the first.
constexpr ButtonChange kOnlyPageSaveEnabled[] = {Enable(IDC_SAVE), Disable(IDC_BACK3)};
constexpr ButtonChange kMiddleHidden[] = {Hide(IDC_NEXT1), Hide(IDC_NEXT2), Hide(IDC_BACK1), Hide(IDC_BACK2)};
constexpr ButtonChange kSecondPageButtons[] = {Hide(IDC_START), Hide(IDC_BACK0), Hide(IDC_NEXT2),
                                               Hide(IDC_BACK2), Show(IDC_NEXT1), Show(IDC_BACK1)};
constexpr ButtonChange kThirdPageButtons[] = {Hide(IDC_NEXT1), Hide(IDC_BACK1), Hide(IDC_SAVE),
                                              Hide(IDC_BACK3), Show(IDC_NEXT2), Show(IDC_BACK2)};

ButtonSet SaveButtons(bool enabled, std::size_t pages) {
    if (!enabled) return kSaveDisabled;
    return pages == 1 ? ButtonSet(kOnlyPageSaveEnabled) : ButtonSet(kSaveEnabled);
}

// A set does nothing at all when one of its buttons is missing.
void ApplyButtons(HWND frame, ButtonSet set) {
    for (const ButtonChange& step : set)
        if (!GetDlgItem(frame, step.id)) return;
    for (const ButtonChange& step : set) {
        HWND button = GetDlgItem(frame, step.id);
        if (step.enabled != kKeep) EnableWindow(button, step.enabled);
        if (step.visible != kKeep) ShowWindow(button, step.visible ? SW_SHOW : SW_HIDE);
    }
}

// An empty address would open whatever folder is current.
void OpenAddress(const std::wstring& address) {
    if (!address.empty()) ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

CNewWizDialog::CNewWizDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CNewWizDialog::~CNewWizDialog() = default;

void CNewWizDialog::AddPage(std::unique_ptr<CNewWizPage> page, UINT templateId) {
    page->templateId = templateId;
    pages_.push_back(std::move(page));
}

void CNewWizDialog::DoDataExchange() { Bind(IDC_HIDDEN_DEFAULT, hiddenButton_); }

BOOL CNewWizDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    // The pane's page is inside the program; About and the credit picture
    // open the about page installed beside it.
    const std::wstring program = OwnProgramPath();
    paneAddress_ = ResourcePageAddress(program, Unscrambled(kPanePage));
    aboutAddress_ = PageBesideProgram(program, Unscrambled(kAboutPage));
    poweredByAddress_ = aboutAddress_;
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    webPane_.CreateFromControl(GetSafeHwnd(), IDC_WEB_PANE);

    for (auto [button, id] : PictureButtons()) LoadPictureButton(*button, id);

    RegisterPages();
    // Keyboard navigation enters the page dialogs.
    SetWindowLongPtrA(GetSafeHwnd(), GWL_EXSTYLE, GetWindowLongPtrA(GetSafeHwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    ScaleToOwnDpi();
    ShowFirstPage();

    if (SupportedWindows()) {
        webPane_.ShowOwnPage(paneAddress_);
        FocusHiddenButton();
        return FALSE;
    }
    CWrongWindows().DoModal();
    OnFinish();
    CDialog::OnCancel();
    return FALSE;
}

std::array<std::pair<CBitmapButton*, UINT>, 12> CNewWizDialog::PictureButtons() {
    return {{{&exitButton_, IDCANCEL},
             {&helpButton_, ID_HELP},
             {&aboutButton_, IDC_ABOUT},
             {&back0Button_, IDC_BACK0},
             {&back1Button_, IDC_BACK1},
             {&back2Button_, IDC_BACK2},
             {&back3Button_, IDC_BACK3},
             {&startButton_, IDC_START},
             {&next1Button_, IDC_NEXT1},
             {&next2Button_, IDC_NEXT2},
             {&saveButton_, IDC_SAVE},
             {&poweredByButton_, IDC_POWERED_BY}}};
}

// The pages at the frame's scaling, each created one on the placeholder's
// corner. Every picture is scaled here, so that turning a page only copies.
void CNewWizDialog::OnScaled(const DisplayScaling& scaling) {
    SetWindowIcons(GetSafeHwnd(), scaling.dpi());
    for (const auto& page : pages_) {
        page->ScaleBackground(scaling);
        if (!page->created) continue;
        page->ScaleTo(scaling);
        PlacePage(*page);
    }
}

// Windows XP (5.1) and later. A version that cannot be read is let through:
// the notice is for systems known to be too old.
bool CNewWizDialog::SupportedWindows() const {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return true;
    return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

void CNewWizDialog::FocusHiddenButton() { SetFocus(GetDlgItem(GetSafeHwnd(), IDC_HIDDEN_DEFAULT)); }

// While a box is up the frame is disabled, and a press that reaches it all
// the same (queued before the box came up, or a BM_CLICK sent to a button)
// is dropped: a second Save, or an Exit that undoes the save under way, must
// never run, nor a Next that creates a page a second time.
BOOL CNewWizDialog::OnCommand(UINT id, UINT notify, HWND control) {
    if (!IsWindowEnabled(GetSafeHwnd())) return TRUE;
    if (notify == BN_CLICKED) {
        switch (id) {
        case IDC_BACK0:
        case IDC_BACK1:
        case IDC_BACK2:
        case IDC_BACK3: OnBack(); return TRUE;
        case IDC_START:
        case IDC_NEXT1:
        case IDC_NEXT2: OnNext(); return TRUE;
        case IDC_SAVE: OnFinish(); return TRUE;
        case IDC_ABOUT: OnAbout(); return TRUE;
        case IDC_POWERED_BY: OnPoweredBy(); return TRUE;
        }
    }
    // Exit goes to OnCancel; help goes on to the application object.
    return CDialog::OnCommand(id, notify, control);
}

// The web pane's notifications are taken and none is answered, so the pane
// never cancels a navigation.
LRESULT CNewWizDialog::OnNotify(int id, NMHDR& header) {
    if (id == IDC_WEB_PANE) return 0;
    return CDialog::OnNotify(id, header);
}

void CNewWizDialog::OnAbout() { OpenAddress(aboutAddress_); }

void CNewWizDialog::OnPoweredBy() { OpenAddress(poweredByAddress_); }

BOOL CNewWizDialog::OnEraseBkgnd(HDC dc) {
    Default();
    HBITMAP picture = backgroundBitmap_ ? backgroundBitmap_->Get() : nullptr;
    if (!picture) return TRUE;
    // Only what needs painting (a button shown or hidden repaints its spot),
    // and nothing beyond the client area.
    RECT area{}, client{}, clip{};
    GetClientRect(GetSafeHwnd(), &client);
    if (GetClipBox(dc, &clip) == ERROR) clip = client;
    if (!IntersectRect(&area, &clip, &client)) return TRUE;
    // Grey wherever the client area is larger than the picture.
    if (HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128))) {
        FillRect(dc, &area, grey);
        DeleteObject(grey);
    }
    CopyBitmap(dc, area, picture);
    return TRUE;
}

void CNewWizDialog::OnDestroy() {
    TearDownPages();
    Default();
}

// A page that refuses to be left keeps its window until the system destroys
// it with the frame.
void CNewWizDialog::TearDownPages() {
    for (const auto& page : pages_) {
        if (!page->created || !page->OnLeavePage()) continue;
        page->OnPageDestroyed();
        DestroyWindow(page->GetSafeHwnd());
        page->created = 0;
    }
}

void CNewWizDialog::ShowFirstPage() {
    if (!LeaveActivePage()) return;
    const bool severalPages = pages_.size() > 1;
    ApplyButtons(GetSafeHwnd(), SaveButtons(!severalPages, pages_.size()));
    ApplyButtons(GetSafeHwnd(), severalPages ? ButtonSet(kFirstPageMode) : ButtonSet(kLaterPageMode));
    ApplyButtons(GetSafeHwnd(), kMiddleHidden);
    if (!pages_.empty()) ActivatePage(pages_.front().get());
}

BOOL CNewWizDialog::ActivatePage(CNewWizPage* page) {
    // Before any check: a failed activation shows the target's picture at
    // the next erase.
    backgroundBitmap_ = &page->Background();
    if (!page->created) {
        if (!page->Create(page->templateId, this)) return FALSE;
        page->created = 1;
        page->wizard = this;
        page->ScaleTo(Scaling());
        if (!page->OnPageCreated()) return FALSE;
    }
    if (!LeaveActivePage()) return FALSE;

    HWND window = page->GetSafeHwnd();
    PlacePage(*page);
    EnableWindow(window, TRUE);
    ShowWindow(window, SW_SHOW);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);

    page->OnEnterPage();
    page->active = 1;
    return TRUE;
}

// The page's top-left corner on the placeholder's.
void CNewWizDialog::PlacePage(const CNewWizPage& page) const {
    RECT placeholder{};
    GetWindowRect(GetDlgItem(GetSafeHwnd(), IDC_PAGE_PLACEHOLDER), &placeholder);
    MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&placeholder), 2);
    SetWindowPos(page.GetSafeHwnd(), nullptr, placeholder.left, placeholder.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CNewWizDialog::LeaveActivePage() {
    CNewWizPage* page = ActivePage();
    if (!page) return TRUE;
    if (!page->OnLeavePage()) return FALSE;
    ShowWindow(page->GetSafeHwnd(), SW_HIDE);
    page->active = 0;
    return TRUE;
}

CNewWizPage* CNewWizDialog::ActivePage() const {
    const int index = ActivePageIndex();
    return index < 0 ? nullptr : pages_[index].get();
}

int CNewWizDialog::ActivePageIndex() const {
    const auto page = std::find_if(pages_.begin(), pages_.end(), [](const auto& p) { return p->active; });
    return page == pages_.end() ? -1 : static_cast<int>(page - pages_.begin());
}

CNewWizPage* CNewWizDialog::FindPageByTemplate(UINT templateId) const {
    const auto page =
        std::find_if(pages_.begin(), pages_.end(), [templateId](const auto& p) { return p->templateId == templateId; });
    return page == pages_.end() ? nullptr : page->get();
}

void CNewWizDialog::OnNext() { TurnPage(true); }

void CNewWizDialog::OnBack() { TurnPage(false); }

// Next and Back: the active page names the target (-1 stays, 0 is the
// neighbour in the list). Only Next to the last page and Back to the first
// switch the start/back0 and save/back3 pairs; the middle pages get their
// buttons by their position.
void CNewWizDialog::TurnPage(bool forward) {
    const int current = ActivePageIndex();
    if (current < 0) return;
    CNewWizPage& page = *pages_[current];
    const LRESULT answer = forward ? page.OnPageNext() : page.OnPageBack();
    if (answer == -1) return;

    CNewWizPage* target = nullptr;
    if (answer != 0) {
        target = FindPageByTemplate(static_cast<UINT>(answer));
    } else {
        const int neighbour = current + (forward ? 1 : -1);
        if (neighbour >= 0 && neighbour < static_cast<int>(pages_.size())) target = pages_[neighbour].get();
    }
    if (!target || !ActivatePage(target)) return;

    HWND frame = GetSafeHwnd();
    if (forward && target == pages_.back().get()) {
        ApplyButtons(frame, kLaterPageMode);
        ApplyButtons(frame, SaveButtons(true, pages_.size()));
        ApplyButtons(frame, kMiddleHidden);
    } else if (!forward && target == pages_.front().get()) {
        ApplyButtons(frame, kFirstPageMode);
        ApplyButtons(frame, SaveButtons(false, pages_.size()));
        ApplyButtons(frame, kMiddleHidden);
    }
    const int index = ActivePageIndex();
    if (index == 1) ApplyButtons(frame, kSecondPageButtons);
    if (index == 2) ApplyButtons(frame, kThirdPageButtons);
}

// The save sequence.
void CNewWizDialog::OnFinish() {
    CNewWizPage* active = ActivePage();
    if (active && !active->OnLeavePage()) return;
    for (const auto& page : pages_)
        if (page->created && !page->OnPageFinish()) return;
    EndDialog(IDC_SAVE);
}

// The exit sequence.
void CNewWizDialog::OnCancel() {
    for (const auto& page : pages_) {
        if (page->created && !page->OnQueryExit()) {
            FocusHiddenButton();
            return;
        }
    }
    if (!pages_.empty()) pages_.back()->OnCancel();
    CDialog::OnCancel();
}
