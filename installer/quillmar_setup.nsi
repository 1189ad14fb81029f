; Setup program of Quillmar PDF Writer, for 32-bit and 64-bit Windows.
;
; Installs the program files, the machine-wide settings key, the settings
; component's COM registration, the port monitor in the system folder with its
; port, a PostScript printer driver and the printer "Quillmar Printer", and an
; uninstall entry. On 64-bit Windows the spooler's part is x64, and 32-bit
; programs get the x86 settings component (registered in the 32-bit registry
; view, as data: a 64-bit process cannot call its DllRegisterServer) and the
; x86 monitor library in the 32-bit system folder for WaitForOutput. On 32-bit
; Windows everything is x86. The uninstaller removes all of it. Both run
; silently with /S; /D=<folder> (last on the command line) chooses the program
; folder, which gets the rights of Program Files when it lies outside it (a
; path that holds a link or another user's folder is refused). Nothing is
; installed while Windows protected print mode is on (exit code 3). The
; printers an administrator added on the port stay across a new setup, and the
; uninstaller removes them with the rest.
;
; CMake passes the stub (x86-unicode: the setup for both kinds; amd64-unicode:
; the same for 64-bit Windows only), the files to pack, the class's GUIDs and
; the output:
;   makensis /DSTUB=... /DOUTPUT_FILE=... /DMONITOR_DLL=... /DSETTINGS_DLL=...
;            /DCONFIG_EXE=... /DCONVERTER_EXE=... /DNOTIFIER_EXE=... /DSETTINGS_WINDOW_EXE=...
;            /DPRINTER_SETUP_EXE=... /DMONITOR_DLL_X86=... (and the other six _X86)
;            /DPRINTER_DESCRIPTION=...
;            /DSETTINGS_CLSID=... /DSETTINGS_LIBID=... /DSETTINGS_IID=...
;            quillmar_setup.nsi
; Without the _X86 files (a build that makes no x86 binaries, as `make demo`),
; only the amd64 stub can be packed: a setup of the 64-bit parts alone, without
; the x86 settings component and WaitForOutput library for 32-bit programs.

Unicode true
Target ${STUB}
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include x64.nsh
!include WinMessages.nsh
; The 64-bit build knows ${RunningX64} when packing and leaves the other
; branches' labels unused.
!pragma warning disable 6012

!define PRODUCT_NAME "Quillmar PDF Writer"
!define PRODUCT_VERSION "3.00.0013"
!define PUBLISHER "Quillmar"
!define SETTINGS_KEY "SOFTWARE\Quillmar\PDF Writer\Settings"
!define PRODUCT_KEY "SOFTWARE\Quillmar\PDF Writer"
!define COMPANY_KEY "SOFTWARE\Quillmar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmar PDF Writer"
; The settings component's COM names.
!define SETTINGS_PROGID "corvale.PDFPrinterSettings"
!define SETTINGS_CLASS "PDFPrinterSettings"
!define SETTINGS_INTERFACE "_PDFPrinterSettings"
!define TYPELIB_NAME "corvale"
; The automation marshaler (oleaut32) for the dual interface.
!define AUTOMATION_PROXY "{00020424-0000-0000-C000-000000000046}"
; The Start menu shortcut of the settings window, for every user.
!define SETTINGS_SHORTCUT "$SMPROGRAMS\Quillmar PDF Writer Settings.lnk"
; Where the x86 settings component goes on 64-bit Windows.
!define X86_FOLDER "$INSTDIR\x86"
!define SYSWOW64 "$WINDIR\SysWOW64"
; The hidden window of the resident notifier (notifier.exe).
!define NOTIFIER_WINDOW_CLASS "Quillmar PDF Writer notices"
!ifdef MONITOR_DLL_X86
  !define WITH_X86_PARTS
!else if ${NSIS_PTR_SIZE} <= 4
  !error "The setup for 32-bit Windows needs the x86 files (/DMONITOR_DLL_X86=... and the others)."
!endif
; The printers on the port that a new setup removes and adds again.
!define KEPT_PRINTERS "$PLUGINSDIR\kept-printers.txt"

Name "${PRODUCT_NAME}"
OutFile "${OUTPUT_FILE}"
InstallDir "$PROGRAMFILES64\Quillmar\PDF Writer"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "3.0.0.13"
VIAddVersionKey "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT_NAME} Setup"
VIAddVersionKey "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; On 64-bit Windows both run with the 64-bit registry view and the real
; system folder (a 32-bit setup program would see the 32-bit ones). The file
; system redirection is per thread: the sections, which run on a thread of
; their own, switch it off again.
!macro UseNativeViews
  ${If} ${RunningX64}
    SetRegView 64
    !if ${NSIS_PTR_SIZE} <= 4
      ${DisableX64FSRedirection}
    !endif
  ${EndIf}
!macroend

; Windows protected print mode removes printers that use third-party printing
; components: while it is on, nothing is installed. printer_setup.exe, from the
; setup's own temporary folder, asks Windows and gives the explanation, which
; the interactive setup shows and the silent one writes to its log; both end
; with exit code 3.
!define SETUP_LOG "$TEMP\QuillmarPDFWriterSetup.log"
Function CheckProtectedPrint
  InitPluginsDir
  ${If} ${RunningX64}
    File "/oname=$PLUGINSDIR\printer_setup.exe" "${PRINTER_SETUP_EXE}"
!ifdef WITH_X86_PARTS
  ${Else}
    File "/oname=$PLUGINSDIR\printer_setup.exe" "${PRINTER_SETUP_EXE_X86}"
!endif
  ${EndIf}
  nsExec::ExecToStack '"$PLUGINSDIR\printer_setup.exe" check-protected-print'
  Pop $0
  Pop $1
  ; ERROR_ACCESS_DISABLED_BY_POLICY: the mode is on.
  ${If} $0 == 1260
    FileOpen $2 "${SETUP_LOG}" a
    FileSeek $2 0 END
    FileWrite $2 "${PRODUCT_NAME} ${PRODUCT_VERSION} was not installed (exit code 3): $1$\r$\n"
    FileClose $2
    MessageBox MB_OK|MB_ICONSTOP "$1" /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro UseNativeViews
  Call CheckProtectedPrint
FunctionEnd

Function un.onInit
  !insertmacro UseNativeViews
FunctionEnd

; Asks the resident notifier of this session, if one runs, to end, so that
; notifier.exe can be replaced or removed (a message-only window: its parent
; is HWND_MESSAGE). One of another session keeps its file until it ends; the
; deletes below fall back to the next restart for it.
!macro EndNotifierOfThisSession
  StrCpy $R1 0
  ${Do}
    FindWindow $R0 "${NOTIFIER_WINDOW_CLASS}" "" -3
    ${If} $R0 = 0
    ${OrIf} $R1 >= 10
      ${Break}
    ${EndIf}
    SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    IntOp $R1 $R1 + 1
    Sleep 200
  ${Loop}
!macroend

; Shows a failure (not in silent mode), and ends with exit code 2.
!macro FailWith text
  DetailPrint "${text}"
  MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

; The program files of one architecture (x64 or x86 names of the defines).
!macro ProgramFiles CONVERTER NOTIFIER CONFIG SETTINGS SETTINGS_WINDOW PRINTER_SETUP
  SetOutPath "$INSTDIR"
  File "/oname=gui.exe" "${CONVERTER}"
  File "/oname=notifier.exe" "${NOTIFIER}"
  File "/oname=config.exe" "${CONFIG}"
  File "/oname=settings.exe" "${SETTINGS_WINDOW}"
  File "/oname=tavrin.dll" "${SETTINGS}"
  File "/oname=printer_setup.exe" "${PRINTER_SETUP}"
!macroend

; The x86 settings component registered for 32-bit programs in the 32-bit
; registry view: what its DllRegisterServer and RegisterTypeLib would write.
!macro RegisterX86Settings
  SetRegView 32
  !define CLASS_KEY "Software\Classes\CLSID\${SETTINGS_CLSID}"
  WriteRegStr HKLM "${CLASS_KEY}" "" "${SETTINGS_CLASS}"
  WriteRegStr HKLM "${CLASS_KEY}\InprocServer32" "" "${X86_FOLDER}\tavrin.dll"
  WriteRegStr HKLM "${CLASS_KEY}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr HKLM "${CLASS_KEY}\ProgID" "" "${SETTINGS_PROGID}"
  WriteRegStr HKLM "${CLASS_KEY}\VERSION" "" "1.0"
  WriteRegStr HKLM "${CLASS_KEY}\TypeLib" "" "${SETTINGS_LIBID}"
  WriteRegStr HKLM "${CLASS_KEY}\Programmable" "" ""
  !undef CLASS_KEY
  WriteRegStr HKLM "Software\Classes\${SETTINGS_PROGID}" "" "${SETTINGS_CLASS}"
  WriteRegStr HKLM "Software\Classes\${SETTINGS_PROGID}\Clsid" "" "${SETTINGS_CLSID}"
  !define LIB_KEY "Software\Classes\TypeLib\${SETTINGS_LIBID}\1.0"
  WriteRegStr HKLM "${LIB_KEY}" "" "${TYPELIB_NAME}"
  WriteRegStr HKLM "${LIB_KEY}\0\win32" "" "${X86_FOLDER}\tavrin.dll"
  WriteRegStr HKLM "${LIB_KEY}\FLAGS" "" "0"
  WriteRegStr HKLM "${LIB_KEY}\HELPDIR" "" "${X86_FOLDER}"
  !undef LIB_KEY
  !define INTERFACE_KEY "Software\Classes\Interface\${SETTINGS_IID}"
  WriteRegStr HKLM "${INTERFACE_KEY}" "" "${SETTINGS_INTERFACE}"
  WriteRegStr HKLM "${INTERFACE_KEY}\ProxyStubClsid" "" "${AUTOMATION_PROXY}"
  WriteRegStr HKLM "${INTERFACE_KEY}\ProxyStubClsid32" "" "${AUTOMATION_PROXY}"
  WriteRegStr HKLM "${INTERFACE_KEY}\TypeLib" "" "${SETTINGS_LIBID}"
  WriteRegStr HKLM "${INTERFACE_KEY}\TypeLib" "Version" "1.0"
  !undef INTERFACE_KEY
  SetRegView 64
!macroend

; Everything of the settings component in the current registry view.
!macro DeleteSettingsRegistration
  DeleteRegKey HKLM "Software\Classes\CLSID\${SETTINGS_CLSID}"
  DeleteRegKey HKLM "Software\Classes\${SETTINGS_PROGID}"
  DeleteRegKey HKLM "Software\Classes\TypeLib\${SETTINGS_LIBID}"
  DeleteRegKey HKLM "Software\Classes\Interface\${SETTINGS_IID}"
!macroend

Section "Install"
  !insertmacro UseNativeViews
  ; The program folder is made and secured before anything goes into it, by the
  ; copy of printer_setup.exe in the setup program's own temporary folder
  ; (CheckProtectedPrint put it there).
  ; Outside Program Files, a link or a folder of another owner on the path is
  ; refused; printer_setup.exe says which, and the message shows it.
  nsExec::ExecToStack '"$PLUGINSDIR\printer_setup.exe" secure-folder "$INSTDIR" "$PROGRAMFILES64"'
  Pop $0
  Pop $1
  ${If} $0 != 0
    !insertmacro FailWith "The program folder $INSTDIR cannot be given the rights of Program Files ($0): $1"
  ${EndIf}

  !insertmacro EndNotifierOfThisSession
  ${If} ${RunningX64}
    !insertmacro ProgramFiles "${CONVERTER_EXE}" "${NOTIFIER_EXE}" "${CONFIG_EXE}" "${SETTINGS_DLL}" \
        "${SETTINGS_WINDOW_EXE}" "${PRINTER_SETUP_EXE}"
!ifdef WITH_X86_PARTS
    SetOutPath "${X86_FOLDER}"
    File "/oname=tavrin.dll" "${SETTINGS_DLL_X86}"
  ${Else}
    !insertmacro ProgramFiles "${CONVERTER_EXE_X86}" "${NOTIFIER_EXE_X86}" "${CONFIG_EXE_X86}" \
        "${SETTINGS_DLL_X86}" "${SETTINGS_WINDOW_EXE_X86}" "${PRINTER_SETUP_EXE_X86}"
!endif
  ${EndIf}
  SetOutPath "$INSTDIR"
  ; The printer description that Wine's PostScript driver needs (unused on Windows).
  File "/oname=quillmar.ppd" "${PRINTER_DESCRIPTION}"
  ; The licences of the libraries built into gui.exe.
  File "/oname=LICENSES.txt" "${__FILEDIR__}/../third_party/LICENSES.txt"

  ; The uninstaller and its entry come before the system changes, so that a
  ; setup that fails half-way can still be undone.
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; An earlier installation's printer and monitor go first: the spooler then
  ; releases the monitor library, and it can be replaced.
  ; The printers an administrator added go too, and come back after the
  ; monitor's library has been replaced (KEPT_PRINTERS names them).
  nsExec::ExecToLog '"$INSTDIR\printer_setup.exe" remove "${KEPT_PRINTERS}"'
  Pop $0
  ${If} $0 != 0
    !insertmacro FailWith "Removing the earlier printer failed ($0)."
  ${EndIf}

  ; The spooler loads port monitors from the system folder, in its own
  ; architecture; 32-bit programs load WaitForOutput's from theirs.
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=corvale.dll" "${MONITOR_DLL}"
!ifdef WITH_X86_PARTS
    SetOutPath "${SYSWOW64}"
    File "/oname=corvale.dll" "${MONITOR_DLL_X86}"
  ${Else}
    File "/oname=corvale.dll" "${MONITOR_DLL_X86}"
!endif
  ${EndIf}
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${SETTINGS_KEY}" "AppFolder" "$INSTDIR"

  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\tavrin.dll"' $0
  ${If} $0 != 0
    !insertmacro FailWith "Registering the settings component failed ($0)."
  ${EndIf}
!ifdef WITH_X86_PARTS
  ${If} ${RunningX64}
    !insertmacro RegisterX86Settings
  ${EndIf}
!endif

  nsExec::ExecToLog '"$INSTDIR\printer_setup.exe" install "${KEPT_PRINTERS}"'
  Pop $0
  ${If} $0 != 0
    !insertmacro FailWith "Installing the printer failed ($0)."
  ${EndIf}

  SetShellVarContext all
  CreateShortCut "${SETTINGS_SHORTCUT}" "$INSTDIR\settings.exe" "" "$INSTDIR\settings.exe" 0 \
      SW_SHOWNORMAL "" "Settings of each Quillmar PDF Writer printer"
SectionEnd

Section "Uninstall"
  !insertmacro UseNativeViews
  ${If} ${FileExists} "$INSTDIR\printer_setup.exe"
    nsExec::ExecToLog '"$INSTDIR\printer_setup.exe" remove'
    Pop $0
    ${If} $0 != 0
      !insertmacro FailWith "Removing the printer failed ($0)."
    ${EndIf}
  ${EndIf}
  !insertmacro EndNotifierOfThisSession
  ; A library still held by the spooler or a program goes at the next restart.
  Delete /REBOOTOK "$SYSDIR\corvale.dll"
  ${If} ${RunningX64}
    Delete /REBOOTOK "${SYSWOW64}\corvale.dll"
  ${EndIf}

  ${If} ${FileExists} "$INSTDIR\tavrin.dll"
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\tavrin.dll"' $0
  ${EndIf}
  ; What regsvr32 leaves: the 32-bit view's registration (written as data),
  ; and a type library key that still held the win32 entry.
  ${If} ${RunningX64}
    SetRegView 32
    !insertmacro DeleteSettingsRegistration
    SetRegView 64
  ${EndIf}
  !insertmacro DeleteSettingsRegistration

  SetShellVarContext all
  Delete "${SETTINGS_SHORTCUT}"

  Delete "$INSTDIR\gui.exe"
  Delete /REBOOTOK "$INSTDIR\notifier.exe"
  Delete "$INSTDIR\config.exe"
  Delete "$INSTDIR\settings.exe"
  Delete "$INSTDIR\tavrin.dll"
  Delete "${X86_FOLDER}\tavrin.dll"
  RMDir "${X86_FOLDER}"
  Delete "$INSTDIR\printer_setup.exe"
  Delete "$INSTDIR\quillmar.ppd"
  Delete "$INSTDIR\LICENSES.txt"
  Delete "$INSTDIR\debug.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  RMDir "$PROGRAMFILES64\Quillmar"

  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "${COMPANY_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
