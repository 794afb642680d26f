; Installer of the Coverhall Media Library plug-in.
; makensis -DVERSION=1.1.0.1 -DDLL=... -DREADME=... -DNOTICES=... -DOUTDIR=... coverhall.nsi
; Silent runs exit with 2 for a folder without winamp.exe, 3 while the player runs.

!ifndef VERSION | DLL | README | NOTICES | OUTDIR
  !error "pass /DVERSION, /DDLL, /DREADME, /DNOTICES and /DOUTDIR"
!endif

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Coverhall"
!define PLAYER_UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp"
!define PLAYER_CLASS "Winamp v1.x"
!define UNINSTALLER "Uninstall-Coverhall.exe"

Name "Coverhall ${VERSION}"
OutFile "${OUTDIR}\Coverhall-${VERSION}-Setup.exe"
BrandingText "Coverhall ${VERSION}"
; No InstallDir: an empty $INSTDIR in .onInit tells that /D was not given.

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Coverhall for WINAMP"
VIAddVersionKey "FileDescription" "Coverhall ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Coverhall"
VIAddVersionKey "LegalCopyright" "Coverhall"

!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "Choose the Winamp folder (the one holding winamp.exe). The plug-in goes into its Plugins folder."
!define MUI_FINISHPAGE_TEXT "Coverhall is installed. Start Winamp: the entry Coverhall appears in the Media Library tree."
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Plugins\ReadMeCoverhall.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${NOTICES}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The player holds the DLL open while it runs: the user must close it first.
!macro WAIT_FOR_PLAYER un
Function ${un}WaitForPlayer
  ${Do}
    FindWindow $0 "${PLAYER_CLASS}" ""
    ${If} $0 = 0
      Return
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel 3
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Winamp is running. Close it, then choose Retry." IDRETRY +3
    SetErrorLevel 3
    Quit
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_PLAYER ""
!insertmacro WAIT_FOR_PLAYER "un."

; The player's folder from its own records, else the usual place.
Function FindPlayer
  SetRegView 32
  ReadRegStr $0 HKCU "Software\Winamp" ""
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\winamp.exe"
    StrCpy $INSTDIR $0
    Return
  ${EndIf}
  ReadRegStr $0 HKLM "${PLAYER_UNINST_KEY}" "UninstallString"
  ; UninstallString may be quoted and may carry arguments.
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $2 0
    ${Do}
      StrCpy $1 $0 1 $2
      ${IfThen} $1 == '"' ${|} ${ExitDo} ${|}
      ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
      IntOp $2 $2 + 1
    ${Loop}
    StrCpy $0 $0 $2
  ${EndIf}
  ${If} $0 != ""
    ${GetParent} $0 $0
    ${If} ${FileExists} "$0\winamp.exe"
      StrCpy $INSTDIR $0
      Return
    ${EndIf}
  ${EndIf}
  StrCpy $INSTDIR "$PROGRAMFILES\Winamp"
FunctionEnd

Function .onInit
  ${If} $INSTDIR == ""
    Call FindPlayer
  ${EndIf}
  ${If} ${Silent}
    ${IfNot} ${FileExists} "$INSTDIR\winamp.exe"
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
  Call WaitForPlayer
FunctionEnd

Function .onVerifyInstDir
  ${IfNot} ${FileExists} "$INSTDIR\winamp.exe"
    Abort
  ${EndIf}
FunctionEnd

Section "Coverhall" SecMain
  SectionIn RO
  ; Checked again: a silent run never shows the folder page.
  ${IfNot} ${FileExists} "$INSTDIR\winamp.exe"
    ${IfNot} ${Silent}
      MessageBox MB_OK|MB_ICONSTOP "$INSTDIR does not hold winamp.exe."
    ${EndIf}
    SetErrorLevel 2
    Quit
  ${EndIf}
  Call WaitForPlayer
  SetOutPath "$INSTDIR\Plugins"
  SetOverwrite on
  File "/oname=ml_Coverhall.dll" "${DLL}"
  File "/oname=ReadMeCoverhall.txt" "${README}"
  WriteUninstaller "$INSTDIR\Plugins\${UNINSTALLER}"

  SetRegView 32
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Coverhall for WINAMP"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Coverhall"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR\Plugins"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  Call un.WaitForPlayer
FunctionEnd

; $INSTDIR is the Plugins folder holding the uninstaller.
Section "-un.Coverhall"
  Delete "$INSTDIR\ml_Coverhall.dll"
  Delete "$INSTDIR\ReadMeCoverhall.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  SetRegView 32
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

; Off by default: the cache costs time to make again. Thumbnails beside the
; albums and INI files are the user's and are never removed.
Section /o "un.Thumbnail cache folder" UnSecCache
  RMDir /r "$LOCALAPPDATA\Coverhall\Covers"
  RMDir "$LOCALAPPDATA\Coverhall"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecCache} "Also removes your thumbnail cache folder. Thumbnail files beside your albums and the settings in INI files stay."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
