#include "app/ui/simple_browser_site.h"

#include <exdisp.h>

#include "app/ui/simple_browser_event_sink.h"

SimpleBrowserSite::SimpleBrowserSite(HWND window) : window_(window) {}

bool SimpleBrowserSite::Embed() {
    IOleObject* control = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&control))) ||
        !control)
        return false;
    control_ = control;
    if (FAILED(control_->SetClientSite(this))) return false;
    RECT area;
    if (!GetClientRect(window_, &area)) return false;
    return SUCCEEDED(control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, window_, &area));
}

HRESULT SimpleBrowserSite::QueryControl(REFIID iid, void** object) const {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!control_) return E_NOINTERFACE;
    const HRESULT result = control_->QueryInterface(iid, object);
    if (SUCCEEDED(result) && *object) return result;
    *object = nullptr;
    return FAILED(result) ? result : E_NOINTERFACE;
}

void SimpleBrowserSite::Connect(SimpleBrowserEventSink* sink) {
    IConnectionPointContainer* container = nullptr;
    if (FAILED(QueryControl(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) return;
    IConnectionPoint* events = nullptr;
    const HRESULT found = container->FindConnectionPoint(DIID_DWebBrowserEvents2, &events);
    container->Release();
    if (FAILED(found) || !events) return;
    DWORD cookie = 0;
    if (FAILED(events->Advise(static_cast<IDispatch*>(sink), &cookie))) {
        events->Release();
        return;
    }
    events_ = events;
    eventsCookie_ = cookie;
    sink_ = sink;
    sink_->AddRef();
}

void SimpleBrowserSite::Move(int width, int height) {
    MoveWindow(window_, 0, 0, width, height, TRUE);
    IOleInPlaceObject* inPlace = nullptr;
    if (FAILED(QueryControl(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) return;
    const RECT area = {0, 0, width, height};
    inPlace->SetObjectRects(&area, &area);
    inPlace->Release();
}

void SimpleBrowserSite::Close() {
    if (events_) {
        events_->Unadvise(eventsCookie_);
        events_->Release();
        events_ = nullptr;
    }
    // The control may keep the sink a while longer; it must not reach the pane.
    if (sink_) {
        sink_->Detach();
        sink_->Release();
        sink_ = nullptr;
    }
    if (control_) {
        control_->Close(OLECLOSE_NOSAVE);
        control_->SetClientSite(nullptr);
        control_->Release();
        control_ = nullptr;
    }
}

HRESULT SimpleBrowserSite::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG SimpleBrowserSite::AddRef() { return InterlockedIncrement(&references_); }

ULONG SimpleBrowserSite::Release() {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT SimpleBrowserSite::SaveObject() { return E_NOTIMPL; }

HRESULT SimpleBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT SimpleBrowserSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT SimpleBrowserSite::ShowObject() { return S_OK; }
HRESULT SimpleBrowserSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT SimpleBrowserSite::RequestNewObjectLayout() { return E_NOTIMPL; }

HRESULT SimpleBrowserSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
}

HRESULT SimpleBrowserSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
HRESULT SimpleBrowserSite::CanInPlaceActivate() { return S_OK; }
HRESULT SimpleBrowserSite::OnInPlaceActivate() { return S_OK; }
HRESULT SimpleBrowserSite::OnUIActivate() { return S_OK; }

HRESULT SimpleBrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                            RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) {
    if (!frame || !document || !position || !clip || !frameInfo) return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;  // no document window of its own: the frame serves
    if (!GetClientRect(window_, position)) SetRectEmpty(position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(window_, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

HRESULT SimpleBrowserSite::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT SimpleBrowserSite::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT SimpleBrowserSite::OnInPlaceDeactivate() { return S_OK; }
HRESULT SimpleBrowserSite::DiscardUndoState() { return E_NOTIMPL; }
HRESULT SimpleBrowserSite::DeactivateAndUndo() { return E_NOTIMPL; }
// The pane decides the control's size; a request of the control's own is declined.
HRESULT SimpleBrowserSite::OnPosRectChange(const RECT*) { return E_NOTIMPL; }

HRESULT SimpleBrowserSite::GetBorder(RECT*) { return INPLACE_E_NOTOOLSPACE; }
// No toolbars: only "no border space" can be granted.
HRESULT SimpleBrowserSite::RequestBorderSpace(const BORDERWIDTHS* widths) {
    return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}
HRESULT SimpleBrowserSite::SetBorderSpace(const BORDERWIDTHS* widths) { return widths ? INPLACE_E_NOTOOLSPACE : S_OK; }
HRESULT SimpleBrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

HRESULT SimpleBrowserSite::InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) { return E_NOTIMPL; }
HRESULT SimpleBrowserSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT SimpleBrowserSite::RemoveMenus(HMENU) { return E_NOTIMPL; }
HRESULT SimpleBrowserSite::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT SimpleBrowserSite::EnableModeless(BOOL) { return S_OK; }
HRESULT SimpleBrowserSite::TranslateAccelerator(MSG*, WORD) { return S_FALSE; }
