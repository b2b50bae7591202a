; The demo's installer and its uninstaller.
;   makensis -DSTANDINS=<dir with kora.exe, setsound.exe> -DOUTFILE=<setup.exe> kora-demo.nsi
;   add -DAMD64 for the x86-64 test pair (see scripts/medium)
; The launcher finds the installation through the key below: "Kora Pro Path"
; is the directory, "Uninstall" the command that removes it, whose "-f" names
; the install log. The log lists the installed names relative to its own
; directory, and the uninstaller removes exactly those.
!ifdef AMD64
; The x86-64 launcher reads the native registry view, which only a 64-bit
; installer writes by default.
Target amd64-unicode
!else
Unicode true
!endif
SetCompressor /SOLID lzma
; Installed files get the time of installation, so setup.exe does not depend
; on the file times of the build.
SetDateSave off
RequestExecutionLevel admin
; The launcher starts the installer by the name setup.exe.
!pragma warning disable 9000

!include FileFunc.nsh
!include TextFunc.nsh

!define KEY "SOFTWARE\Halvorn\Kora Manager DEMO\Data"

Name "Kora Manager DEMO"
OutFile "${OUTFILE}"
InstallDir "C:\KORADEMO"
BrandingText "Kora Manager DEMO"
ShowInstDetails show
LoadLanguageFile "${NSISDIR}\Contrib\Language files\German.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The launcher reads at most 127 characters of each value and cuts the
; uninstall command at its first "-f": a directory that breaks either is
; refused. Sets the error flag for such a directory.
Function CheckDirectory
    ClearErrors
    StrLen $0 "$INSTDIR\uninst.exe -f$INSTDIR\install.log"
    IntCmp $0 127 0 0 refuse
    StrCpy $1 0
    next:
        StrCpy $2 $INSTDIR 2 $1
        StrCmp $2 "" done
        StrCmpS $2 "-f" refuse
        IntOp $1 $1 + 1
        Goto next
    refuse:
        SetErrors
    done:
FunctionEnd

; The directory page keeps its button disabled for a refused directory.
Function .onVerifyInstDir
    Call CheckDirectory
    IfErrors 0 +2
        Abort
FunctionEnd

; A silent installation never shows that page: /D= is checked here.
Function .onInit
    Call CheckDirectory
    IfErrors 0 +3
        MessageBox MB_OK|MB_ICONSTOP "Dieses Verzeichnis kann nicht verwendet werden: $INSTDIR" /SD IDOK
        Abort
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "${STANDINS}\kora.exe"
    File "${STANDINS}\setsound.exe"
    ; The sound tool writes drivers\dig.ini; the game keeps its saves in save\.
    CreateDirectory "$INSTDIR\drivers"
    CreateDirectory "$INSTDIR\save"
    WriteUninstaller "$INSTDIR\uninst.exe"
    ; Files before their directories, so one pass removes them all.
    FileOpen $0 "$INSTDIR\install.log" w
    FileWrite $0 "kora.exe$\r$\nsetsound.exe$\r$\nuninst.exe$\r$\ndrivers\$\r$\nsave\$\r$\n"
    FileClose $0
    WriteRegStr HKLM "${KEY}" "Kora Pro Path" "$INSTDIR"
    WriteRegStr HKLM "${KEY}" "Uninstall" "$INSTDIR\uninst.exe -f$INSTDIR\install.log"
SectionEnd

Var Log
Var Installation

; The log is everything after the first "-f" of the arguments, where the
; launcher splits the registered command too; blanks at the end are not
; part of it. Without a readable log there is nothing to remove.
Function un.onInit
    ${GetParameters} $0
    StrCpy $1 0
    find:
        StrCpy $2 $0 2 $1
        StrCmp $2 "" usage
        IntOp $1 $1 + 1
        StrCmpS $2 "-f" 0 find
    IntOp $1 $1 + 1
    StrCpy $Log $0 "" $1
    trim:
        StrCpy $2 $Log 1 -1
        StrCmp $2 " " 0 +3
        StrCpy $Log $Log -1
        Goto trim
    IfFileExists $Log 0 usage
    ${GetParent} $Log $Installation
    Return
    usage:
        MessageBox MB_OK|MB_ICONSTOP "Aufruf: uninst.exe -f<Protokolldatei>" /SD IDOK
        Abort
FunctionEnd

Section Uninstall
    ; The launcher starts the uninstaller inside the installation, which
    ; cannot be removed while it is the current directory.
    SetOutPath "$TEMP"
    FileOpen $0 $Log r
    next:
        FileRead $0 $1
        StrCmp $1 "" done
        ${TrimNewLines} $1 $1
        StrCmp $1 "" next
        Delete "$Installation\$1"
        RMDir "$Installation\$1"
        Goto next
    done:
    FileClose $0
    Delete $Log
    RMDir $Installation
    DeleteRegKey HKLM "${KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Halvorn\Kora Manager DEMO"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Halvorn"
SectionEnd
