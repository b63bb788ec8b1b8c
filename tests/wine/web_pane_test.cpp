// The pane around Wine's real browser control in a test window. Without
// Wine's Gecko engine the control still creates, activates and navigates and
// sends a navigation's first events; it only renders nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "app/resources/resource.h"
#include "app/ui/simple_browser_event_sink.h"
#include "tests/wine/web_pane_test_support.h"

namespace {

constexpr UINT kHostId = 0xE900;
// A refused connection: nothing to look up, nothing to wait for.
constexpr char kAddress[] = "http://127.0.0.1:9/lumora";
// The pane's own page, which Wine's control cannot show either.
constexpr char kOwnPage[] = R"(res://C:\Programs\Lumora\Lumora.exe/PANE.HTML)";
constexpr wchar_t kOwnPageWide[] = LR"(res://C:\Programs\Lumora\Lumora.exe/PANE.HTML)";

template <class Pane>
class Observed : public Pane {
public:
    IWebBrowser2* Browser() const { return this->browser_; }
    IDispatch* Dispatch() const { return this->dispatch_; }
    // How often the control reported that `url` failed.
    int Failures(const std::string& url) const {
        return static_cast<int>(std::count(failed_.begin(), failed_.end(), url));
    }

protected:
    bool OnNavigateError(const std::string& url) override {
        failed_.push_back(url);
        return Pane::OnNavigateError(url);
    }

private:
    std::vector<std::string> failed_;
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
    void Inject(SimpleBrowser& pane, DISPID id, EventArguments& arguments) {
        auto* sink = new SimpleBrowserEventSink(&pane, top_);
        sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, arguments.Params(), nullptr, nullptr, nullptr);
        sink->Release();
    }
    void Inject(SimpleBrowser& pane, const EventCase& event, EventArguments& arguments) {
        event.build(arguments, top_);
        Inject(pane, event.id, arguments);
    }
    // The addresses of the navigations the parent was told of, in order.
    std::vector<std::string> Navigations() const {
        std::vector<std::string> addresses;
        for (const Seen& s : parent_->seen)
            if (s.code == kWebPaneBeforeNavigate2) addresses.push_back(s.URL);
        return addresses;
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
        EXPECT_EQ(arguments.cancel, c.cancel)
            << (c.basePane ? "SimpleBrowser" : "CSimpleBrowser") << " answered " << c.parentAnswer;
    }
}

// Wine's control, without its browser engine, reports every navigation as
// failed: the own page stands in for itself once and is then left. Then,
// through the sink, as the control reports a failure once the own page has
// arrived: the failed page is cancelled and the own page shown once the event
// is over; should the own page fail as well, the pane stays as it is.
TEST_F(WebPane, AFailedNavigationIsCancelledAndTheOwnPageShownOnce) {
    Observed<CSimpleBrowser> pane;
    ASSERT_TRUE(pane.CreateFromControl(parent_->hwnd, ParentWindow::kPaneId));
    ASSERT_TRUE(parent_->PumpUntil([&] { return pane.Failures("about:blank") == 1; }));
    parent_->seen.clear();
    pane.ShowOwnPage(kOwnPageWide);
    ASSERT_TRUE(parent_->PumpUntil([&] { return pane.Failures(kOwnPage) == 2; }));
    ASSERT_TRUE(parent_->Flush());
    EXPECT_EQ(Navigations(), (std::vector<std::string>{kOwnPage, kOwnPage}));

    EventArguments arrived;
    Inject(pane, EightEvents()[5], arrived);  // NavigateComplete2
    const struct {
        const wchar_t* failed;
        std::vector<std::string> then;
    } failures[] = {{L"http://127.0.0.1:9/lumora", {kOwnPage}}, {kOwnPageWide, {}}};
    for (const auto& f : failures) {
        parent_->seen.clear();
        EventArguments arguments;
        NavigateErrorEvent(arguments, top_, f.failed);
        Inject(pane, DISPID_NAVIGATEERROR, arguments);
        EXPECT_EQ(arguments.cancel, VARIANT_TRUE);
        EXPECT_TRUE(Navigations().empty()) << "navigated inside the control's event";
        ASSERT_TRUE(parent_->Flush());
        EXPECT_EQ(Navigations(), f.then);
    }
}

// The pane's help link is a command: the parent gets the help button's click.
TEST_F(WebPane, TheHelpLinkAsksTheParentForHelpInsteadOfNavigating) {
    CSimpleBrowser pane;
    ASSERT_TRUE(pane.CreateFromControl(parent_->hwnd, ParentWindow::kPaneId));
    const std::string link = CSimpleBrowser::kHelpLink;
    const std::wstring wideLink(link.begin(), link.end());
    EventArguments arguments;
    arguments.Object(top_).Ref(Str(wideLink.c_str())).Ref(Int(0)).Ref(Typed(VT_EMPTY));
    arguments.Ref(Typed(VT_EMPTY)).Ref(Typed(VT_EMPTY)).Cancel();
    Inject(pane, DISPID_BEFORENAVIGATE2, arguments);
    EXPECT_EQ(arguments.cancel, VARIANT_TRUE);
    ASSERT_TRUE(parent_->Flush());
    EXPECT_EQ(parent_->commands, std::vector<WPARAM>{MAKEWPARAM(ID_HELP, BN_CLICKED)});
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
