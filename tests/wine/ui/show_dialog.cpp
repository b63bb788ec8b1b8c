// Shows the exit question (117) or the version notice (104) for a
// screenshot: prints "ready x y width height" once the dialog is on screen
// and closes it when the file named by the second argument exists (or after
// 20 seconds).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/resources/resource.h"
#include "ui/image_dialog.h"
#include "app/ui/wrong_windows.h"

namespace {

CDialog* shown = nullptr;
const char* doneFile = nullptr;
int ticks = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = shown->GetSafeHwnd();
    if (!window) return;
    if (++ticks == 1) {
        RECT rect{};
        GetWindowRect(window, &rect);
        std::printf("ready %ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        std::fflush(stdout);
    } else if (GetFileAttributesA(doneFile) != INVALID_FILE_ATTRIBUTES || ticks > 80) {
        EndDialog(window, 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    doneFile = argv[2];
    HBITMAP question = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_EXIT_QUESTION));
    std::unique_ptr<CDialog> dialog;
    if (std::atoi(argv[1]) == IDD_EXIT_QUESTION)
        dialog = std::make_unique<CImageDialog>(IDD_EXIT_QUESTION, question);
    else
        dialog = std::make_unique<CWrongWindows>();
    // cppcheck-suppress danglingLifetime ; Tick runs only inside DoModal, while dialog lives
    shown = dialog.get();
    SetTimer(nullptr, 0, 250, Tick);
    const INT_PTR result = dialog->DoModal();
    DeleteObject(question);
    return result == 0 ? 0 : 1;
}
