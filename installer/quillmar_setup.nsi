; Setup program of Quillmar PDF Writer (64-bit).
;
; Installs the program files, the machine-wide settings key, the settings
; component's COM registration, the port monitor in the system folder with its
; port, a PostScript printer driver and the printer "Quillmar Printer", and an
; uninstall entry. The uninstaller removes all of it. Both run silently with /S;
; /D=<folder> (last on the command line) chooses the program folder.
;
; CMake passes the files to pack and the output:
;   makensis /DOUTPUT_FILE=... /DMONITOR_DLL=... /DSETTINGS_DLL=... /DCONFIG_EXE=...
;            /DCONVERTER_EXE=... /DPRINTER_SETUP_EXE=... /DPRINTER_DESCRIPTION=...
;            quillmar_setup.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include LogicLib.nsh

!define PRODUCT_NAME "Quillmar PDF Writer"
!define PRODUCT_VERSION "3.00.0013"
!define PUBLISHER "Quillmar"
!define SETTINGS_KEY "SOFTWARE\Quillmar\PDF Writer\Settings"
!define PRODUCT_KEY "SOFTWARE\Quillmar\PDF Writer"
!define COMPANY_KEY "SOFTWARE\Quillmar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmar PDF Writer"

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

; Shows a failure (not in silent mode), and ends with exit code 2.
!macro FailWith text
  DetailPrint "${text}"
  MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=gui.exe" "${CONVERTER_EXE}"
  File "/oname=config.exe" "${CONFIG_EXE}"
  File "/oname=tavrin.dll" "${SETTINGS_DLL}"
  File "/oname=printer_setup.exe" "${PRINTER_SETUP_EXE}"
  ; The printer description that Wine's PostScript driver needs (unused on Windows).
  File "/oname=quillmar.ppd" "${PRINTER_DESCRIPTION}"

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
  nsExec::ExecToLog '"$INSTDIR\printer_setup.exe" remove'
  Pop $0
  ${If} $0 != 0
    !insertmacro FailWith "Removing the earlier printer failed ($0)."
  ${EndIf}

  ; The spooler loads port monitors from the system folder.
  SetOutPath "$SYSDIR"
  File "/oname=corvale.dll" "${MONITOR_DLL}"
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${SETTINGS_KEY}" "AppFolder" "$INSTDIR"

  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\tavrin.dll"' $0
  ${If} $0 != 0
    !insertmacro FailWith "Registering the settings component failed ($0)."
  ${EndIf}

  nsExec::ExecToLog '"$INSTDIR\printer_setup.exe" install'
  Pop $0
  ${If} $0 != 0
    !insertmacro FailWith "Installing the printer failed ($0)."
  ${EndIf}
SectionEnd

Section "Uninstall"
  ${If} ${FileExists} "$INSTDIR\printer_setup.exe"
    nsExec::ExecToLog '"$INSTDIR\printer_setup.exe" remove'
    Pop $0
    ${If} $0 != 0
      !insertmacro FailWith "Removing the printer failed ($0)."
    ${EndIf}
  ${EndIf}
  ; A library still held by the spooler goes at the next restart.
  Delete /REBOOTOK "$SYSDIR\corvale.dll"

  ${If} ${FileExists} "$INSTDIR\tavrin.dll"
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\tavrin.dll"' $0
  ${EndIf}

  Delete "$INSTDIR\gui.exe"
  Delete "$INSTDIR\config.exe"
  Delete "$INSTDIR\tavrin.dll"
  Delete "$INSTDIR\printer_setup.exe"
  Delete "$INSTDIR\quillmar.ppd"
  Delete "$INSTDIR\debug.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\Quillmar"

  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "${COMPANY_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
