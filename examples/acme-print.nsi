; A small printer-and-fax package that installs zqrunadd.exe with its two
; tools and has it add the printer and the fax.
;   makensis -DBIN=<folder of zqrunadd.exe> -DTOOLS=<folder of zqntadd.exe
;            and zqdrvtl.exe> -DOUTFILE=acme-print-setup.exe acme-print.nsi
; Silent: acme-print-setup.exe /S; uninstall.exe /S _?=<install folder>.

; An ANSI installer, like the program: a Unicode one (3.07's default) does
; not run on 95, 98 or ME.
Unicode false
!include LogicLib.nsh

!ifndef BIN
  !define BIN .
!endif
!ifndef TOOLS
  !define TOOLS ${BIN}
!endif
!ifndef OUTFILE
  !define OUTFILE acme-print-setup.exe
!endif

!define KEY "SOFTWARE\Acme Print"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Acme Print"

Name "Acme Print"
OutFile "${OUTFILE}"
; $INSTDIR never ends in a backslash (a drive root is refused unless
; AllowRootDirInstall), so it is ProgramDir as it stands.
InstallDir "$PROGRAMFILES\Acme Print"
; HKLM and the Windows directory need an administrator.
RequestExecutionLevel admin
; A 32-bit installer writes the registry's 32-bit view, the one the 32-bit
; program reads: no SetRegView 64.

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The folders the program starts zqdrvtl.exe from, as the spooler names
; them: $R0 the NT x86 one (its shell start; empty on 9x), $R1 the running
; system's (its two last starts). Asking the program's own questions puts
; the tool where it looks, on 9x and on 64-bit Windows too; $SYSDIR would
; not ($SYSDIR is SysWOW64 there).
!macro DRIVER_FOLDERS UN
  Function ${UN}DriverFolders
    System::Call 'winspool.drv::GetPrinterDriverDirectoryA(p 0, t "Windows NT x86", i 1, t .R0, i ${NSIS_MAX_STRLEN}, *i) i .r0'
    ${If} $0 = 0
      StrCpy $R0 ""
    ${EndIf}
    System::Call 'winspool.drv::GetPrinterDriverDirectoryA(p 0, p 0, i 1, t .R1, i ${NSIS_MAX_STRLEN}, *i) i .r0'
    ${If} $0 = 0
    ${OrIf} $R1 == $R0
      StrCpy $R1 ""
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DRIVER_FOLDERS ""
!insertmacro DRIVER_FOLDERS "un."

Section
  ; Read before anything is written: only a first install adds the printer.
  ReadRegStr $1 HKLM "${KEY}" "ProgramDir"

  SetOutPath "$INSTDIR"
  File "${BIN}/zqrunadd.exe"
  File "${TOOLS}/zqntadd.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  Call DriverFolders
  ${If} $R0 != ""
    SetOutPath "$R0"
    File "${TOOLS}/zqdrvtl.exe"
  ${EndIf}
  ${If} $R1 != ""
    SetOutPath "$R1"
    File "${TOOLS}/zqdrvtl.exe"
  ${EndIf}
  SetOutPath "$INSTDIR"

  ; Plain strings: the program reads the bytes as they stand, so an
  ; expandable value (WriteRegExpandStr, %ProgramFiles%) keeps its % signs.
  WriteRegStr HKLM "${KEY}" "ProgramDir" "$INSTDIR"
  WriteRegStr HKLM "${KEY}\Install\Printer" "Driver Name" "Acme Laser 5"
  WriteRegStr HKLM "${KEY}\Install\Fax" "Driver Name" "Acme Fax 5"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Acme Print"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'

  ; Last, once everything it reads is in place. The key path goes bare,
  ; blanks and all: the whole command tail is the key path, so quotes
  ; around it would be part of it and no key would open.
  ${If} $1 == ""
    ExecWait '"$INSTDIR\zqrunadd.exe" ${KEY}\Install\Printer'
  ${EndIf}
SectionEnd

Section Uninstall
  Call un.DriverFolders
  ${If} $R0 != ""
    Delete "$R0\zqdrvtl.exe"
  ${EndIf}
  ${If} $R1 != ""
    Delete "$R1\zqdrvtl.exe"
  ${EndIf}
  Delete "$INSTDIR\zqrunadd.exe"
  Delete "$INSTDIR\zqntadd.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; $WINDIR\ZQsetup.log is the record of what was done: left alone.
SectionEnd
