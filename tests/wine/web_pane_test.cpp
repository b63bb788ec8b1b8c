// The pane around Wine's real browser control in a test window. Without
// Wine's Gecko engine the control still creates, activates and navigates and
// sends a navigation's first events; it only renders nothing.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/ui/simple_browser_event_sink.h"
#include "tests/wine/web_pane_test_support.h"

namespace {

constexpr UINT kHostId = 0xE900;
// A refused connection: nothing to look up, nothing to wait for.
constexpr char kAddress[] = "http://127.0.0.1:9/lumora";

template <class Pane>
class Observed : public Pane {
public:
    IWebBrowser2* Browser() const { return this->browser_; }
    IDispatch* Dispatch() const { return this->dispatch_; }
};

std::vector<long> Box(HWND window, HWND relativeTo) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, relativeTo, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

class WebPane : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        StartWatchdog();
        parent_.emplace();
    }
    void TearDown() override {
        if (top_) top_->Release();
    }
    HWND PaneWindow() const { return GetDlgItem(parent_->hwnd, ParentWindow::kPaneId); }
    // Hands `pane` an event built by hand, as its own control's events arrive.
    void Inject(SimpleBrowser& pane, const EventCase& event, EventArguments& arguments) {
        auto* sink = new SimpleBrowserEventSink(&pane, top_);
        event.build(arguments, top_);
        sink->Invoke(event.id, IID_NULL, 0, DISPATCH_METHOD, arguments.Params(), nullptr, nullptr, nullptr);
        sink->Release();
    }

    std::optional<ParentWindow> parent_;
    IDispatch* top_ = new SimpleBrowserEventSink(nullptr, nullptr);
};

TEST_F(WebPane, TakesThePlaceOfTheStaticControlAndOpensTheBlankPage) {
    Observed<CSimpleBrowser> pane;
    ASSERT_TRUE(pane.CreateFromControl(parent_->hwnd, ParentWindow::kPaneId));
    EXPECT_FALSE(IsWindow(parent_->placeholder));
    const HWND window = PaneWindow();
    ASSERT_NE(window, nullptr);
    const RECT& area = ParentWindow::kPaneArea;
    EXPECT_EQ(Box(window, parent_->hwnd), (std::vector<long>{area.left, area.top, area.right, area.bottom}));
    const HWND host = GetDlgItem(window, kHostId);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(Box(host, window), (std::vector<long>{0, 0, area.right - area.left, area.bottom - area.top}));
    EXPECT_NE(pane.Browser(), nullptr);
    EXPECT_NE(pane.Dispatch(), nullptr);
    ASSERT_TRUE(parent_->PumpUntil([&] { return parent_->Saw(kWebPaneBeforeNavigate2); }));
    EXPECT_EQ(parent_->seen.front(), (Seen{0, "about:blank"}));
}

TEST_F(WebPane, AMissingControlCreatesNothing) {
    CSimpleBrowser pane;
    EXPECT_FALSE(pane.CreateFromControl(parent_->hwnd, 4242));
    EXPECT_TRUE(IsWindow(parent_->placeholder));
    EXPECT_EQ(GetWindow(parent_->placeholder, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(parent_->placeholder, GW_HWNDPREV), nullptr);
}

// Wine sends BeforeNavigate2, DownloadBegin, StatusTextChange and
// DownloadComplete; a parent asking to cancel does not stop the wizard's pane.
TEST_F(WebPane, NavigationIsReportedToTheParentAndNeverCancelled) {
    CSimpleBrowser pane;
    ASSERT_TRUE(pane.CreateFromControl(parent_->hwnd, ParentWindow::kPaneId));
    ASSERT_TRUE(parent_->PumpUntil([&] { return parent_->Saw(kWebPaneDownloadComplete); }));
    parent_->seen.clear();
    parent_->senders.clear();
    parent_->answer = 1;
    pane.Navigate(kAddress);
    ASSERT_TRUE(parent_->PumpUntil([&] { return parent_->Saw(kWebPaneDownloadComplete); }));
    EXPECT_EQ(parent_->seen.front(), (Seen{0, kAddress}));
    EXPECT_TRUE(parent_->Saw(kWebPaneDownloadBegin));
    EXPECT_TRUE(parent_->Saw(kWebPaneStatusTextChange));
    for (const ParentWindow::Sender& sender : parent_->senders) {
        EXPECT_EQ(sender.pane, PaneWindow());
        EXPECT_EQ(sender.id, ParentWindow::kPaneId);
        EXPECT_EQ(sender.wParam, ParentWindow::kPaneId);
    }
}

TEST_F(WebPane, EachEventReachesTheParentWithItsCodeAndFieldsOnly) {
    CSimpleBrowser pane;
    ASSERT_TRUE(pane.CreateFromControl(parent_->hwnd, ParentWindow::kPaneId));
    for (const EventCase& event : EightEvents()) {
        parent_->seen.clear();
        EventArguments arguments;
        Inject(pane, event, arguments);
        EXPECT_EQ(parent_->seen, std::vector<Seen>{event.expected}) << "dispatch id " << event.id;
    }
}

TEST_F(WebPane, OnlyTheBasePaneCancelsWhenTheParentAsks) {
    struct Case {
        bool basePane;
        LRESULT parentAnswer;
        VARIANT_BOOL cancel;
    } cases[] = {
        {true, 1, VARIANT_TRUE},
        {true, 0, VARIANT_FALSE},
        {false, 1, VARIANT_FALSE},
        {false, 0, VARIANT_FALSE},
    };
    for (const Case& c : cases) {
        ParentWindow parent;
        parent.answer = c.parentAnswer;
        std::unique_ptr<SimpleBrowser> pane(c.basePane ? new SimpleBrowser : new CSimpleBrowser);
        ASSERT_TRUE(pane->CreateFromControl(parent.hwnd, ParentWindow::kPaneId));
        EventArguments arguments;
        Inject(*pane, EightEvents()[0], arguments);
        EXPECT_EQ(arguments.cancel, c.cancel) << (c.basePane ? "SimpleBrowser" : "CSimpleBrowser") << " answered "
                                              << c.parentAnswer;
    }
}

TEST_F(WebPane, ResizingThePaneResizesTheControl) {
    CSimpleBrowser pane;
    ASSERT_TRUE(pane.CreateFromControl(parent_->hwnd, ParentWindow::kPaneId));
    const HWND window = PaneWindow();
    MoveWindow(window, 5, 5, 300, 100, TRUE);
    const HWND host = GetDlgItem(window, kHostId);
    const HWND control = GetWindow(host, GW_CHILD);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Box(host, window), (std::vector<long>{0, 0, 300, 100}));
    EXPECT_EQ(Box(control, host), (std::vector<long>{0, 0, 300, 100}));
}

TEST_F(WebPane, DestroyingTheWindowReleasesBothReferences) {
    Observed<CSimpleBrowser> pane;
    ASSERT_TRUE(pane.CreateFromControl(parent_->hwnd, ParentWindow::kPaneId));
    IWebBrowser2* browser = pane.Browser();
    ASSERT_NE(browser, nullptr);
    browser->AddRef();
    DestroyWindow(parent_->hwnd);
    EXPECT_EQ(pane.Browser(), nullptr);
    EXPECT_EQ(pane.Dispatch(), nullptr);
    EXPECT_EQ(browser->Release(), 0u);  // nothing else holds the control
    pane.Navigate(kAddress);
}

}  // namespace
