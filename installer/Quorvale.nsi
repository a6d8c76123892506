; Quorvale installer: puts the saver and its renderer side by side in the user's own programs
; folder, registers an uninstaller for that user with Add/Remove Programs and offers to open the
; screen-saver settings at the end. It installs for the user who runs it and needs no elevation
; (the screen-saver settings take a saver from any folder): run elevated, with an
; administrator's password, it would choose the saver for that administrator instead.
; Built by installer/make_installer.sh, which passes VERSION, DIST (folder holding both
; programs), LICENSE_FILE, OUTFILE and HANDOFF (the names the programs hand each other, made
; from handoff/handoff.h by handoff/handoff_values.sh).

!ifndef VERSION | DIST | LICENSE_FILE | OUTFILE | HANDOFF
  !error "build with installer/make_installer.sh (VERSION, DIST, LICENSE_FILE, OUTFILE, HANDOFF)"
!endif
!include "${HANDOFF}"

Unicode true
; The programs are 64-bit, so is the installer: $SYSDIR (where earlier versions installed) is
; then the real 64-bit system folder, with no file-system redirection at play.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!define PRODUCT "Quorvale"
!define PUBLISHER "the Quorvale developers"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SAVER_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A file that cannot be replaced (still running) must stop the installation, silent or not,
; instead of being skipped and leaving an old program behind a reported success.
AllowSkipFiles off
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSaverSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English is the fallback; a Japanese Windows gets Japanese, like the saver itself.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString OpenSaverSettings ${LANG_ENGLISH} "Open the screen saver settings"
LangString OpenSaverSettings ${LANG_JAPANESE} "スクリーン セーバーの設定を開く"
LangString StillRunning ${LANG_ENGLISH} "Quorvale is running (a show or its settings dialog). Close it, then choose Retry."
LangString StillRunning ${LANG_JAPANESE} "Quorvale が実行中です（ショーまたは設定画面）。終了してから［再試行］を選んでください。"
LangString NotRemoved ${LANG_ENGLISH} "Some files of Quorvale could not be removed; the uninstaller stays registered so that you can try again."
LangString NotRemoved ${LANG_JAPANESE} "Quorvale のファイルの一部を削除できませんでした。もう一度実行できるよう、アンインストーラーの登録は残します。"
LangString OldCopyStays ${LANG_ENGLISH} "An earlier Quorvale, installed for all users in the system folder, is still there: without administrator rights this installer leaves it alone. Where it was your screen saver, the Quorvale just installed for you has taken its place. To remove the earlier one, uninstall it as an administrator from the list of installed programs."
LangString OldCopyStays ${LANG_JAPANESE} "以前に全ユーザー用としてシステム フォルダーへインストールされた Quorvale が残っています。このインストーラーは管理者権限なしで動くため、それには触れません。それがあなたのスクリーン セーバーだった場合は、今あなた用にインストールした Quorvale に切り替えました。以前のものは、インストール済みプログラムの一覧から管理者としてアンインストールしてください。"

; The renderer, the hidden saver window and the settings dialog each hold one of the files
; open while their window exists; replacing or deleting them then fails half-way.
!macro WAIT_UNTIL_CLOSED un
  Function ${un}WaitUntilClosed
    ${Do}
      FindWindow $0 "" "${QV_RENDERER_WINDOW_TITLE}"
      ${If} $0 = 0
        FindWindow $0 "" "${QV_SHOW_WINDOW_TITLE}"
      ${EndIf}
      ${If} $0 = 0
        FindWindow $0 "" "${QV_SETTINGS_WINDOW_TITLE}"
      ${EndIf}
      ${If} $0 = 0
        Return
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
      retry:
    ${Loop}
  FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

Function .onInit
  SetRegView 64
  Call WaitUntilClosed
FunctionEnd

Function un.onInit
  SetRegView 64
  Call un.WaitUntilClosed
FunctionEnd

Function OpenScreenSaverSettings
  ; Makes Quorvale the chosen saver and opens the settings page on it. The rest of the
  ; command line is the path, so it stays unquoted, blanks and all.
  Exec '"$SYSDIR\rundll32.exe" desk.cpl,InstallScreenSaver $INSTDIR\Quorvale.scr'
FunctionEnd

; Earlier versions installed for all users into the system folder. Without elevation that copy
; cannot be removed, so it stays; where it is this user's chosen saver, the new copy is chosen
; instead, and the user is told about the earlier one. The choice is a path Windows starts with
; arguments after it, so it is written in the short form, which holds no blanks.
Function TakeOverFromSystemFolderCopy
  ${IfNot} ${FileExists} "$SYSDIR\Quorvale.scr"
    Return
  ${EndIf}
  ReadRegStr $0 HKCU "${SAVER_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$SYSDIR\Quorvale.scr"
  ${If} $0 != ""
    ${If} $0 == "$SYSDIR\Quorvale.scr"
    ${OrIf} $0 == $1
      GetFullPathName /SHORT $2 "$INSTDIR\Quorvale.scr"
      ${If} $2 == ""
        StrCpy $2 "$INSTDIR\Quorvale.scr"  ; never an empty choice, which would choose none
      ${EndIf}
      WriteRegStr HKCU "${SAVER_KEY}" "SCRNSAVE.EXE" $2
    ${EndIf}
  ${EndIf}
  MessageBox MB_OK|MB_ICONINFORMATION "$(OldCopyStays)" /SD IDOK
FunctionEnd

Section "Quorvale" SecMain
  SectionIn RO
  SetOverwrite on
  SetOutPath "$INSTDIR"
  File "${DIST}/Quorvale.scr"
  File "${DIST}/${QV_RENDERER_PROGRAM_FILE_NAME}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Quorvale.scr,0"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0

  Call TakeOverFromSystemFolderCopy
SectionEnd

Section "Uninstall"
  ; Windows would go on starting a saver that is gone: forget it if it is ours. The setting
  ; may hold the long or the short (8.3) form of the path, so compare both while the file
  ; still exists.
  ReadRegStr $0 HKCU "${SAVER_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$INSTDIR\Quorvale.scr"
  ${If} $0 != ""
    ${If} $0 == "$INSTDIR\Quorvale.scr"
    ${OrIf} $0 == $1
      DeleteRegValue HKCU "${SAVER_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}

  ClearErrors
  Delete "$INSTDIR\Quorvale.scr"
  Delete "$INSTDIR\${QV_RENDERER_PROGRAM_FILE_NAME}"
  ${If} ${Errors}
    ; Keep the entry and the uninstaller: without them the files left would be orphaned.
    MessageBox MB_OK|MB_ICONSTOP "$(NotRemoved)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}

  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
