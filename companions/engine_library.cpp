#include "companions/engine_library.h"

#include <string>

#include "ui/system/program_files.h"

namespace companions {

EngineLibrary::EngineLibrary() {
    const std::wstring folder = OwnProgramFolder();
    if (folder.empty()) return;
    const std::wstring path = folder + L"PLX.dll";
    // A broken or foreign file must not make the system show an error box.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    library_ = LoadLibraryW(path.c_str());
    SetErrorMode(previousMode);
    if (library_) entry_ = reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library_, "PLX")));
}

EngineLibrary::~EngineLibrary() {
    if (library_) FreeLibrary(library_);
}

}  // namespace companions
