// A child window that shows a web page: it hosts the system's web browser
// control and reports the control's events for its own page to the parent
// window as WM_NOTIFY notifications.
//
// The pane lives on the user-interface thread, in that thread's
// single-threaded OLE apartment. It takes an OleInitialize reference of its
// own for as long as its control exists, so it also works on a thread that
// nothing has initialised yet; a thread already initialised for the
// multithreaded apartment cannot host it, and Create fails there.
#pragma once

#include <windows.h>
#include <exdisp.h>

#include <string>

class SimpleBrowserSite;

// The pane's WM_NOTIFY codes, one per control event it reports.
enum WebPaneCode : UINT {
    kWebPaneBeforeNavigate2 = 0,
    kWebPaneDocumentComplete = 1,
    kWebPaneDownloadBegin = 2,
    kWebPaneProgressChange = 3,
    kWebPaneDownloadComplete = 4,
    kWebPaneNavigateComplete2 = 5,
    kWebPaneStatusTextChange = 6,
    kWebPaneTitleChange = 7,
};

// Passed by address as a WM_NOTIFY's lParam; it lives only while the
// notification is being sent. Each code fills only its own fields.
struct WebPaneNotification {
    NMHDR hdr{};                               // the pane, its control id, a WebPaneCode
    std::string URL;                           // codes 0, 1, 5
    std::string frame;                         // code 0: the target frame's name
    const unsigned char* post_data = nullptr;  // code 0: a private copy of the body, or none
    int post_data_size = 0;                    // code 0
    std::string headers;                       // code 0
    int progress = 0;                          // code 3
    int progress_max = 0;                      // code 3
    std::string text;                          // code 6: the status text; code 7: the title
};

class SimpleBrowser {
public:
    SimpleBrowser() = default;
    SimpleBrowser(const SimpleBrowser&) = delete;
    SimpleBrowser& operator=(const SimpleBrowser&) = delete;
    virtual ~SimpleBrowser();

    // Puts the pane where the parent's control `id` is, in place of it, with
    // the same id.
    BOOL CreateFromControl(HWND parent, UINT id);
    // `rect` is in the parent's client coordinates. A failure leaves no window.
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    // Does nothing unless the pane has its browser.
    void Navigate(const char* address);
    void Navigate(const wchar_t* address);

protected:
    // The eight control events, as the base sends them to the parent.
    // True from OnBeforeNavigation cancels the navigation.
    virtual bool OnBeforeNavigation(const std::string& url, const std::string& frame, const unsigned char* postData,
                                    int postDataSize, const std::string& headers);
    virtual void OnDocumentComplete(const std::string& url);
    virtual void OnDownloadBegin();
    virtual void OnProgressChange(int progress, int progressMax);
    virtual void OnDownloadComplete();
    virtual void OnNavigationComplete2(const std::string& url);
    virtual void OnStatusTextChange(const std::string& text);
    virtual void OnTitleChange(const std::string& text);
    // A navigation of the pane's page failed. True cancels the control's own
    // error page. The base reports nothing and lets the control show it.
    virtual bool OnNavigateError(const std::string& url);

    // Navigates once the control's current event is over: navigating from
    // inside one of its events would reenter the navigation that sent it.
    void NavigateLater(const std::wstring& address);
    HWND Window() const { return hwnd_; }

    SimpleBrowserSite* host_ = nullptr;  // the control's site and its window (child 0xE900)
    IWebBrowser2* browser_ = nullptr;    // owned; empty until creation succeeds
    IDispatch* dispatch_ = nullptr;      // owned; tells the page's own events from its frames'

private:
    friend class SimpleBrowserEventSink;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool StartBrowser(int width, int height);
    void NavigateTo(BSTR url);
    bool BlankDocumentPending() const;
    void WaitForBlankDocument();
    void OnSize(int width, int height);
    void PostNcDestroy();
    LRESULT Notify(WebPaneCode code, WebPaneNotification& notification);

    HWND hwnd_ = nullptr;
    bool oleInitialised_ = false;
    std::wstring laterAddress_;
};

// The pane the wizard uses: it reports every event like the base, and shows
// its own page, never an error page. Links followed in the page open in the
// pane, but for the page's help link, which asks the parent for help as the
// help button does.
class CSimpleBrowser : public SimpleBrowser {
public:
    // The link of the pane's page that opens the help.
    static constexpr char kHelpLink[] = "lumora:help";

    // Navigates to `address`, the pane's own page, which from now on also
    // stands in for any page that fails to load.
    void ShowOwnPage(const std::wstring& address);

protected:
    bool OnBeforeNavigation(const std::string& url, const std::string& frame, const unsigned char* postData,
                            int postDataSize, const std::string& headers) override;
    void OnNavigationComplete2(const std::string& url) override;
    bool OnNavigateError(const std::string& url) override;

private:
    std::wstring ownPage_;
    // Set when the own page stood in for a failed one, until a page arrives:
    // if the own page fails as well, the pane stays as it is.
    bool fellBack_ = false;
};
