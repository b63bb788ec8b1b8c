// Receives the web browser control's DWebBrowserEvents2 and turns each of the
// eight events the pane reports into a call of the pane's operation for it.
#pragma once

#include <windows.h>
#include <oaidl.h>

class SimpleBrowser;

class SimpleBrowserEventSink final : public IDispatch {
public:
    // Starts with one reference, the creator's. `topLevel` is the pane's
    // browser object: navigation events of any other object (a frame inside
    // the page) are ignored. The pane keeps it alive while attached.
    SimpleBrowserEventSink(SimpleBrowser* pane, IDispatch* topLevel);

    // From now on events reach no pane.
    void Detach();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;

private:
    ~SimpleBrowserEventSink() = default;

    bool IsTopLevel(const VARIANT* object) const;
    void Translate(DISPID id, const DISPPARAMS& params);
    void BeforeNavigate2(const DISPPARAMS& params);

    LONG references_ = 1;
    SimpleBrowser* pane_;
    IDispatch* topLevel_;
};
