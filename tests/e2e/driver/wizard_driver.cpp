// Walks Lumora.exe through its four pages for someone who photographs them:
//
//   wizard_driver walk <folder>
//
// starts the wizard as installed (next to the recording stand-in), and on
// each page prints "page <n> <x> <y> <width> <height>" (the wizard window on
// the screen), waits until the file <folder>\taken<n> exists, then goes on
// with Next. After the fourth page it leaves through Exit. Every wait is
// bounded; the exit code is 0 when all four pages showed and the wizard
// ended.
#include <cstdio>
#include <string>

#include "tests/e2e/wizard_session.h"

namespace {

constexpr UINT kPages[] = {IDD_INTRO_PAGE, IDD_STEP1_PAGE, IDD_STEP2_PAGE, IDD_STEP4_PAGE};
constexpr UINT kNext[] = {IDC_START, IDC_NEXT1, IDC_NEXT2};
constexpr DWORD kPhotographerPatienceMs = 60000;

int Fail(const char* what) {
    std::fprintf(stderr, "wizard_driver: %s\n", what);
    return 1;
}

int Walk(const std::string& folder) {
    e2e::WizardSession wizard;
    if (!wizard.ready()) return Fail("Lumora.exe, the stand-in or the companions are missing");
    if (!wizard.Start()) return Fail("the wizard did not show");
    for (int page = 0; page < 4; ++page) {
        if (!wizard.WaitForPage(kPages[page])) return Fail("a page did not show");
        RECT rect{};
        GetWindowRect(wizard.Frame(), &rect);
        std::printf("page %d %ld %ld %ld %ld\n", page + 1, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
        std::fflush(stdout);
        const std::string taken = folder + "\\taken" + std::to_string(page + 1);
        if (!e2e::WaitUntil([&] { return companion_test::Exists(taken); }, kPhotographerPatienceMs))
            return Fail("no one took the picture");
        if (page < 3 && !wizard.Click(kNext[page])) return Fail("Next could not be pressed");
    }
    return wizard.Exit() ? 0 : Fail("the wizard did not end");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "walk") return Walk(argv[2]);
    std::fprintf(stderr, "usage: wizard_driver walk <folder>\n");
    return 2;
}
