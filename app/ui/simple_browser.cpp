#include "app/ui/simple_browser.h"

#include "app/resources/resource.h"
#include "app/ui/simple_browser_event_sink.h"
#include "app/ui/simple_browser_site.h"

namespace {

constexpr char kPaneClass[] = "LumoraWebPane";
constexpr UINT kHostId = 0xE900;
constexpr UINT kNavigateLaterMessage = WM_APP;
// A control that never produces its blank document must not hold up the program.
constexpr DWORD kBlankDocumentWaitMs = 2000;

bool RegisterPaneClass(WNDPROC procedure) {
    WNDCLASSA paneClass = {};
    paneClass.style = CS_HREDRAW | CS_VREDRAW;
    paneClass.lpfnWndProc = procedure;
    paneClass.hInstance = GetModuleHandleA(nullptr);
    paneClass.lpszClassName = kPaneClass;
    return RegisterClassA(&paneClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

BSTR ToBstr(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) return nullptr;
    BSTR wide = SysAllocStringLen(nullptr, length - 1);
    if (wide && MultiByteToWideChar(CP_ACP, 0, text, -1, wide, length) != length) {
        SysFreeString(wide);
        return nullptr;
    }
    return wide;
}

VARIANT EmptyText() {
    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"");
    return text;
}

// Runs the messages waiting for this thread. False when the thread was asked
// to quit; the request is put back for the loop that owns it.
bool PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

}  // namespace

// A window left behind would call into a pane that no longer exists.
SimpleBrowser::~SimpleBrowser() {
    if (hwnd_) DestroyWindow(hwnd_);
}

BOOL SimpleBrowser::CreateFromControl(HWND parent, UINT id) {
    const HWND control = GetDlgItem(parent, static_cast<int>(id));
    RECT rect;
    if (!control || !GetWindowRect(control, &rect)) return FALSE;
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    DestroyWindow(control);
    return Create(WS_CHILD | WS_VISIBLE, rect, parent, id);
}

BOOL SimpleBrowser::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
    if (hwnd_ || !RegisterPaneClass(WindowProc)) return FALSE;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // WM_NCCREATE sets hwnd_, WM_NCDESTROY clears it.
    if (!CreateWindowExA(0, kPaneClass, /*title*/ nullptr, style, rect.left, rect.top, width, height, parent,
                         /*id*/ reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr),
                         /*pane*/ this) ||
        !hwnd_)
        return FALSE;
    if (!StartBrowser(width, height)) {
        DestroyWindow(hwnd_);  // the teardown undoes whatever was started
        return FALSE;
    }
    Navigate("about:blank");
    WaitForBlankDocument();
    return TRUE;
}

void SimpleBrowser::Navigate(const char* address) {
    if (browser_) NavigateTo(ToBstr(address ? address : ""));
}

void SimpleBrowser::Navigate(const wchar_t* address) {
    if (browser_) NavigateTo(SysAllocString(address ? address : L""));
}

// Takes the address over, and frees it.
void SimpleBrowser::NavigateTo(BSTR url) {
    if (!url) return;
    VARIANT flags;
    VariantInit(&flags);
    V_VT(&flags) = VT_I4;
    V_I4(&flags) = 0;
    VARIANT frame = EmptyText(), postData = EmptyText(), headers = EmptyText();
    browser_->Navigate(url, &flags, &frame, &postData, &headers);
    VariantClear(&flags);
    VariantClear(&frame);
    VariantClear(&postData);
    VariantClear(&headers);
    SysFreeString(url);
}

// The host window is a pane-class window without a pane object behind it:
// it only has the default handling.
bool SimpleBrowser::StartBrowser(int width, int height) {
    oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    if (!oleInitialised_) return false;
    const HWND hostWindow = CreateWindowExA(
        0, kPaneClass, /*title*/ nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, width, height, /*parent*/ hwnd_,
        /*id*/ reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kHostId)), GetModuleHandleA(nullptr), /*pane*/ nullptr);
    if (!hostWindow) return false;
    host_ = new SimpleBrowserSite(hostWindow);
    if (!host_->Embed() || FAILED(host_->QueryControl(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_))) ||
        FAILED(host_->QueryControl(IID_IDispatch, reinterpret_cast<void**>(&dispatch_))))
        return false;
    auto* sink = new SimpleBrowserEventSink(this, dispatch_);
    host_->Connect(sink);
    sink->Release();
    return true;
}

// While the control answers S_OK without a document. A document, or any
// other answer (Wine without Gecko says S_FALSE), ends the wait.
bool SimpleBrowser::BlankDocumentPending() const {
    IDispatch* document = nullptr;
    if (!browser_ || browser_->get_Document(&document) != S_OK) return false;
    if (!document) return true;
    document->Release();
    return false;
}

// The control may need this thread's messages to produce the document, so
// they run while waiting, and the wait is bounded.
void SimpleBrowser::WaitForBlankDocument() {
    const DWORD start = GetTickCount();
    while (BlankDocumentPending() && GetTickCount() - start < kBlankDocumentWaitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        if (!PumpMessages()) return;
    }
}

LRESULT CALLBACK SimpleBrowser::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* pane = static_cast<SimpleBrowser*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (pane) {
            pane->hwnd_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pane));
        }
    }
    auto* pane = reinterpret_cast<SimpleBrowser*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!pane) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        pane->OnSize(LOWORD(lParam), HIWORD(lParam));
        return result;
    }
    case kNavigateLaterMessage: pane->Navigate(pane->laterAddress_.c_str()); return 0;
    case WM_DESTROY:
        // Deactivate the control while its windows still exist.
        if (pane->host_) pane->host_->Close();
        break;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        pane->PostNcDestroy();
        return result;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void SimpleBrowser::NavigateLater(const std::wstring& address) {
    laterAddress_ = address;
    if (hwnd_) PostMessageA(hwnd_, kNavigateLaterMessage, 0, 0);
}

void SimpleBrowser::OnSize(int width, int height) {
    if (browser_) host_->Move(width, height);
}

void SimpleBrowser::PostNcDestroy() {
    hwnd_ = nullptr;
    if (browser_) browser_->Release();
    browser_ = nullptr;
    if (dispatch_) dispatch_->Release();
    dispatch_ = nullptr;
    if (host_) host_->Release();
    host_ = nullptr;
    // Only now is nothing of the control left to need OLE.
    if (oleInitialised_) OleUninitialize();
    oleInitialised_ = false;
}

LRESULT SimpleBrowser::Notify(WebPaneCode code, WebPaneNotification& notification) {
    const HWND parent = hwnd_ ? GetParent(hwnd_) : nullptr;
    if (!parent) return 0;
    notification.hdr.hwndFrom = hwnd_;
    notification.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    notification.hdr.code = code;
    return SendMessageA(parent, WM_NOTIFY, notification.hdr.idFrom, reinterpret_cast<LPARAM>(&notification));
}

bool SimpleBrowser::OnBeforeNavigation(const std::string& url, const std::string& frame, const unsigned char* postData,
                                       int postDataSize, const std::string& headers) {
    WebPaneNotification notification;
    notification.URL = url;
    notification.frame = frame;
    notification.post_data = postData;
    notification.post_data_size = postDataSize;
    notification.headers = headers;
    return Notify(kWebPaneBeforeNavigate2, notification) != 0;
}

void SimpleBrowser::OnDocumentComplete(const std::string& url) {
    WebPaneNotification notification;
    notification.URL = url;
    Notify(kWebPaneDocumentComplete, notification);
}

void SimpleBrowser::OnDownloadBegin() {
    WebPaneNotification notification;
    Notify(kWebPaneDownloadBegin, notification);
}

void SimpleBrowser::OnProgressChange(int progress, int progressMax) {
    WebPaneNotification notification;
    notification.progress = progress;
    notification.progress_max = progressMax;
    Notify(kWebPaneProgressChange, notification);
}

void SimpleBrowser::OnDownloadComplete() {
    WebPaneNotification notification;
    Notify(kWebPaneDownloadComplete, notification);
}

void SimpleBrowser::OnNavigationComplete2(const std::string& url) {
    WebPaneNotification notification;
    notification.URL = url;
    Notify(kWebPaneNavigateComplete2, notification);
}

void SimpleBrowser::OnStatusTextChange(const std::string& text) {
    WebPaneNotification notification;
    notification.text = text;
    Notify(kWebPaneStatusTextChange, notification);
}

void SimpleBrowser::OnTitleChange(const std::string& text) {
    WebPaneNotification notification;
    notification.text = text;
    Notify(kWebPaneTitleChange, notification);
}

bool SimpleBrowser::OnNavigateError(const std::string&) { return false; }

void CSimpleBrowser::ShowOwnPage(const std::wstring& address) {
    ownPage_ = address;
    fellBack_ = false;
    Navigate(address.c_str());
}

// The help link is a command, not a page: the parent gets it as a click of
// the help button, posted so that the help opens once this event is over.
bool CSimpleBrowser::OnBeforeNavigation(const std::string& url, const std::string& frame, const unsigned char* postData,
                                        int postDataSize, const std::string& headers) {
    SimpleBrowser::OnBeforeNavigation(url, frame, postData, postDataSize, headers);
    if (url != kHelpLink) return false;
    if (const HWND parent = Window() ? GetParent(Window()) : nullptr)
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(ID_HELP, BN_CLICKED), 0);
    return true;
}

void CSimpleBrowser::OnNavigationComplete2(const std::string& url) {
    SimpleBrowser::OnNavigationComplete2(url);
    fellBack_ = false;
}

// Every failure is cancelled, so that the control's error page never shows;
// the own page stands in, unless it is what just failed to stand in.
bool CSimpleBrowser::OnNavigateError(const std::string&) {
    if (!ownPage_.empty() && !fellBack_) {
        fellBack_ = true;
        NavigateLater(ownPage_);
    }
    return true;
}
