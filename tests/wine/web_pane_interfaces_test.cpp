// The COM objects the pane hands to the browser control: each answers
// exactly the interfaces it implements, keeps one identity, and counts its
// references.
#include <windows.h>
#include <docobj.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include "app/ui/simple_browser_event_sink.h"
#include "app/ui/simple_browser_site.h"

namespace {

IUnknown* Query(IUnknown* object, REFIID iid) {
    void* answer = reinterpret_cast<void*>(1);
    const HRESULT result = object->QueryInterface(iid, &answer);
    if (FAILED(result)) {
        EXPECT_EQ(result, E_NOINTERFACE);
        EXPECT_EQ(answer, nullptr);
        return nullptr;
    }
    return static_cast<IUnknown*>(answer);
}

// Every interface in `offered` comes back from every other one, as the same
// pointer each time, with the same IUnknown; `refused` ones never do. Every
// reference taken is counted and given back.
void CheckInterfaces(IUnknown* object, const std::vector<IID>& offered, const std::vector<IID>& refused) {
    IUnknown* identity = Query(object, IID_IUnknown);
    ASSERT_NE(identity, nullptr);
    for (const IID& from : offered) {
        IUnknown* start = Query(identity, from);
        ASSERT_NE(start, nullptr);
        EXPECT_EQ(Query(start, IID_IUnknown), identity);
        identity->Release();
        for (const IID& to : offered) {
            IUnknown* reached = Query(start, to);
            EXPECT_EQ(reached, Query(identity, to));
            reached->Release();
            reached->Release();
        }
        for (const IID& to : refused) EXPECT_EQ(Query(start, to), nullptr);
        start->Release();
    }
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(identity->AddRef(), 3u);  // the creator's, the first Query's, this one
    EXPECT_EQ(identity->Release(), 2u);
    EXPECT_EQ(identity->Release(), 1u);
}

TEST(WebPaneInterfaces, SiteIsClientSiteInPlaceSiteAndFrame) {
    auto* site = new SimpleBrowserSite(nullptr);
    CheckInterfaces(static_cast<IOleClientSite*>(site),
                    {IID_IUnknown, IID_IOleClientSite, IID_IOleWindow, IID_IOleInPlaceSite, IID_IOleInPlaceUIWindow,
                     IID_IOleInPlaceFrame},
                    {IID_IDispatch, IID_IOleControlSite, IID_IOleInPlaceSiteEx, IID_IDocHostUIHandler,
                     IID_IServiceProvider, IID_IOleCommandTarget, DIID_DWebBrowserEvents2});

    // The frame it hands out for in-place activation is itself, counted.
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = reinterpret_cast<IOleInPlaceUIWindow*>(1);
    RECT position, clip;
    OLEINPLACEFRAMEINFO info = {sizeof info};
    ASSERT_EQ(site->GetWindowContext(&frame, &document, &position, &clip, &info), S_OK);
    EXPECT_EQ(frame, static_cast<IOleInPlaceFrame*>(site));
    EXPECT_EQ(document, nullptr);
    EXPECT_EQ(frame->Release(), 1u);
    EXPECT_EQ(site->GetWindowContext(nullptr, &document, &position, &clip, &info), E_POINTER);
    EXPECT_EQ(site->Release(), 0u);
}

TEST(WebPaneInterfaces, EventSinkIsTheBrowserEventsDispatch) {
    auto* sink = new SimpleBrowserEventSink(nullptr, nullptr);
    CheckInterfaces(sink, {IID_IUnknown, IID_IDispatch, DIID_DWebBrowserEvents2},
                    {IID_IOleClientSite, DIID_DWebBrowserEvents, IID_IOleObject, IID_IConnectionPoint});
    UINT count = 7;
    EXPECT_EQ(sink->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(sink->Release(), 0u);
}

}  // namespace
