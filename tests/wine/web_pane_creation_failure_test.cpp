// Without the browser component (CTest disables it for this program) the
// pane cannot be created: nothing is left behind and the pane stays inert.
#include <gtest/gtest.h>

#include "tests/wine/web_pane_test_support.h"

namespace {

class Inspected : public CSimpleBrowser {
public:
    bool HasReferences() const { return host_ || browser_ || dispatch_; }
};

TEST(WebPaneCreationFailure, LeavesNoWindowAndIgnoresNavigation) {
    SKIP_WITHOUT_DISPLAY();
    StartWatchdog();
    ParentWindow parent;
    Inspected pane;
    EXPECT_FALSE(pane.CreateFromControl(parent.hwnd, ParentWindow::kPaneId));
    EXPECT_EQ(GetWindow(parent.hwnd, GW_CHILD), nullptr);
    EXPECT_FALSE(pane.HasReferences());
    pane.Navigate("http://127.0.0.1:9/lumora");
    parent.PumpUntil([] { return false; }, 1000);
    EXPECT_TRUE(parent.seen.empty());
}

}  // namespace
