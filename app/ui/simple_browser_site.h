// The web pane's ActiveX control site: client site, in-place site and in-place
// frame in one object, hosting the web browser control inside a window that
// the pane gives it, and holding the control's event connection.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <ole2.h>

class SimpleBrowserEventSink;

class SimpleBrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    // Starts with one reference, the creator's. `window` hosts the control;
    // the site does not own it.
    explicit SimpleBrowserSite(HWND window);

    // Creates the browser control and activates it in place over the whole
    // window. After a failure, Close undoes what was done.
    bool Embed();
    // A QueryInterface on the control that never leaves a failure's pointer behind.
    HRESULT QueryControl(REFIID iid, void** object) const;
    // Connects `sink` to the control's DWebBrowserEvents2. Without the
    // connection the control simply sends no events.
    void Connect(SimpleBrowserEventSink* sink);
    void Move(int width, int height);
    // Disconnects the events, deactivates and releases the control.
    void Close();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

    // IOleWindow, for the in-place site and the frame alike
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                               RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(const RECT* position) override;

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(RECT* border) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(const BORDERWIDTHS* widths) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(const BORDERWIDTHS* widths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;

    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared, OLEMENUGROUPWIDTHS* widths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message, WORD id) override;

private:
    ~SimpleBrowserSite() = default;

    LONG references_ = 1;
    HWND window_;
    IOleObject* control_ = nullptr;
    IConnectionPoint* events_ = nullptr;
    DWORD eventsCookie_ = 0;
    SimpleBrowserEventSink* sink_ = nullptr;
};
