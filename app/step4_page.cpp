#include "app/step4_page.h"

#include "app/companion_paths.h"
#include "app/engine_client.h"
#include "app/engine_messages.h"
#include "app/registry_key.h"
#include "app/resources/resource.h"
#include "app/workflow_state.h"

namespace {

constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void StoreGammas() {
    const RegistryKey settings = RegistryKey::Create(settingsKeyPath);
    settings.SetDword("RedGamma", engineRequest.redGamma);
    settings.SetDword("GreenGamma", engineRequest.greenGamma);
    settings.SetDword("BlueGamma", engineRequest.blueGamma);
}

// Without paths (the program's own path filled its buffer) an entry would
// start nothing at every logon: none is written, and an earlier one stays.
// The system runs each entry as a command line, so the paths go in quotes:
// unquoted, a blank in a folder's name would cut the program short.
void RegisterCompanionsForLogon() {
    if (loaderPath.empty() || resumePath.empty()) return;
    const RegistryKey run = RegistryKey::Open(kRunKeyPath);
    run.SetString(L"PLXLoader", Quoted(loaderPath));
    run.SetString(L"LumoraResume", Quoted(resumePath));
}

// Its one argument is a single space, quoted so that the program's argument
// parsing sees it: a bare trailing space would be read as no argument.
void StartResumeProgram() {
    std::wstring commandLine = Quoted(resumePath) + L" \" \"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(resumePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &startup, &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

Step4Page::Step4Page() : CNewWizPage(IDD_STEP4_PAGE, IDB_STEP4_PAGE) {}

// The settings and logon entries go first, so that they stay whatever the
// profile operation answers. Without an engine there is no profile to make.
BOOL Step4Page::OnPageFinish() {
    StoreGammas();
    RegisterCompanionsForLogon();
    if (const std::optional<int> result = CallEngine(MakeProfileFunction)) {
        if (const char* message = MakeProfileMessage(*result)) {
            MessageBox(message, kSavePageCaption, MB_ICONWARNING | MB_OK);
            // The dialog's own cancel hides the page; ours would restore gammas.
            CDialog::OnCancel();  // NOLINT(bugprone-parent-virtual-call): skips both overrides on purpose
        }
    }
    StartResumeProgram();
    return TRUE;
}

// Only gammas the engine really read go back to the display: slider start
// positions would load gamma 1.40 into a display whose state was never known.
void Step4Page::OnCancel() {
    if (engineEntry && savedGammasRead) {
        engineRequest.redGamma = savedGammas.red;
        engineRequest.greenGamma = savedGammas.green;
        engineRequest.blueGamma = savedGammas.blue;
        CallEngine(SetGammaFunction);
    }
    CNewWizPage::OnCancel();
}
