; The demo's installer and its uninstaller.
;   makensis -DGAME=<game directory> -DGAME_FILES=<list> -DOUTFILE=<setup.exe>
;     -DPLUGINS=<folder of rulebook.dll> kora-demo.nsi
;   add -DAMD64 for the x86-64 test pair (see scripts/medium)
; GAME_FILES, written by tools/game_files.py from the game directory, holds
; the macros InstallGameFiles, GameNames and InstallLog: the
; installer's fixed list of files and its log.
; The launcher finds the installation through the key below: "Kora Pro Path"
; is the directory, "Uninstall" the command that removes it, whose "-f" names
; the install log. The log lists the installed names relative to its own
; directory.
!ifdef AMD64
; The x86-64 launcher reads the native registry view, which only a 64-bit
; installer writes by default.
Target amd64-unicode
!else
; The shipped installer runs on every Windows from 95 on: the 95 family's
; wide calls only fail, so its stub and plug-ins use the code page's.
Target x86-ansi
!endif
; The launcher's own rules, as this installer's one plug-in (rulebook.dll,
; of the installer's own kind): none of them is written a second time here.
; Every question about a name on disk goes there too, so that the system's
; own branches (the oldest Windows, no final paths before Vista) are the
; launcher's.
!addplugindir "${PLUGINS}"
SetCompressor /SOLID lzma
; Installed files get the time of installation, so setup.exe does not depend
; on the file times of the build.
SetDateSave off
; A file that cannot be written stops the installation, silent or not, before
; anything is registered: never skipped into a game that lacks it.
AllowSkipFiles off
RequestExecutionLevel admin
; The launcher starts the installer by the name setup.exe.
!pragma warning disable 9000

!include FileFunc.nsh
!include LogicLib.nsh
!include /CHARSET=UTF8 "${GAME_FILES}"

!define PRODUCT "Kora Manager DEMO"
!define PUBLISHER "Halvorn"
!ifndef VERSION
    !define VERSION "1.0"
!endif
!define KEY "SOFTWARE\Halvorn\Kora Manager DEMO\Data"
; Windows' list of installed programs.
!define ENTRY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kora Manager DEMO"
!define SHORTCUT "$SMPROGRAMS\Kora Manager DEMO.lnk"
; The per-machine place only administrators can change: the Program Files
; folder of the programs' own kind, 32-bit for the shipped demo.
!ifdef AMD64
    !define PROGRAMS "$PROGRAMFILES64"
!else
    !define PROGRAMS "$PROGRAMFILES32"
!endif

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAMS}\${PRODUCT}"
BrandingText "${PRODUCT}"
ShowInstDetails show
LoadLanguageFile "${NSISDIR}\Contrib\Language files\German.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Why the folder is refused, for the one line that says so; "" while nothing is.
Var Why
; "1" when the folder is the demo's own registered installation.
Var Reinstall
; The installation's folder, for the uninstaller.
Var Installation

; Ends the installation before anything is written, with one line saying why.
Function Refuse
    MessageBox MB_OK|MB_ICONSTOP "Dieses Verzeichnis kann nicht verwendet werden ($Why): $INSTDIR" /SD IDOK
    SetErrorLevel 2
    Abort
FunctionEnd

; RESULT = the rulebook's answer to RULE about A (and B).
!macro Ask RESULT RULE A
    rulebook::${RULE} `${A}`
    Pop ${RESULT}
!macroend
!macro Ask2 RESULT RULE A B
    rulebook::${RULE} `${A}` `${B}`
    Pop ${RESULT}
!macroend

; ${If} a SameAs b: a and b name the same on Windows, whatever the case of
; their letters, by no other likeness (the launcher's case rule).
!macro _SameAs _a _b _t _f
    !insertmacro _LOGICLIB_TEMP
    !insertmacro Ask2 $_LOGICLIB_TEMP SameName `${_a}` `${_b}`
    !insertmacro _== $_LOGICLIB_TEMP 1 `${_t}` `${_f}`
!macroend

; $Why says what the launcher would misread in an installation in $INSTDIR,
; "" when nothing: its path rules, its length with the backslash it adds,
; the code page's exact spelling, and its cut of the uninstall command.
Function CheckDirectory
    !insertmacro Ask $0 FolderFault $INSTDIR
    ${Select} $0
    ${Case} 0
        StrCpy $Why ""
    ${Case} 1
        StrCpy $Why "kein eindeutiger Pfad"
    ${Case} 2
        StrCpy $Why "zu lang f${U+00FC}r das Startprogramm"
    ${Case} 3
        StrCpy $Why "ein Ger${U+00E4}tename im Pfad"
    ${Case} 4
        StrCpy $Why "Deinstallationsbefehl zu lang"
    ${Case} 5
        StrCpy $Why '" -f" im Pfad'
    ${Case} 100
        StrCpy $Why "Zeichen au${U+00DF}erhalb der Codepage"
    ${CaseElse}
        StrCpy $Why "Regeln nicht geladen"
    ${EndSelect}
FunctionEnd

; The directory page keeps its button disabled for a refused directory.
Function .onVerifyInstDir
    Call CheckDirectory
    ${If} $Why != ""
        Abort
    ${EndIf}
FunctionEnd

; The runtime takes a folder only from a " /D=" that ends the command line,
; unquoted and in capitals, and may put the default in place of one it finds
; unusable. Any other spelling ("/D=..." quoted, /d=) would install into the
; default folder: the silent installation uses the folder given exactly or
; none.
Function CheckGivenDirectory
    !insertmacro Ask2 $0 GivenFolder $CMDLINE $INSTDIR
    ${Select} $0
    ${Case} 0
    ${Case} 1
        StrCpy $Why "/D= gilt nur am Ende, ohne Anf${U+00FC}hrungszeichen und gro${U+00DF} geschrieben"
    ${Case} 100
        StrCpy $Why "Zeichen au${U+00DF}erhalb der Codepage"
    ${CaseElse}
        StrCpy $Why "/D= nicht genau so verwendbar"
    ${EndSelect}
FunctionEnd

; Notes $1, a name the installer writes, in $Why where it cannot be written
; there: anything in its place is the user's, except in the demo's own
; registered installation, where it must be the installation's own (no
; link, nor under a linked folder, which would take the write elsewhere:
; the installer runs as an administrator). A name the code page cannot hold
; would be written as a look-alike.
Function CheckTarget
    !insertmacro Ask2 $0 NameState $INSTDIR $1
    ${If} $0 == 1
    ${AndIf} $Reinstall != "1"
        StrCpy $0 2
    ${EndIf}
    ${If} $Why != ""
    ${ElseIf} $0 == 100
        StrCpy $Why "$1: Zeichen au${U+00DF}erhalb der Codepage"
    ${ElseIf} $0 == 2
        StrCpy $Why "$1 steht im Weg"
    ${EndIf}
FunctionEnd

!macro CheckTarget NAME
    StrCpy $1 "${NAME}"
    Call CheckTarget
!macroend

Function .onInit
!if ${NSIS_CHAR_SIZE} == 1
!ifdef NON_ASCII
    ; This build holds the game's names in Windows-1252, which another code
    ; page would read as other names.
    rulebook::CodePage
    Pop $0
    ${If} $0 != 1252
        StrCpy $Why "Zeichen au${U+00DF}erhalb der Codepage"
        Call Refuse
    ${EndIf}
!endif
!endif
    ; A silent installation never shows the directory page: /D= is checked here.
    ${If} ${Silent}
        Call CheckGivenDirectory
        ${IfThen} $Why == "" ${|} Call CheckDirectory ${|}
        ${IfThen} $Why != "" ${|} Call Refuse ${|}
    ${EndIf}
FunctionEnd

Section
    ; Only a folder that is where its name leads can be removed again: the
    ; uninstaller removes nothing through a link or under a short name.
    StrCpy $1 ""
    ${IfNotThen} ${FileExists} "$INSTDIR\*.*" ${|} StrCpy $1 "made" ${|}
    CreateDirectory "$INSTDIR"
    !insertmacro Ask $0 OwnFolder $INSTDIR
    ${If} $0 != 1
        ${IfThen} $1 == "made" ${|} RMDir "$INSTDIR" ${|}
        StrCpy $Why "Verkn${U+00FC}pfung oder Kurzname auf dem Weg"
        Call Refuse
    ${EndIf}
    ; Nothing of the user's may stand where the installer writes, nor what a
    ; reinstallation (the launcher's key names this folder) finds in its
    ; place be anything but its own. A folder made just now is empty.
    StrCpy $Reinstall ""
    ReadRegStr $0 HKLM "${KEY}" "Kora Pro Path"
    ${IfThen} $0 SameAs $INSTDIR ${|} StrCpy $Reinstall "1" ${|}
    !insertmacro GameNames CheckTarget
    !insertmacro CheckTarget "uninst.exe"
    !insertmacro CheckTarget "install.log"
    !insertmacro CheckTarget "drivers"
    !insertmacro CheckTarget "save"
    ${IfThen} $Why != "" ${|} Call Refuse ${|}
    !insertmacro InstallGameFiles
    SetOutPath "$INSTDIR"
    ; The sound tool writes drivers\dig.ini; the game keeps its saves in save\.
    ClearErrors
    CreateDirectory "$INSTDIR\drivers"
    CreateDirectory "$INSTDIR\save"
    WriteUninstaller "$INSTDIR\uninst.exe"
    ; The same for every installation, made with the list of files.
    !insertmacro InstallLog
    ; Without its folders, uninstaller and log the installation would not
    ; work or could not be removed: then nothing is registered and the
    ; installer fails.
    ${If} ${Errors}
        SetErrorLevel 2
        Abort
    ${EndIf}
    WriteRegStr HKLM "${KEY}" "Kora Pro Path" "$INSTDIR"
    WriteRegStr HKLM "${KEY}" "Uninstall" "$INSTDIR\uninst.exe -f$INSTDIR\install.log"

    WriteRegStr HKLM "${ENTRY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${ENTRY}" "UninstallString" '"$INSTDIR\uninst.exe" -f$INSTDIR\install.log'
    WriteRegStr HKLM "${ENTRY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${ENTRY}" "DisplayIcon" "$INSTDIR\kora.exe,0"
    WriteRegStr HKLM "${ENTRY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${ENTRY}" "DisplayVersion" "${VERSION}"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${ENTRY}" "EstimatedSize" $0
    WriteRegDWORD HKLM "${ENTRY}" "NoModify" 1
    WriteRegDWORD HKLM "${ENTRY}" "NoRepair" 1
    SetShellVarContext all
    CreateShortCut "${SHORTCUT}" "$INSTDIR\kora.exe"
SectionEnd

Var Log
; The first name of the installation that stayed, "" while none has.
Var Left

; The log is what the launcher hands over after "-f", as it splits the
; registered command. It must lie in the uninstaller's own folder: without
; it there is nothing to remove.
Function un.onInit
    ${GetParameters} $0
    rulebook::UninstallLog "uninst.exe $0"
    Pop $0
    Pop $Log
    ${GetParent} $Log $Installation
    StrCpy $3 $INSTDIR
    StrCpy $2 $INSTDIR 1 -1
    ${IfThen} $2 == "\" ${|} StrCpy $3 $INSTDIR -1 ${|}
    ${If} $0 != 1
    ${OrIfNot} ${FileExists} $Log
    ${OrIfNot} $Installation SameAs $3
        MessageBox MB_OK|MB_ICONSTOP "Aufruf: uninst.exe -f<Protokolldatei>" /SD IDOK
        Abort
    ${EndIf}
    ; Through a link anywhere on the way (C:\Via\Kora with C:\Via a link to
    ; C:\New) the files are another folder's, registered by another name.
    !insertmacro Ask $0 OwnFolder $Installation
    ${If} $0 != 1
        MessageBox MB_OK|MB_ICONSTOP "Dieses Verzeichnis kann nicht verwendet werden: $Installation" /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

; Removes $1, a name inside the installation ("" for the installation
; itself), where it is the installation's own, through the handle it was
; confirmed on. Whatever stays, a link passed over or a file held open,
; keeps the installation removable: its uninstaller, log and registration
; stay. A log line that names nothing inside the installation is passed over.
Function un.RemoveName
    !insertmacro Ask2 $2 RemoveName $Installation $1
    ${If} $2 == 1
    ${AndIf} $Left == ""
        StrCpy $Left $1
        ${IfThen} $Left == "" ${|} StrCpy $Left $Installation ${|}
    ${EndIf}
FunctionEnd

!macro RemoveName NAME
    StrCpy $1 "${NAME}"
    Call un.RemoveName
!macroend

Section Uninstall
    ; The launcher starts the uninstaller inside the installation, which
    ; cannot be removed while it is the current directory.
    SetOutPath "$TEMP"
    !insertmacro GameNames RemoveName
    ; Read and acted on by the rulebook, so that no name passes through the
    ; code page of this build. The uninstaller goes only once all else has.
    rulebook::RemoveLogged $Installation $Log "uninst.exe"
    Pop $0
    Pop $1
    ${If} $0 != 0
    ${AndIf} $Left == ""
        StrCpy $Left $1
        ${IfThen} $0 == 2 ${|} StrCpy $Left $Log ${|}
    ${EndIf}
    !insertmacro RemoveName "drivers"
    !insertmacro RemoveName "save"
    ${IfThen} $Left == "" ${|} !insertmacro RemoveName "uninst.exe" ${|}
    ${If} $Left != ""
        MessageBox MB_OK|MB_ICONSTOP "Nicht alles konnte entfernt werden ($Left): $Installation" /SD IDOK
        SetErrorLevel 2
        Return
    ${EndIf}
    ; What names another installation of the demo stays: removing it would
    ; orphan that one.
    ReadRegStr $0 HKLM "${KEY}" "Kora Pro Path"
    ${If} $0 SameAs $Installation
        DeleteRegKey HKLM "${KEY}"
        ; The shortcut leads to the registered installation: this one.
        SetShellVarContext all
        Delete "${SHORTCUT}"
    ${EndIf}
    DeleteRegKey /ifempty HKLM "SOFTWARE\Halvorn\Kora Manager DEMO"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Halvorn"
    ReadRegStr $0 HKLM "${ENTRY}" "InstallLocation"
    ${IfThen} $0 SameAs $Installation ${|} DeleteRegKey HKLM "${ENTRY}" ${|}
    ; The log and the folder last: once they are gone, all is done.
    ${GetFileName} $Log $1
    Call un.RemoveName
    StrCpy $1 ""
    Call un.RemoveName
    ${IfThen} $Left != "" ${|} SetErrorLevel 2 ${|}
SectionEnd
