// What the page tests add to a wizard session: a recording resume program in
// place of the real one, scripted engine answers, the program's message
// boxes, the gamma page's sliders and the values the pages store.
#pragma once

#include <cstring>
#include <fstream>

#include "tests/e2e/wizard_session.h"

namespace e2e {

// A variable of this process's environment, and so of the programs it
// starts, for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
};

using companion_test::ReadStored;

// A REG_DWORD of four bytes, or nothing.
inline std::optional<DWORD> StoredDword(const char* keyPath, const char* name) {
    const auto value = ReadStored(keyPath, name);
    if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD)) return {};
    DWORD number;
    std::memcpy(&number, value->data.data(), sizeof number);
    return number;
}

// A REG_SZ stored with its terminating zero (and nothing after it), or nothing.
inline std::optional<std::string> StoredString(const char* keyPath, const char* name) {
    const auto value = ReadStored(keyPath, name);
    if (!value || value->type != REG_SZ || value->data.empty() || value->data.back() != 0) return {};
    const std::string text(value->data.begin(), value->data.end() - 1);
    if (text.find('\0') != std::string::npos) return {};
    return text;
}

inline std::vector<std::string> LinesOf(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

class PageSession : public WizardSession {
public:
    PageSession() { sandbox().Copy(companion_test::BinFolder() + "resume_recorder.exe", "LumoraResume.exe"); }

    // The engine's answers for the program started next ("function:result,...")
    // and the gammas a successful read finds.
    void ScriptEngine(const std::string& results, const std::string& gammas = "220,220,220") {
        results_.emplace("PLX_RECORD_RESULTS", results);
        gammas_.emplace("PLX_RECORD_GAMMAS", gammas);
    }

    // From the first page on to the gamma page, whose first showing may be
    // held up by a warning.
    bool OpenGammaPage() { return Click(IDC_START) && WaitForPage(IDD_STEP1_PAGE) && Click(IDC_NEXT1); }
    // From the gamma page on to the save page.
    bool OpenSavePage() { return Click(IDC_NEXT2) && WaitForPage(IDD_STEP4_PAGE); }

    // The page made from `templateId`, shown or not, once created.
    HWND Page(UINT templateId) const {
        for (HWND child : ChildrenOf(Frame()))
            if (IsDialog(child) && TemplateOf(child) == templateId) return child;
        return nullptr;
    }
    // How many pages the frame holds made from `templateId`.
    int PageCount(UINT templateId) const {
        const auto children = ChildrenOf(Frame());
        return int(std::count_if(children.begin(), children.end(),
                                 [&](HWND child) { return IsDialog(child) && TemplateOf(child) == templateId; }));
    }
    HWND Slider(UINT id) const { return GetDlgItem(Page(IDD_STEP2_PAGE), id); }
    int Position(UINT id) const {
        DWORD_PTR position = 0;
        SendMessageTimeoutA(Slider(id), TBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &position);
        return int(position);
    }
    // A key pressed and released on the slider, which moves and notifies by itself.
    void SliderKey(UINT id, WPARAM key) {
        Post(Slider(id), WM_KEYDOWN, key, 1);
        Post(Slider(id), WM_KEYUP, key, 0xC0000001);
    }
    // The notification a slider sends its page, after moving to `position`
    // itself when the code moves it.
    void SliderNotifies(UINT id, WORD code, int position) {
        DWORD_PTR ignored;
        SendMessageTimeoutA(Slider(id), TBM_SETPOS, TRUE, position, SMTO_ABORTIFHUNG, kPatienceMs, &ignored);
        Post(Page(IDD_STEP2_PAGE), WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(Slider(id)));
    }

    // The program's message box with `caption`, once it is up.
    HWND WaitForMessage(const char* caption) const {
        return WaitForWindow([&](HWND window) { return IsMessageBox(window, caption); });
    }
    // The text of the program's message box with `caption`, once it is up; the
    // box is then dismissed with its OK button.
    std::optional<std::string> TakeMessage(const char* caption) {
        HWND box = WaitForMessage(caption);
        if (!box) return {};
        const std::string text = MessageTextOf(box);
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        WaitUntil([&] { return !IsWindow(box); });
        return text;
    }
    bool MessageShown(const char* caption) const {
        return FindWindowOfProgram([&](HWND window) { return IsMessageBox(window, caption); }) != nullptr;
    }

    // The engine's calls so far, "<function> <red> <green> <blue>" each.
    std::vector<std::string> Calls() const { return sandbox().Calls(); }
    // How the resume program was started: its command line, then each
    // argument in brackets, for every start.
    std::vector<std::string> ResumeStarts() const { return LinesOf(sandbox().Path("resume.log")); }
    // The resume program runs on its own: its record of one start with one
    // argument (three lines), once it is there.
    std::vector<std::string> WaitForResumeStart() const {
        WaitUntil([&] { return ResumeStarts().size() >= 3; });
        return ResumeStarts();
    }

private:
    static bool IsMessageBox(HWND window, const char* caption) {
        return IsDialog(window) && IsWindowVisible(window) && TextOf(window) == caption;
    }
    static std::string MessageTextOf(HWND box) {
        for (HWND child : ChildrenOf(box)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Static") == 0 && !TextOf(child).empty()) return TextOf(child);
        }
        return "";
    }

    ScopedVariable resumeLog_{"LUMORA_RESUME_LOG", sandbox().Path("resume.log")};
    std::optional<ScopedVariable> results_;
    std::optional<ScopedVariable> gammas_;
};

}  // namespace e2e
