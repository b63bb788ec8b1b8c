// What the web pane's tests share: control events built by hand, the record
// of what a notification carried, the eight events with what each must
// report, and a parent window that records the pane's notifications.
#pragma once

#include <windows.h>
#include <exdispid.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/ui/simple_browser.h"
#include "tests/support/display.h"

inline VARIANT Typed(VARTYPE type) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = type;
    return value;
}
inline VARIANT Str(const wchar_t* text) {
    VARIANT value = Typed(VT_BSTR);
    V_BSTR(&value) = SysAllocString(text);
    return value;
}
inline VARIANT Int(int number) {
    VARIANT value = Typed(VT_I4);
    V_I4(&value) = number;
    return value;
}

// An event's arguments, added first to last as the control declares them.
class EventArguments {
public:
    EventArguments() = default;
    EventArguments(const EventArguments&) = delete;
    ~EventArguments() {
        for (VARIANT& value : owned_) VariantClear(&value);
    }

    EventArguments& Object(IDispatch* object) {
        VARIANT argument = Typed(VT_DISPATCH);
        V_DISPATCH(&argument) = object;
        arguments_.push_back(argument);
        return *this;
    }
    EventArguments& Value(VARIANT value) {
        owned_.push_back(value);
        arguments_.push_back(value);
        return *this;
    }
    // By reference, as the control passes the navigation events' arguments.
    EventArguments& Ref(VARIANT value) {
        owned_.push_back(value);
        VARIANT argument = Typed(VT_BYREF | VT_VARIANT);
        V_VARIANTREF(&argument) = &owned_.back();
        arguments_.push_back(argument);
        return *this;
    }
    EventArguments& Cancel() {
        VARIANT argument = Typed(VT_BYREF | VT_BOOL);
        V_BOOLREF(&argument) = &cancel;
        arguments_.push_back(argument);
        return *this;
    }
    // A byte array such as the control lends for a post's body.
    VARIANT Bytes(const std::vector<unsigned char>& bytes) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
        void* data = nullptr;
        SafeArrayAccessData(array, &data);
        if (!bytes.empty()) memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
        lentBytes = data;
        VARIANT value = Typed(VT_ARRAY | VT_UI1);
        V_ARRAY(&value) = array;
        return value;
    }
    DISPPARAMS* Params() {
        lastFirst_.assign(arguments_.rbegin(), arguments_.rend());
        params_ = {lastFirst_.data(), nullptr, static_cast<UINT>(lastFirst_.size()), 0};
        return &params_;
    }

    VARIANT_BOOL cancel = 12345;  // neither answer
    const void* lentBytes = nullptr;

private:
    std::deque<VARIANT> owned_;  // stable addresses for the references
    std::vector<VARIANT> arguments_, lastFirst_;
    DISPPARAMS params_{};
};

// Everything a notification carried, copied while it lived.
struct Seen {
    UINT code = 0;
    std::string URL, frame;
    bool post_data_given = false;
    std::vector<unsigned char> post_data;
    std::string headers;
    int progress = 0, progress_max = 0;
    std::string text;
    bool operator==(const Seen&) const = default;
};

inline Seen Copy(const WebPaneNotification& n) {
    Seen seen{n.hdr.code, n.URL, n.frame, n.post_data != nullptr, {}, n.headers, n.progress, n.progress_max, n.text};
    if (n.post_data) seen.post_data.assign(n.post_data, n.post_data + n.post_data_size);
    return seen;
}

inline std::ostream& operator<<(std::ostream& out, const Seen& s) {
    return out << "{code " << s.code << ", URL '" << s.URL << "', frame '" << s.frame << "', post "
               << (s.post_data_given ? std::to_string(s.post_data.size()) + " bytes" : "none") << ", headers '"
               << s.headers << "', progress " << s.progress << "/" << s.progress_max << ", text '" << s.text << "'}";
}

// The eight events the pane reports, each with what it must report: its code
// and only its own fields.
struct EventCase {
    DISPID id;
    std::function<void(EventArguments&, IDispatch* topLevel)> build;
    Seen expected;
};

inline const std::vector<EventCase>& EightEvents() {
    static const std::vector<EventCase> cases = {
        {DISPID_BEFORENAVIGATE2,
         [](EventArguments& a, IDispatch* top) {
             a.Object(top).Ref(Str(L"http://host/page?q=1")).Ref(Int(0)).Ref(Str(L"main"));
             a.Ref(a.Bytes({'a', 0, 'b'})).Ref(Str(L"Content-Type: x\r\n")).Cancel();
         },
         {0, "http://host/page?q=1", "main", true, {'a', 0, 'b'}, "Content-Type: x\r\n"}},
        {DISPID_DOCUMENTCOMPLETE, [](EventArguments& a, IDispatch* top) { a.Object(top).Ref(Str(L"http://host/done")); },
         {.code = 1, .URL = "http://host/done"}},
        {DISPID_DOWNLOADBEGIN, [](EventArguments&, IDispatch*) {}, {.code = 2}},
        {DISPID_PROGRESSCHANGE, [](EventArguments& a, IDispatch*) { a.Value(Int(-7)).Value(Int(2147483647)); },
         {.code = 3, .progress = -7, .progress_max = 2147483647}},
        {DISPID_DOWNLOADCOMPLETE, [](EventArguments&, IDispatch*) {}, {.code = 4}},
        {DISPID_NAVIGATECOMPLETE2, [](EventArguments& a, IDispatch* top) { a.Object(top).Ref(Str(L"http://host/nav")); },
         {.code = 5, .URL = "http://host/nav"}},
        {DISPID_STATUSTEXTCHANGE, [](EventArguments& a, IDispatch*) { a.Value(Str(L"Loading page")); },
         {.code = 6, .text = "Loading page"}},
        {DISPID_TITLECHANGE, [](EventArguments& a, IDispatch*) { a.Value(Str(L"Title")); },
         {.code = 7, .text = "Title"}},
    };
    return cases;
}

inline DWORD WINAPI Watchdog(void*) {
    Sleep(60000);
    fputs("watchdog: the web pane test hung\n", stderr);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

// Nothing the pane does may block the user-interface thread for long.
inline void StartWatchdog() {
    static const HANDLE watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    (void)watchdog;
}

// A top-level window with a static control 1006 where the pane goes, like
// the wizard frame's; it records every notification and answers `answer` to
// code 0. It stays hidden: Wine on a display without a window manager takes
// seconds to destroy a shown top-level window.
class ParentWindow {
public:
    static constexpr UINT kPaneId = 1006;
    static constexpr RECT kPaneArea = {10, 400, 710, 480};

    ParentWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "WebPaneTestParent";
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(0, windowClass.lpszClassName, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                               600, nullptr, nullptr, windowClass.hInstance, this);
        placeholder = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, kPaneArea.left, kPaneArea.top,
                                      kPaneArea.right - kPaneArea.left, kPaneArea.bottom - kPaneArea.top, hwnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPaneId)), nullptr, nullptr);
    }
    ~ParentWindow() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }

    // Runs messages until `done` holds, for `limitMs` at most.
    bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < limitMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
        return done();
    }
    bool Saw(UINT code) const {
        for (const Seen& s : seen)
            if (s.code == code) return true;
        return false;
    }

    HWND hwnd = nullptr;
    HWND placeholder = nullptr;
    LRESULT answer = 0;
    std::vector<Seen> seen;
    struct Sender {
        HWND pane;
        UINT_PTR id;
        WPARAM wParam;
    };
    std::vector<Sender> senders;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_NOTIFY) {
            const auto& n = *reinterpret_cast<const WebPaneNotification*>(lParam);
            self->seen.push_back(Copy(n));
            self->senders.push_back({n.hdr.hwndFrom, n.hdr.idFrom, wParam});
            return n.hdr.code == kWebPaneBeforeNavigate2 ? self->answer : 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};
