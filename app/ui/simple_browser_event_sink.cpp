#include "app/ui/simple_browser_event_sink.h"

#include <exdisp.h>
#include <exdispid.h>

#include <string>
#include <vector>

#include "app/ui/simple_browser.h"

namespace {

// Argument `index` counted from the first; DISPPARAMS holds them last first.
const VARIANT* Argument(const DISPPARAMS& params, UINT index) {
    if (!params.rgvarg || index >= params.cArgs) return nullptr;
    return &params.rgvarg[params.cArgs - 1 - index];
}

// The control passes most arguments as references to variants.
const VARIANT* Referenced(const VARIANT* argument) {
    if (argument && V_VT(argument) == (VT_BYREF | VT_VARIANT)) return V_VARIANTREF(argument);
    return argument;
}

std::string ToAnsi(BSTR text) {
    const int length = static_cast<int>(SysStringLen(text));
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string ansi(size, '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), size, nullptr, nullptr) != size) return {};
    return ansi;
}

// Anything but a string gives an empty text.
std::string Text(const VARIANT* argument) {
    const VARIANT* value = Referenced(argument);
    if (!value) return {};
    if (V_VT(value) == VT_BSTR) return ToAnsi(V_BSTR(value));
    if (V_VT(value) == (VT_BYREF | VT_BSTR) && V_BSTRREF(value)) return ToAnsi(*V_BSTRREF(value));
    return {};
}

int Integer(const VARIANT* argument) {
    const VARIANT* value = Referenced(argument);
    VARIANT number;
    VariantInit(&number);
    if (!value || FAILED(VariantChangeType(&number, const_cast<VARIANT*>(value), 0, VT_I4))) return 0;
    return V_I4(&number);
}

// A post's body: the bytes of the array's first dimension, copied, since the
// control's array is only lent for the call. No array, no body.
std::vector<unsigned char> PostData(const VARIANT* argument) {
    if (!argument || V_VT(argument) != (VT_BYREF | VT_VARIANT) || !V_VARIANTREF(argument)) return {};
    const VARIANT* value = V_VARIANTREF(argument);
    if (!(V_VT(value) & VT_ARRAY)) return {};
    SAFEARRAY* array = nullptr;
    if (!(V_VT(value) & VT_BYREF))
        array = V_ARRAY(value);
    else if (V_ARRAYREF(value))
        array = *V_ARRAYREF(value);
    LONG lower = 0, upper = -1;
    if (!array || FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
        upper < lower)
        return {};
    // Every element has at least one byte, so the first dimension's count of
    // bytes never reads past the array.
    const auto size = static_cast<std::size_t>(static_cast<long long>(upper) - lower + 1);
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return {};
    std::vector<unsigned char> body;
    if (data) body.assign(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size);
    SafeArrayUnaccessData(array);
    return body;
}

}  // namespace

SimpleBrowserEventSink::SimpleBrowserEventSink(SimpleBrowser* pane, IDispatch* topLevel)
    : pane_(pane), topLevel_(topLevel) {}

void SimpleBrowserEventSink::Detach() { pane_ = nullptr; }

HRESULT SimpleBrowserEventSink::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID_DWebBrowserEvents2) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG SimpleBrowserEventSink::AddRef() { return InterlockedIncrement(&references_); }

ULONG SimpleBrowserEventSink::Release() {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT SimpleBrowserEventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT SimpleBrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT SimpleBrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT SimpleBrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    static const DISPPARAMS kNoArguments = {};
    // A notification may end the pane, and with it this sink's last reference.
    AddRef();
    Translate(id, params ? *params : kNoArguments);
    Release();
    return S_OK;
}

bool SimpleBrowserEventSink::IsTopLevel(const VARIANT* object) const {
    const VARIANT* value = Referenced(object);
    return value && V_VT(value) == VT_DISPATCH && topLevel_ && V_DISPATCH(value) == topLevel_;
}

void SimpleBrowserEventSink::Translate(DISPID id, const DISPPARAMS& params) {
    if (!pane_) return;
    switch (id) {
    case DISPID_BEFORENAVIGATE2: BeforeNavigate2(params); break;
    case DISPID_DOCUMENTCOMPLETE:
        if (IsTopLevel(Argument(params, 0))) pane_->OnDocumentComplete(Text(Argument(params, 1)));
        break;
    case DISPID_DOWNLOADBEGIN: pane_->OnDownloadBegin(); break;
    case DISPID_PROGRESSCHANGE:
        pane_->OnProgressChange(Integer(Argument(params, 0)), Integer(Argument(params, 1)));
        break;
    case DISPID_DOWNLOADCOMPLETE: pane_->OnDownloadComplete(); break;
    case DISPID_NAVIGATECOMPLETE2:
        if (IsTopLevel(Argument(params, 0))) pane_->OnNavigationComplete2(Text(Argument(params, 1)));
        break;
    case DISPID_STATUSTEXTCHANGE: pane_->OnStatusTextChange(Text(Argument(params, 0))); break;
    case DISPID_TITLECHANGE: pane_->OnTitleChange(Text(Argument(params, 0))); break;
    }
}

// BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel);
// Flags is not used.
void SimpleBrowserEventSink::BeforeNavigate2(const DISPPARAMS& params) {
    if (!IsTopLevel(Argument(params, 0))) return;
    const std::vector<unsigned char> body = PostData(Argument(params, 4));
    const bool cancel = pane_->OnBeforeNavigation(Text(Argument(params, 1)), Text(Argument(params, 3)),
                                                  body.empty() ? nullptr : body.data(), static_cast<int>(body.size()),
                                                  Text(Argument(params, 5)));
    const VARIANT* answer = Argument(params, 6);
    if (answer && V_VT(answer) == (VT_BYREF | VT_BOOL) && V_BOOLREF(answer))
        *V_BOOLREF(answer) = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}
