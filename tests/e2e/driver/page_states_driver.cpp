// Brings Lumora's pages into the states worth a picture, for someone who
// photographs them:
//
//   page_states_driver <folder>
//
// For each state it prints "shot <name> <x> <y> <width> <height>" (the part
// of the screen that shows it: the wizard and any message over it), waits
// until the file <folder>\taken-<name> exists, then goes on. The exit code is
// 0 when every state showed and every wizard ended.
#include <cstdio>
#include <string>

#include "tests/e2e/page_session.h"

namespace {

constexpr DWORD kPhotographerPatienceMs = 60000;

int Fail(const char* what) {
    std::fprintf(stderr, "page_states_driver: %s\n", what);
    return 1;
}

class Photographer {
public:
    explicit Photographer(std::string folder) : folder_(std::move(folder)) {}

    // Shows the union of the windows' rectangles and waits for its picture.
    bool Shoot(const char* name, std::initializer_list<HWND> windows) {
        RECT area{};
        for (HWND window : windows) {
            RECT rect{};
            GetWindowRect(window, &rect);
            UnionRect(&area, &area, &rect);
        }
        std::printf("shot %s %ld %ld %ld %ld\n", name, area.left, area.top, area.right - area.left,
                    area.bottom - area.top);
        std::fflush(stdout);
        const std::string taken = folder_ + "\\taken-" + name;
        return e2e::WaitUntil([&] { return companion_test::Exists(taken); }, kPhotographerPatienceMs);
    }

private:
    std::string folder_;
};

bool IsBox(HWND window, const char* caption) {
    return e2e::IsDialog(window) && IsWindowVisible(window) && e2e::TextOf(window) == caption;
}

// The reminder list dropped down, on the first page.
int ReminderList(Photographer& camera) {
    e2e::PageSession wizard;
    if (!wizard.ready() || !wizard.Start() || !wizard.WaitForPage(IDD_INTRO_PAGE)) return Fail("no wizard");
    HWND list = GetDlgItem(wizard.Page(IDD_INTRO_PAGE), IDC_REMINDER_LIST);
    wizard.Post(list, CB_SHOWDROPDOWN, TRUE, 0);
    if (!camera.Shoot("reminder_list", {wizard.Frame()})) return Fail("no one took the picture");
    wizard.Post(list, CB_SHOWDROPDOWN, FALSE, 0);
    return wizard.Exit() ? 0 : Fail("the wizard did not end");
}

// The sliders at the gammas the engine read.
int GammaRead(Photographer& camera) {
    e2e::PageSession wizard;
    wizard.ScriptEngine("", "180,250,300");
    if (!wizard.ready() || !wizard.Start() || !wizard.OpenGammaPage() || !wizard.WaitForPage(IDD_STEP2_PAGE))
        return Fail("no gamma page");
    if (!camera.Shoot("gamma_read", {wizard.Frame()})) return Fail("no one took the picture");
    return wizard.Exit() ? 0 : Fail("the wizard did not end");
}

// The warning of an engine that cannot set gamma.
int GammaWarning(Photographer& camera) {
    e2e::PageSession wizard;
    wizard.ScriptEngine("0:6");
    if (!wizard.ready() || !wizard.Start() || !wizard.OpenGammaPage()) return Fail("no gamma page");
    HWND box = wizard.WaitForWindow([](HWND w) { return IsBox(w, "Tintsprite"); });
    if (!box) return Fail("no warning");
    if (!camera.Shoot("gamma_warning", {wizard.Frame(), box})) return Fail("no one took the picture");
    if (!wizard.TakeMessage("Tintsprite")) return Fail("the warning stayed");
    return wizard.Exit() ? 0 : Fail("the wizard did not end");
}

// A profile that could not be installed, reported on Save.
int SaveMessage(Photographer& camera) {
    e2e::PageSession wizard;
    wizard.ScriptEngine("2:17");
    if (!wizard.ready() || !wizard.Start() || !wizard.OpenGammaPage() || !wizard.WaitForPage(IDD_STEP2_PAGE) ||
        !wizard.OpenSavePage() || !wizard.Click(IDC_SAVE))
        return Fail("no save");
    HWND box = wizard.WaitForWindow([](HWND w) { return IsBox(w, "Lumora"); });
    if (!box) return Fail("no message");
    if (!camera.Shoot("save_message", {wizard.Frame(), box})) return Fail("no one took the picture");
    if (!wizard.TakeMessage("Lumora")) return Fail("the message stayed");
    wizard.WaitForResumeStart();
    return wizard.WaitForEnd() ? 0 : Fail("the wizard did not end");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: page_states_driver <folder>\n");
        return 2;
    }
    Photographer camera(argv[1]);
    int failed = 0;
    for (int (*state)(Photographer&) : {ReminderList, GammaRead, GammaWarning, SaveMessage}) failed |= state(camera);
    return failed;
}
