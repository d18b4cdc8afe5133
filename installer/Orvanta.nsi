; The venue installer: the client and the updater in one folder (default C:\Orvanta\), an
; optional start-up entry for the client, and an uninstaller that keeps the venue's data
; ("Setting.ini", "User.db", "log\", "image\") unless asked to remove it.
;
; makensis -DVERSION=a.b.c.d -DARCH=x86|amd64 -DSOURCE=<program folder> -DOUTFILE=<setup.exe>
;          [-DWITH_NODE_DLL] Orvanta.nsi
;
; Silent use:  setup.exe /S [/NOSTARTUP] [/D=C:\Folder]   (/D last, no quotes)
;              Uninstall.exe /S [/REMOVEDATA]

Unicode true
!if "${ARCH}" == "amd64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define PRODUCT "Orvanta"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanta"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "C:\Orvanta"
; Every user of a venue PC starts the client: the start-up entry and the uninstall entry are
; machine-wide.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PRODUCT}"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString NAME_PROGRAMS ${LANG_SIMPCHINESE} "客户端与更新程序"
LangString NAME_PROGRAMS ${LANG_ENGLISH} "Client and updater"
LangString NAME_STARTUP ${LANG_SIMPCHINESE} "开机自动启动客户端"
LangString NAME_STARTUP ${LANG_ENGLISH} "Start the client when Windows starts"
LangString NAME_DATA ${LANG_SIMPCHINESE} "同时删除网吧数据 (Setting.ini, User.db, log, image)"
LangString NAME_DATA ${LANG_ENGLISH} "Also remove the venue's data (Setting.ini, User.db, log, image)"

Section "!$(NAME_PROGRAMS)" SecPrograms
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Orvanta.exe"
  File "${SOURCE}\Pelgrix.exe"
  File "${SOURCE}\Setting.example.ini"
!ifdef WITH_NODE_DLL
  File "${SOURCE}\node.dll"
!endif
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvanta.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "$(NAME_STARTUP)" SecStartup
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Orvanta.exe"'
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTARTUP" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
FunctionEnd

Section "-un.Programs"
  Delete "$INSTDIR\Orvanta.exe"
  Delete "$INSTDIR\Pelgrix.exe"
  ; left behind by an updater that replaced itself
  Delete "$INSTDIR\Pelgrix-2.exe"
  ; the venue's web engine
  Delete "$INSTDIR\node.dll"
  Delete "$INSTDIR\Setting.example.ini"
  ; the updater's manifests, staging folder and crash dumps
  Delete "$INSTDIR\ServerList.xml"
  Delete "$INSTDIR\UpdateList.xml"
  RMDir /r "$INSTDIR\temp"
  RMDir /r "$INSTDIR\Error"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
SectionEnd

Section /o "un.$(NAME_DATA)" SecData
  Delete "$INSTDIR\Setting.ini"
  Delete "$INSTDIR\User.db"
  RMDir /r "$INSTDIR\log"
  RMDir /r "$INSTDIR\image"
SectionEnd

Section "-un.Folder"
  ; Only when nothing else is left in it.
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecData}
  ${EndIf}
FunctionEnd
