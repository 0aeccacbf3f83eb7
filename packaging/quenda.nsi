; Per-user installer for Quenda: no administrator rights, everything under
; the user's own profile and HKEY_CURRENT_USER. Built by packaging/make-installer,
; which passes VERSION, DIST (the folder with both programs), OUTFILE,
; the program's names from scripts/lib/program_names.sh (QUENDA_POPUP_CLASS,
; TRAY_CALLBACK_MSG, TRAY_ICON_ID) and, for the 64-bit installer stub, AMD64.
;
; Command line (besides /S for a silent run and /D=folder for the folder):
;   installer  /NOLOGONSTART    do not start Quenda when the user logs on
;   uninstaller /REMOVESETTINGS also remove the user's settings

!ifdef AMD64
Target amd64-unicode
; The 64-bit stub always runs on 64-bit Windows, so the 32-bit branch of the
; program choice below is never taken there.
!pragma warning disable 6012
!else
Unicode true
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include WinMessages.nsh
!include WinVer.nsh

!define PRODUCT "Quenda"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenda"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quenda"
!define PROGRAM_FILE "quenda.exe"
!define UNINSTALLER_FILE "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Quenda.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Quenda"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow
; Both programs are inside, one is installed: a space figure would mislead.
SpaceTexts none
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "LegalCopyright" ""

!ifdef ICON
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM_FILE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---- A running copy ends the way a user ends it ---------------------------
;
; The program saves its settings and removes its tray icon only on its own
; Exit button, so setup presses that button rather than ending the process:
; it sends the setup window the button's click notification, which works
; while the window is hidden. Where the user has closed the setup window, a
; tray click loads it again first.

!define SYNCHRONIZE 0x00100000
!define WAIT_TIMEOUT_CODE 258

!macro END_RUNNING_COPY prefix
Function ${prefix}FindSetupWindow
    ; $0 = pop-up window; out: $1 = setup window or 0
    FindWindow $1 "QuendaSetup"
    ${If} $1 == 0
        SendMessage $0 ${TRAY_CALLBACK_MSG} ${TRAY_ICON_ID} ${WM_LBUTTONDOWN} /TIMEOUT=5000
        ${For} $2 1 50
            FindWindow $1 "QuendaSetup"
            ${IfThen} $1 != 0 ${|} ${Break} ${|}
            Sleep 100
        ${Next}
    ${EndIf}
FunctionEnd

Function ${prefix}EndRunningCopy
    Push $0
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
${Do}
    FindWindow $0 "${QUENDA_POPUP_CLASS}"
    ${IfThen} $0 == 0 ${|} ${Break} ${|}
    DetailPrint "Ending the running ${PRODUCT}"
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r3)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r3) p .r4'
    Call ${prefix}FindSetupWindow
    StrCpy $2 0
    ${IfThen} $1 != 0 ${|} FindWindow $2 "Button" "Exit" $1 ${|}
    ${If} $2 != 0
        System::Call 'user32::GetDlgCtrlID(p r2) i .r3'
        ; The reply never comes: Exit ends the process inside the handler.
        SendMessage $1 ${WM_COMMAND} $3 $2 /TIMEOUT=2000
    ${EndIf}
    StrCpy $5 ${WAIT_TIMEOUT_CODE}
    ${If} $4 P<> 0
        System::Call 'kernel32::WaitForSingleObject(p r4, i 10000) i .r5'
        System::Call 'kernel32::CloseHandle(p r4)'
    ${EndIf}
    ${If} $5 != ${WAIT_TIMEOUT_CODE}
        ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running. Press its Exit button, then Retry." /SD IDCANCEL IDRETRY +2
    Abort "${PRODUCT} is still running."
${Loop}
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend

!insertmacro END_RUNNING_COPY ""
!insertmacro END_RUNNING_COPY "un."

; ---- Install ----------------------------------------------------------------

Section "${PRODUCT}" SecProgram
    SectionIn RO
    SetShellVarContext current
    Call EndRunningCopy
    SetOutPath "$INSTDIR"
    ; A 64-bit Windows gets the 64-bit program: the same program, without
    ; the 32-bit layer under it.
    ${If} ${RunningX64}
        File "/oname=${PROGRAM_FILE}" "${DIST}\quenda-x64.exe"
    ${Else}
        File "/oname=${PROGRAM_FILE}" "${DIST}\quenda.exe"
    ${EndIf}
    WriteUninstaller "$INSTDIR\${UNINSTALLER_FILE}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_FILE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_FILE}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_FILE}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start-menu shortcut" SecShortcut
    SetShellVarContext current
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM_FILE}"
SectionEnd

Section "Start ${PRODUCT} when I log on" SecLogOn
    WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${PROGRAM_FILE}"'
SectionEnd

; Runs last: settles what an earlier install left behind, and starts the
; program where no finish page offers to.
Section "-Finish"
    ${IfNot} ${SectionIsSelected} ${SecLogOn}
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    ${IfNot} ${SectionIsSelected} ${SecShortcut}
        SetShellVarContext current
        Delete "${SHORTCUT}"
    ${EndIf}
    ${If} ${Silent}
        Exec '"$INSTDIR\${PROGRAM_FILE}"'
    ${EndIf}
SectionEnd

; The programs need Windows XP with Service Pack 3, or the 64-bit XP or
; Server 2003 (both NT 5.2) with Service Pack 2; on anything older they would
; not start, so setup writes nothing there and a silent run fails.
Function RefuseOlderWindows
    StrCpy $0 ""
    ; XP x64 counts as XP here; its last service pack is the second.
    StrCpy $1 3
    ${If} ${RunningX64}
        StrCpy $1 2
    ${EndIf}
    ${IfNot} ${AtLeastWinXP}
        StrCpy $0 old
    ${ElseIf} ${IsWinXP}
    ${AndIfNot} ${AtLeastServicePack} $1
        StrCpy $0 old
    ${ElseIf} ${IsWin2003}
    ${AndIfNot} ${AtLeastServicePack} 2
        StrCpy $0 old
    ${EndIf}
    ${If} $0 == old
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs Windows XP with Service Pack 3 or later \
            (64-bit: Windows XP x64 or Server 2003 with Service Pack 2 or later). \
            Nothing was installed." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
FunctionEnd

Function .onInit
    Call RefuseOlderWindows
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NOLOGONSTART" $1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecLogOn}
    ${EndIf}
FunctionEnd

; ---- Uninstall -----------------------------------------------------------------

Section "un.${PRODUCT}" SecUnProgram
    SectionIn RO
    SetShellVarContext current
    Call un.EndRunningCopy
    Delete "$INSTDIR\${PROGRAM_FILE}"
    Delete "$INSTDIR\${UNINSTALLER_FILE}"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Off unless asked for: a user who reinstalls gets the card set up as before.
Section /o "un.Remove my ${PRODUCT} settings" SecUnSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecUnSettings}
    ${EndIf}
FunctionEnd
