; Lumora-Setup.exe: installs Lumora for the current user only, with no
; administrator rights, into %LOCALAPPDATA%\Programs\Lumora.
;
; Made by the build's pack-release (installer/CMakeLists.txt), which passes the
; files to package:
;   makensis -DVERSION=1.0.0 -DPUBLISHER=... -DICON_FILE=lumora.ico -DOUTFILE=Lumora-Setup.exe \
;            -DPLX_FILE=... -DLOADER_FILE=... -DRESUME_FILE=... [-DWIZARD_FILE=...] \
;            -DHELP_FILES=help_files.nsh [-DSIGN_COMMAND=...] lumora.nsi
; where help_files.nsh, also made by the build, lists the help pages.
; Both the installer and the uninstaller run silently with /S.
;
; The uninstaller removes the program files, the help pages, the Start-menu
; shortcut and the two logon entries the wizard writes on Save. The user's
; colour profiles in "My ICC Profiles" and the settings under
; Software\Brightvale\Lumora are the user's own and stay.

Unicode true
!include FileFunc.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include "${HELP_FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Lumora"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Lumora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
; The same bytes from every build of one commit: the packed files carry no
; time of their own (installed files get the time of the installation).
SetDateSave off

; The program's icon for the installer, the uninstaller and the shortcut.
!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
; A release being signed: the uninstaller as makensis writes it (before it is
; packed into the installer), then the installer.
!ifdef SIGN_COMMAND
    !uninstfinalize '"${SIGN_COMMAND}" "%1"'
    !finalize '"${SIGN_COMMAND}" "%1"'
!endif

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Lumora"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "Lumora Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "OriginalFilename" "Lumora-Setup.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef WIZARD_FILE
    !define MUI_FINISHPAGE_RUN "$INSTDIR\Lumora.exe"
!endif
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The resume program runs for the whole session and keeps its file in use:
; ask it to end (it ends on WM_CLOSE) and wait for its process before the
; file is replaced or removed. Before it ends it waits up to 15 s for a
; loader it started, which holds PLX.dll and LumoraLoader.exe open: both
; waits allow that and more.
!macro CLOSE_RESUME_FUNCTION prefix
Function ${prefix}CloseResume
    StrCpy $1 0
    ${Do}
        FindWindow $0 "LumoraResume"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        StrCpy $2 0
        System::Call "user32::GetWindowThreadProcessId(p r0, *i .r2) i"
        System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3"
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=20000
        ${If} $3 != 0
            System::Call "kernel32::WaitForSingleObject(p r3, i 20000) i"
            System::Call "kernel32::CloseHandle(p r3) i"
        ${EndIf}
        IntOp $1 $1 + 1
    ${LoopUntil} $1 >= 5
FunctionEnd
!macroend
!insertmacro CLOSE_RESUME_FUNCTION ""
!insertmacro CLOSE_RESUME_FUNCTION "un."

Section "Lumora"
    Call CloseResume
    SetOutPath "$INSTDIR"
    File "/oname=PLX.dll" "${PLX_FILE}"
    File "/oname=LumoraLoader.exe" "${LOADER_FILE}"
    File "/oname=LumoraResume.exe" "${RESUME_FILE}"
    SetOutPath "$INSTDIR\help"
    !insertmacro LUMORA_HELP_FILES
    SetOutPath "$INSTDIR"
!ifdef WIZARD_FILE
    File "/oname=Lumora.exe" "${WIZARD_FILE}"
    CreateShortCut "$SMPROGRAMS\Lumora.lnk" "$INSTDIR\Lumora.exe" "" "$INSTDIR\Lumora.exe" 0
!endif
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Lumora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
!ifdef WIZARD_FILE
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumora.exe"
!endif
    ; In KB, what Apps shows as the size.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Call un.CloseResume
    Delete "$INSTDIR\Lumora.exe"
    Delete "$INSTDIR\PLX.dll"
    Delete "$INSTDIR\LumoraLoader.exe"
    Delete "$INSTDIR\LumoraResume.exe"
    Delete "$INSTDIR\Uninstall.exe"
    !insertmacro LUMORA_HELP_REMOVAL
    RMDir "$INSTDIR\help"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Lumora.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "PLXLoader"
    DeleteRegValue HKCU "${RUN_KEY}" "LumoraResume"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
