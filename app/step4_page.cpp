#include "app/step4_page.h"

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
void RegisterCompanionsForLogon() {
    if (loaderPath.empty() || resumePath.empty()) return;
    const RegistryKey run = RegistryKey::Open(kRunKeyPath);
    run.SetString("PLXLoader", loaderPath);
    run.SetString("LumoraResume", resumePath);
}

// Its one argument is a single space, quoted so that the program's argument
// parsing sees it: a bare trailing space would be read as no argument.
void StartResumeProgram() {
    std::string commandLine = "\"" + resumePath + "\" \" \"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(resumePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
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
