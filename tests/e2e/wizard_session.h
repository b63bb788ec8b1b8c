// Lumora.exe driven from outside, as a user would drive it: the program runs
// as installed, in a fresh folder next to the recording stand-in PLX.dll and
// the companions, and is found, pressed and read through window messages
// only. The user's settings and logon entries are put back afterwards.
//
// Every wait is bounded (kPatienceMs); a program still running at the end is
// ended by force.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/resources/resource.h"
#include "tests/wine/companion_sandbox.h"

namespace e2e {

using companion_test::kPatienceMs;
using companion_test::LocalDateIn;
using companion_test::kRunKey;
using companion_test::kSettingsKey;
using companion_test::Process;
using companion_test::RegistryValues;
using companion_test::Sandbox;

// Polls `done` every 20 ms until it holds or `ms` have passed.
inline bool WaitUntil(const std::function<bool()>& done, DWORD ms = kPatienceMs) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return done();
    }
}

inline std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

inline bool IsDialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

// The program's picture dialogs are told apart by their controls.
inline bool IsWizardFrame(HWND window) { return GetDlgItem(window, IDC_PAGE_PLACEHOLDER) != nullptr; }
inline bool IsExitQuestion(HWND window) { return TextOf(GetDlgItem(window, IDOK)) == "exityes"; }
inline bool IsVersionNotice(HWND window) { return TextOf(GetDlgItem(window, IDOK)) == "noint"; }

// What tells the four page templates apart from outside, at any dpi: their
// controls' ids, and whether their font makes them wider than the frame,
// whose template has the font and size of the contrast page's. Measured once
// from the templates themselves, which this program carries as well.
struct PageShape {
    bool widerThanFrame;
    std::multiset<int> controls;
    bool operator==(const PageShape&) const = default;
};

inline LONG WidthOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
}

inline PageShape ShapeOf(HWND page, LONG frameWidth) {
    PageShape shape{WidthOf(page) > frameWidth, {}};
    for (HWND control : ChildrenOf(page)) shape.controls.insert(GetDlgCtrlID(control));
    return shape;
}

inline INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

inline const std::map<UINT, PageShape>& PageShapes() {
    static const std::map<UINT, PageShape> shapes = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        std::map<UINT, HWND> pages;
        HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        for (UINT id : {IDD_INTRO_PAGE, IDD_STEP1_PAGE, IDD_STEP2_PAGE, IDD_STEP4_PAGE})
            pages[id] = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent, PassiveDialogProc, 0);
        std::map<UINT, PageShape> measured;
        for (auto [id, page] : pages)
            if (page) measured[id] = ShapeOf(page, WidthOf(pages[IDD_STEP1_PAGE]));
        DestroyWindow(parent);
        return measured;
    }();
    return shapes;
}

// A window's top-left corner in its parent's client coordinates.
inline POINT CornerInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(GetParent(window), &corner);
    return corner;
}

class WizardSession {
public:
    WizardSession() {
        sandbox_.Copy(companion_test::BinFolder() + "Lumora.exe", "Lumora.exe");
        for (const char* name : {"RemindInterval", "RemindDate", "RedGamma", "GreenGamma", "BlueGamma",
                                 "DefaultProfileName", "DefaultProfilePath"})
            settings_.Keep(name);
        run_.Keep("PLXLoader");
        run_.Keep("LumoraResume");
    }

    bool ready() const { return sandbox_.ready() && companion_test::Exists(sandbox_.Path("Lumora.exe")); }
    const Sandbox& sandbox() const { return sandbox_; }
    // Set stored values here before Start; all are put back at the end.
    RegistryValues& settings() { return settings_; }

    // Starts the program and waits for the wizard to show.
    bool Start() { return Launch() && WaitForFrame(); }
    // Starts the program without waiting for anything.
    bool Launch() {
        process_.emplace(sandbox_.Path("Lumora.exe"), "");
        return process_->started();
    }
    bool WaitForFrame() {
        frame_ = WaitForWindow([](HWND w) { return IsWizardFrame(w) && IsWindowVisible(w); });
        return frame_ != nullptr;
    }

    // The first top-level window of the program that `matches`, waited for.
    HWND WaitForWindow(const std::function<bool(HWND)>& matches, DWORD ms = kPatienceMs) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindWindowOfProgram(matches)) != nullptr; }, ms);
        return found;
    }
    HWND FindWindowOfProgram(const std::function<bool(HWND)>& matches) const {
        Search search{process_ ? process_->id() : 0, &matches, nullptr};
        EnumWindows(NextWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND Frame() const { return frame_; }
    HWND Button(UINT id) const { return GetDlgItem(frame_, id); }
    // Visible and enabled: a button the user can press.
    bool Pressable(UINT id) const { return IsWindowVisible(Button(id)) && IsWindowEnabled(Button(id)); }

    // Presses a pressable button of `window` (the frame unless given) and
    // returns once the press has been handled, or a dialog it opened is up.
    bool Click(UINT id, HWND window = nullptr) {
        window = window ? window : frame_;
        HWND button = GetDlgItem(window, id);
        if (!IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        Settle(window);
        return true;
    }

    // A key pressed and released on the control that has the keyboard focus.
    void Key(WPARAM key) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        HWND target = GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &info) && info.hwndFocus
                          ? info.hwndFocus
                          : frame_;
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        Settle(frame_);
    }

    // Posts a message to a window of the program, as a control's own
    // notification or a user's key would arrive, and returns once it has
    // been handled.
    void Post(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageA(target, message, wParam, lParam);
        Settle(frame_);
    }

    // Closing the window: WM_CLOSE, or the system menu's command.
    void Close() { PostMessageA(frame_, WM_CLOSE, 0, 0); }
    void SystemClose() { PostMessageA(frame_, WM_SYSCOMMAND, SC_CLOSE, 0); }

    // The visible page dialog of the frame, if exactly one is visible.
    HWND ActivePage() const {
        std::vector<HWND> shown;
        for (HWND child : ChildrenOf(frame_))
            if (IsDialog(child) && IsWindowVisible(child)) shown.push_back(child);
        return shown.size() == 1 ? shown.front() : nullptr;
    }
    // The template the active page was made from, or 0.
    UINT ActivePageTemplate() const { return TemplateOf(ActivePage()); }
    static UINT TemplateOf(HWND page) {
        if (!page) return 0;
        RECT frame{};
        GetClientRect(GetParent(page), &frame);
        const PageShape shape = ShapeOf(page, frame.right);
        for (const auto& [id, known] : PageShapes())
            if (known == shape) return id;
        return 0;
    }
    bool WaitForPage(UINT templateId) {
        return WaitUntil([&] { return ActivePageTemplate() == templateId; });
    }

    // The intro page's exit confirmation, once it is up.
    HWND WaitForExitQuestion(DWORD ms = kPatienceMs) const {
        return WaitForWindow([](HWND w) { return IsExitQuestion(w) && IsWindowVisible(w); }, ms);
    }

    // The exit button; a confirmation that comes up is answered "exityes".
    bool Exit() {
        if (!Click(IDCANCEL)) return false;
        return AnswerExitQuestionAndWaitForEnd();
    }
    bool AnswerExitQuestionAndWaitForEnd() {
        bool ended = false;
        WaitUntil([&] {
            if (HWND question = WaitForExitQuestion(0)) Click(IDOK, question);
            return ended = Ended();
        });
        return ended;
    }
    bool WaitForEnd(DWORD ms = kPatienceMs) {
        return WaitUntil([&] { return Ended(); }, ms);
    }
    bool Ended() const { return process_ && process_->WaitForExit(0).has_value(); }
    // Until the program waits for input with nothing left to handle, paints
    // included.
    void WaitForIdle() const {
        HANDLE process = process_ ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process_->id()) : nullptr;
        if (!process) return;
        WaitForInputIdle(process, kPatienceMs);
        CloseHandle(process);
    }

private:
    struct Search {
        DWORD process;
        const std::function<bool(HWND)>* matches;
        HWND found;
    };
    static BOOL CALLBACK NextWindow(HWND window, LPARAM lParam) {
        auto* search = reinterpret_cast<Search*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search->process && (*search->matches)(window)) search->found = window;
        return search->found == nullptr;
    }

    // Posted messages are handled in order: once a marker posted after them
    // has taken effect, they have been handled. The marker pushes the hidden,
    // handler-less default button 1001 and releases it again. A window that
    // went away meanwhile has handled everything it will.
    void Settle(HWND window) {
        HWND marker = GetDlgItem(window, IDC_HIDDEN_DEFAULT);
        if (!marker) return;
        PostMessageA(marker, BM_SETSTATE, TRUE, 0);
        WaitUntil([&] {
            DWORD_PTR state = 0;
            return !IsWindow(marker) ||
                   (SendMessageTimeoutA(marker, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 1000, &state) && (state & BST_PUSHED));
        });
        DWORD_PTR ignored;
        if (IsWindow(marker)) SendMessageTimeoutA(marker, BM_SETSTATE, FALSE, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
    }

    Sandbox sandbox_;
    RegistryValues settings_{kSettingsKey};
    RegistryValues run_{kRunKey};
    std::optional<Process> process_;
    HWND frame_ = nullptr;
};

}  // namespace e2e
