// The control's events as the pane's operations receive them, from events
// built by hand: no browser and no window involved.
#include <gtest/gtest.h>

#include "app/ui/simple_browser_event_sink.h"
#include "tests/wine/web_pane_test_support.h"

namespace {

// Records each operation as the notification it stands for.
class RecordingPane : public SimpleBrowser {
public:
    std::vector<Seen> seen;
    const unsigned char* postData = nullptr;
    bool answer = false;

protected:
    bool OnBeforeNavigation(const std::string& url, const std::string& frame, const unsigned char* data, int size,
                            const std::string& headers) override {
        Seen s{0, url, frame, data != nullptr, {}, headers};
        if (data) s.post_data.assign(data, data + size);
        seen.push_back(s);
        postData = data;
        return answer;
    }
    void OnDocumentComplete(const std::string& url) override { seen.push_back({1, url}); }
    void OnDownloadBegin() override { seen.push_back({2}); }
    void OnProgressChange(int progress, int max) override {
        seen.push_back({.code = 3, .progress = progress, .progress_max = max});
    }
    void OnDownloadComplete() override { seen.push_back({4}); }
    void OnNavigationComplete2(const std::string& url) override { seen.push_back({5, url}); }
    void OnStatusTextChange(const std::string& text) override { seen.push_back({.code = 6, .text = text}); }
    void OnTitleChange(const std::string& text) override { seen.push_back({.code = 7, .text = text}); }
    bool OnNavigateError(const std::string& url) override {
        seen.push_back({kNavigateErrorSeen, url});
        return answer;
    }
};

class WebPaneEvents : public ::testing::Test {
protected:
    void TearDown() override {
        sink_->Release();
        other_->Release();
        top_->Release();
    }
    void Send(DISPID id, EventArguments& arguments) {
        EXPECT_EQ(sink_->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, arguments.Params(), nullptr, nullptr, nullptr), S_OK);
    }

    RecordingPane pane_;
    // Two objects standing in for the pane's own browser and for a frame inside the page.
    IDispatch* top_ = new SimpleBrowserEventSink(nullptr, nullptr);
    IDispatch* other_ = new SimpleBrowserEventSink(nullptr, nullptr);
    SimpleBrowserEventSink* sink_ = new SimpleBrowserEventSink(&pane_, top_);
};

TEST_F(WebPaneEvents, EachEventReachesItsOperationWithItsFieldsOnly) {
    for (const EventCase& c : EightEvents()) {
        pane_.seen.clear();
        EventArguments arguments;
        c.build(arguments, top_);
        Send(c.id, arguments);
        ASSERT_EQ(pane_.seen.size(), 1u) << "dispatch id " << c.id;
        EXPECT_EQ(pane_.seen[0], c.expected) << "dispatch id " << c.id;
    }
}

TEST_F(WebPaneEvents, NavigationEventsOfOtherObjectsAndUnknownEventsGiveNothing) {
    for (const EventCase& c : EightEvents()) {
        if (c.id != DISPID_BEFORENAVIGATE2 && c.id != DISPID_DOCUMENTCOMPLETE && c.id != DISPID_NAVIGATECOMPLETE2)
            continue;
        for (IDispatch* object : {other_, static_cast<IDispatch*>(nullptr)}) {
            EventArguments arguments;
            c.build(arguments, object);
            Send(c.id, arguments);
            EXPECT_EQ(arguments.cancel, 12345) << "dispatch id " << c.id;
        }
    }
    EventArguments frameError;
    NavigateErrorEvent(frameError, other_, L"http://host/frame");
    Send(DISPID_NAVIGATEERROR, frameError);
    EXPECT_EQ(frameError.cancel, 12345);
    EventArguments none;
    Send(DISPID_NEWWINDOW2, none);
    EventArguments wrongKind;
    Send(DISPID_STATUSTEXTCHANGE, wrongKind.Object(top_));
    EXPECT_EQ(sink_->Invoke(DISPID_TITLECHANGE, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(pane_.seen, (std::vector<Seen>{{.code = 6}, {.code = 7}}));
}

TEST_F(WebPaneEvents, PostDataIsAPrivateCopyOfTheBodyOrNone) {
    const std::vector<unsigned char> body(300, 0xA5);
    struct Case {
        const char* what;
        std::function<void(EventArguments&)> postData;
        bool given;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"no body", [](EventArguments& a) { a.Ref(Typed(VT_EMPTY)); }, false, {}},
        {"an empty array", [](EventArguments& a) { a.Ref(a.Bytes({})); }, false, {}},
        {"an array not by reference", [](EventArguments& a) { a.Value(a.Bytes({1, 2})); }, false, {}},
        {"300 bytes", [&](EventArguments& a) { a.Ref(a.Bytes(body)); }, true, body},
    };
    for (const Case& c : cases) {
        pane_.seen.clear();
        EventArguments arguments;
        arguments.Object(top_).Ref(Str(L"http://host/form")).Ref(Int(0)).Ref(Typed(VT_EMPTY));
        c.postData(arguments);
        arguments.Ref(Typed(VT_EMPTY)).Cancel();
        Send(DISPID_BEFORENAVIGATE2, arguments);
        ASSERT_EQ(pane_.seen.size(), 1u) << c.what;
        EXPECT_EQ(pane_.seen[0].post_data_given, c.given) << c.what;
        EXPECT_EQ(pane_.seen[0].post_data, c.bytes) << c.what;
        if (c.given) {
            EXPECT_NE(static_cast<const void*>(pane_.postData), arguments.lentBytes) << c.what;
        }
    }
}

TEST_F(WebPaneEvents, CancelTakesTheOperationsAnswerWhenPresent) {
    for (bool answer : {true, false}) {
        pane_.answer = answer;
        EventArguments arguments;
        EightEvents()[0].build(arguments, top_);
        Send(DISPID_BEFORENAVIGATE2, arguments);
        EXPECT_EQ(arguments.cancel, answer ? VARIANT_TRUE : VARIANT_FALSE);
        EventArguments failed;
        NavigateErrorEvent(failed, top_, L"http://host/gone");
        Send(DISPID_NAVIGATEERROR, failed);
        EXPECT_EQ(failed.cancel, answer ? VARIANT_TRUE : VARIANT_FALSE);
        EXPECT_EQ(pane_.seen.back(), (Seen{kNavigateErrorSeen, "http://host/gone"}));
    }
    pane_.seen.clear();
    EventArguments withoutCancel;
    withoutCancel.Object(top_).Ref(Str(L"http://host/")).Ref(Int(0)).Ref(Typed(VT_EMPTY));
    withoutCancel.Ref(Typed(VT_EMPTY)).Ref(Typed(VT_EMPTY));
    Send(DISPID_BEFORENAVIGATE2, withoutCancel);
    EXPECT_EQ(pane_.seen, (std::vector<Seen>{{0, "http://host/"}}));
}

TEST_F(WebPaneEvents, ArgumentsThatAreNotStringsGiveEmptyTexts) {
    EventArguments navigation;
    navigation.Object(top_).Ref(Int(5)).Ref(Int(0)).Ref(Typed(VT_NULL)).Ref(Typed(VT_EMPTY)).Value(Int(0)).Cancel();
    Send(DISPID_BEFORENAVIGATE2, navigation);
    EventArguments status;
    Send(DISPID_STATUSTEXTCHANGE, status.Value(Int(42)));
    EventArguments progress;
    Send(DISPID_PROGRESSCHANGE, progress.Value(Str(L"many")).Ref(Int(12)));
    EXPECT_EQ(pane_.seen, (std::vector<Seen>{{0}, {.code = 6}, {.code = 3, .progress_max = 12}}));
}

TEST_F(WebPaneEvents, ADetachedSinkReachesNoPane) {
    sink_->Detach();
    for (const EventCase& c : EightEvents()) {
        EventArguments arguments;
        c.build(arguments, top_);
        Send(c.id, arguments);
    }
    EXPECT_TRUE(pane_.seen.empty());
}

}  // namespace
