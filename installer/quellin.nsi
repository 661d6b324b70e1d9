; The Quellin installer: a per-user installation that needs no administrator rights.
; Built by CMake with makensis, which passes VERSION, VERSION_QUAD, PRODUCT_NAME, COMPANY,
; WEB_PAGE, FILES_DIR (the folder with the four files), ICON and OUTFILE.
;
; Command line, besides NSIS's own /S (silent) and /D=folder:
;   installer:   /NOAUTOSTART      do not start Quellin at log-on
;   uninstaller: /REMOVESETTINGS   remove the settings under Software\KTX\Quellin too

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define APP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellin"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\KTX\Quellin"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT_NAME}.lnk"
; The running copy is found by its settings window, as the program itself finds it.
!define WINDOW_CLASS "#32770"
!define /ifndef IDCANCEL 2
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT_NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quellin"
InstallDirRegKey HKCU "${APP_KEY}" "InstallLocation"
BrandingText "${PRODUCT_NAME} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT_NAME} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COMPANY}"

Var WasRunning
Var Restarted
Var RebootPending

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT_NAME} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartFromFinishPage
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Closes a running copy the way its user would, with the settings window's close command:
; the program then puts the user's colours back and removes its tray icon itself. Waits
; for the process to end, since its hook library is unloaded only then.
!macro CLOSE_RUNNING_COPY un
Function ${un}CloseRunningCopy
  StrCpy $WasRunning 0
  FindWindow $0 "${WINDOW_CLASS}" "${PRODUCT_NAME}"
  ${If} $0 == 0
    Return
  ${EndIf}
  StrCpy $WasRunning 1
  DetailPrint "Closing the running ${PRODUCT_NAME}"
  System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
  System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
  System::Call "user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${IDCANCEL}, p 0)"
  ${If} $2 != 0
    System::Call "kernel32::WaitForSingleObject(p r2, i 15000) i .r3"
    System::Call "kernel32::CloseHandle(p r2)"
  ${Else}
    ${For} $3 1 75
      Sleep 200
      FindWindow $0 "${WINDOW_CLASS}" "${PRODUCT_NAME}"
      ${If} $0 == 0
        ${Break}
      ${EndIf}
    ${Next}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; $0 = 1 when the file is missing or nothing holds it, so that it can be replaced now.
; Opening for writing fails while another process has the file loaded or open without
; write sharing.
Function CanReplace
  Exch $R0
  Push $R1
  StrCpy $0 1
  ${If} ${FileExists} "$INSTDIR\$R0"
    ClearErrors
    FileOpen $R1 "$INSTDIR\$R0" a
    ${If} ${Errors}
      StrCpy $0 0
    ${Else}
      FileClose $R1
    ${EndIf}
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

!macro CHECK_REPLACEABLE name
  Push "${name}"
  Call CanReplace
  ${If} $0 == 0
    StrCpy $R9 0
  ${EndIf}
!macroend

!macro PUT_IN_PLACE name
  ${If} $RebootPending == 1
    Rename /REBOOTOK "$INSTDIR\${name}.new" "$INSTDIR\${name}"
  ${Else}
    Delete "$INSTDIR\${name}"
    Rename "$INSTDIR\${name}.new" "$INSTDIR\${name}"
  ${EndIf}
!macroend

Section "-Program files" SecProgram
  SetShellVarContext current
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  ; The new files go beside the old ones first, so that they are either all put in
  ; place now or all at the next restart: an old Tapline.dll with a new Quellin.exe
  ; would not work together.
  File /oname=Quellin.exe.new "${FILES_DIR}/Quellin.exe"
  File /oname=Tapline.dll.new "${FILES_DIR}/Tapline.dll"
  File /oname=quellin.chm.new "${FILES_DIR}/quellin.chm"
  File /oname=readme.htm.new "${FILES_DIR}/readme.htm"

  ; Other programs that took keyboard input while the hook was in place let go of
  ; Tapline.dll a little after Quellin has ended.
  StrCpy $RebootPending 0
  StrCpy $R8 0
  ${Do}
    StrCpy $R9 1
    !insertmacro CHECK_REPLACEABLE Quellin.exe
    !insertmacro CHECK_REPLACEABLE Tapline.dll
    !insertmacro CHECK_REPLACEABLE quellin.chm
    !insertmacro CHECK_REPLACEABLE readme.htm
    ${If} $R9 == 1
      ${Break}
    ${EndIf}
    IntOp $R8 $R8 + 1
    ${If} $R8 >= 20
      StrCpy $RebootPending 1
      ${Break}
    ${EndIf}
    Sleep 500
  ${Loop}

  !insertmacro PUT_IN_PLACE Quellin.exe
  !insertmacro PUT_IN_PLACE Tapline.dll
  !insertmacro PUT_IN_PLACE quellin.chm
  !insertmacro PUT_IN_PLACE readme.htm
  ${If} $RebootPending == 1
    SetRebootFlag true
    DetailPrint "Files in use: they will be replaced when Windows restarts"
    MessageBox MB_OK|MB_ICONINFORMATION "Some files of ${PRODUCT_NAME} are still in use by \
      other programs. All of them will be replaced when Windows restarts; until then the \
      version installed before stays in place." /SD IDOK
  ${EndIf}

  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The sound events, so that the sound settings list the program's alerts.
  ExecWait '"$INSTDIR\Quellin.exe" /RegServer'
  CreateShortCut "${SHORTCUT}" "$INSTDIR\Quellin.exe" "" "$INSTDIR\Quellin.exe" 0

  WriteRegStr HKCU "${APP_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${APP_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${APP_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${APP_KEY}" "DisplayIcon" "$INSTDIR\Quellin.exe,0"
  WriteRegStr HKCU "${APP_KEY}" "URLInfoAbout" "http://${WEB_PAGE}"
  WriteRegStr HKCU "${APP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${APP_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${APP_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${APP_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${APP_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${APP_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start ${PRODUCT_NAME} when I log on" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Quellin" '"$INSTDIR\Quellin.exe"'
SectionEnd

Section "-Finish" SecFinish
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "Quellin"
  ${EndIf}
  ; A copy that was closed for the upgrade comes back, now in the new version.
  StrCpy $Restarted 0
  ${If} $WasRunning == 1
  ${AndIf} $RebootPending == 0
    Exec '"$INSTDIR\Quellin.exe"'
    StrCpy $Restarted 1
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Function StartFromFinishPage
  ${If} $Restarted == 0
  ${AndIf} $RebootPending == 0
    Exec '"$INSTDIR\Quellin.exe"'
  ${EndIf}
FunctionEnd

Section "un.${PRODUCT_NAME}" SecUnProgram
  SectionIn RO
  SetShellVarContext current
  Call un.CloseRunningCopy
  ExecWait '"$INSTDIR\Quellin.exe" /UnregServer'
  Delete "$INSTDIR\Quellin.exe"
  ; Programs that took keyboard input may still hold the hook library for a while.
  Delete /REBOOTOK "$INSTDIR\Tapline.dll"
  Delete /REBOOTOK "$INSTDIR\quellin.chm"
  Delete "$INSTDIR\readme.htm"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "Quellin"
  DeleteRegKey HKCU "${APP_KEY}"
SectionEnd

Section /o "un.Remove my settings too" SecUnSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\KTX"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnSettings}
  ${EndIf}
FunctionEnd
