; The demo's installer and its uninstaller.
;   makensis -DGAME=<game directory> -DGAME_FILES=<list> -DOUTFILE=<setup.exe>
;     -DRULEBOOK=<rulebook.dll> kora-demo.nsi
;   add -DAMD64 for the x86-64 test pair (see scripts/medium)
; GAME_FILES, written by tools/game_files.py from the game directory, holds
; the macros InstallGameFiles, GameNames and WriteGameLog: the
; installer's fixed list of files.
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
!include TextFunc.nsh
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
; "1" when the folder CheckOwnFolder was given is where its name leads.
Var Own
; The installation's folder, for IsOurs.
Var Installation
; "1" while a name, and every folder on the way to it, is the installation's own.
Var Plain

; Ends the installation before anything is written, with one line saying why.
Function Refuse
    MessageBox MB_OK|MB_ICONSTOP "Dieses Verzeichnis kann nicht verwendet werden ($Why): $INSTDIR" /SD IDOK
    SetErrorLevel 2
    Abort
FunctionEnd

; The launcher's own rules, which the installer and the uninstaller unpack
; and call: none of them is written a second time here.
!macro UnpackRulebook
    InitPluginsDir
    File "/oname=$PLUGINSDIR\rulebook.dll" "${RULEBOOK}"
!macroend

; ${If} a SameAs b: a and b name the same on Windows, whatever the case of
; their letters, by no other likeness (the launcher's case rule).
!macro _SameAs _a _b _t _f
    !insertmacro _LOGICLIB_TEMP
    Push `${_b}`
    Push `${_a}`
    System::Call '$PLUGINSDIR\rulebook.dll::KoraSameName(w s, w s) i .s'
    Pop $_LOGICLIB_TEMP
    !insertmacro _== $_LOGICLIB_TEMP 1 `${_t}` `${_f}`
!macroend

; $Why says what the launcher would misread in an installation in $INSTDIR,
; "" when nothing: its path rules, its length with the backslash it adds, the
; code page's exact spelling, and its cut of the uninstall command.
Function CheckDirectory
    StrCpy $Why ""
    Push $INSTDIR
    System::Call '$PLUGINSDIR\rulebook.dll::KoraFolderFault(w s) i .r0'
    ${Select} $0
    ${Case} 0
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
; unquoted and in capitals: it cuts $CMDLINE there, and replaces a folder it
; finds unusable (a '/', a drive root) with the default before .onInit runs.
; Any other spelling ("/D=..." quoted, /d=) is still in $CMDLINE and would
; install into the default folder. The folder taken is the rest of the
; process's own command line. Sets $Why unless that is $INSTDIR exactly and
; no other /D= was given.
Function CheckGivenDirectory
    StrLen $1 $CMDLINE
    ${For} $2 0 $1
        StrCpy $0 $CMDLINE 3 $2
        ${If} $0 == "/D="
            StrCpy $Why "/D= gilt nur am Ende, ohne Anf${U+00FC}hrungszeichen und gro${U+00DF} geschrieben"
        ${EndIf}
    ${Next}
    System::Call 'kernel32::GetCommandLineW() w .r0'
    StrCpy $0 $0 "" $1
    StrCpy $1 $0 4
    StrCpy $0 $0 "" 4
    ${If} $1 != ""
    ${AndIfNot} "$1$0" S== " /D=$INSTDIR"
        StrCpy $Why "/D= nicht genau so verwendbar"
    ${EndIf}
FunctionEnd

!macro FolderFunctions UN
; The final path of $R4 (a path), in $R5 (handle in $R6); "" where it cannot
; be opened; $R4 is "error" where the system has none (before Vista).
Function ${UN}FinalPath
    StrCpy $R5 ""
    System::Call 'kernel32::CreateFileW(w R4, i 0x10000, i 7, p 0, i 3, i 0x02200000, p 0) p .R6'
    ${If} $R6 != -1
        System::Call 'kernel32::GetFinalPathNameByHandleW(p R6, w .R5, i ${NSIS_MAX_STRLEN}, i 0) i .R4'
        ${IfThen} $R4 == 0 ${|} StrCpy $R5 "" ${|}
    ${EndIf}
FunctionEnd

; $Own is "1" when the folder $R0 is where its name leads: its final path is
; its own, not another's through a link anywhere on the way, nor spelled
; with short names. Before Vista, which has no final path, it counts as its
; own.
Function ${UN}CheckOwnFolder
    StrCpy $Own "1"
    StrCpy $R4 "$R0\"
    Call ${UN}FinalPath
    System::Call 'kernel32::CloseHandle(p R6)'
    ${If} $R4 != "error"
        StrCpy $R1 "\\?\$R0"
        StrCpy $R2 $R0 2
        ${If} $R2 S== "\\"
            StrCpy $R2 $R0 "" 1
            StrCpy $R1 "\\?\UNC$R2"
        ${EndIf}
        ${IfNot} $R5 SameAs $R1
            StrCpy $Own ""
        ${EndIf}
    ${EndIf}
FunctionEnd
;  $Plain stays "1" only where $R0 exists and is no reparse point: a link,
; or a folder mounted there, would take a write or a deletion outside the
; installation. Leaves its attributes in $R3.
Function ${UN}CheckNoLink
    System::Call 'kernel32::GetFileAttributesW(w R0) i .R3'
    IntOp $R1 $R3 & 0x400
    ${If} $R3 == -1
    ${OrIf} $R1 != 0
        StrCpy $Plain ""
    ${EndIf}
FunctionEnd

; The one answer to "is $1, a name inside $Installation, the installation's
; own?", for the installer's writes and the uninstaller's deletions: $Plain
; is "1" where the installation, every folder on the way to the name and the
; name exist and are no reparse point, and, where the system names final
; paths, the name's final path is the installation's and the name (a link to
; a file shows as a plain file, but its handle names its target; Windows
; keeps a name's old spelling when a later version writes over it in another
; case, so they compare by the case rule). Leaves the name's path in $R0,
; its attributes in $R3 and, where final paths were compared, its handle in
; $R6 (else -1), which the caller closes.
Function ${UN}IsOurs
    StrCpy $Plain "1"
    StrCpy $R6 -1
    ; No backslash after the folder, where a link would be looked through,
    ; except after a drive.
    StrCpy $R0 $Installation
    StrCpy $R2 $R0 1 -1
    ${IfThen} $R2 S== ":" ${|} StrCpy $R0 "$R0\" ${|}
    Call ${UN}CheckNoLink
    StrLen $R2 $1
    ${For} $R4 1 $R2
        StrCpy $R3 $1 1 $R4
        ${If} $R3 S== "\"
        ${AndIf} $Plain == "1"
            StrCpy $R0 $1 $R4
            StrCpy $R0 "$Installation\$R0"
            Call ${UN}CheckNoLink
        ${EndIf}
    ${Next}
    ${If} $1 != ""
    ${AndIf} $Plain == "1"
        StrCpy $R0 "$Installation\$1"
        Call ${UN}CheckNoLink
        StrCpy $R4 "$Installation\"
        Call ${UN}FinalPath
        System::Call 'kernel32::CloseHandle(p R6)'
        StrCpy $R6 -1
        ${If} $R4 != "error"
        ${AndIf} $Plain == "1"
            StrCpy $R7 "$R5\$1"
            StrCpy $R4 $R0
            Call ${UN}FinalPath
            ${IfNotThen} $R5 SameAs $R7 ${|} StrCpy $Plain "" ${|}
        ${EndIf}
    ${EndIf}
FunctionEnd
!macroend
!insertmacro FolderFunctions ""
!insertmacro FolderFunctions "un."

; Notes $1, a name the installer writes in the installation, in $Why where
; it stands there already. Only the demo's own registered installation may
; hold it, and there only as itself: a link, or a name under a linked
; folder, would take the write outside the installation, and the installer
; runs as an administrator. Before Vista, only links show. Anywhere else the
; name is the user's, whose file would be written over and later removed
; with the installation.
Function CheckTarget
    StrCpy $R0 "$INSTDIR\$1"
    StrCpy $R8 ""
    System::Call 'kernel32::GetFileAttributesW(w R0) i .R3'
    IntOp $R2 $R3 & 0x400
    ${If} $R3 == -1
        ; Nothing to look at: nothing there, or a link to nothing, which a
        ; write would follow to make its target. A new file (gone on closing)
        ; can be made only where nothing stands.
        System::Call 'kernel32::CreateFileW(w R0, i 0x40010000, i 0, p 0, i 1, i 0x04000000, p 0) p .R6 ?e'
        Pop $R3
        ${If} $R6 != -1
            System::Call 'kernel32::CloseHandle(p R6)'
        ${ElseIf} $R3 == 80
        ${OrIf} $R3 == 183
            StrCpy $R8 "in the way"
        ${EndIf}
    ${ElseIf} $Reinstall != "1"
    ${OrIf} $R2 != 0
        StrCpy $R8 "in the way"
    ${Else}
        Call IsOurs
        System::Call 'kernel32::CloseHandle(p R6)'
        ${IfThen} $Plain != "1" ${|} StrCpy $R8 "in the way" ${|}
    ${EndIf}
    ${If} $R8 != ""
    ${AndIf} $Why == ""
        StrCpy $Why "$1 steht im Weg"
    ${EndIf}
FunctionEnd

!macro CheckTarget NAME
    StrCpy $1 "${NAME}"
    Call CheckTarget
!macroend

Function .onInit
    !insertmacro UnpackRulebook
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
    StrCpy $R0 $INSTDIR
    Call CheckOwnFolder
    ${If} $Own != "1"
        ${IfThen} $1 == "made" ${|} RMDir "$INSTDIR" ${|}
        StrCpy $Why "Verkn${U+00FC}pfung oder Kurzname auf dem Weg"
        Call Refuse
    ${EndIf}
    ; Nothing of the user's may stand where the installer writes, nor what a
    ; reinstallation (the launcher's key names this folder) finds in its
    ; place be anything but its own. A folder made just now is empty.
    StrCpy $Reinstall ""
    StrCpy $Installation $INSTDIR
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
    ; Files before their directories, so one pass removes them all. UTF-16,
    ; so that every name reads back as itself, never as a code page's
    ; look-alike.
    FileOpen $0 "$INSTDIR\install.log" w
    FileWriteUTF16LE /BOM $0 "uninst.exe$\r$\n"
    !insertmacro WriteGameLog $0
    FileWriteUTF16LE $0 "drivers\$\r$\nsave\$\r$\n"
    FileClose $0
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

; The log is everything after the first "-f" that begins the arguments or
; follows a blank, where the launcher splits the registered command too;
; blanks at the end are not part of it. The log must be the one in the
; uninstaller's own directory: without it there is nothing to remove.
Function un.onInit
    !insertmacro UnpackRulebook
    ${GetParameters} $0
    StrCpy $1 ""
    StrCpy $2 $0 2
    ${If} $2 S== "-f"
        StrCpy $1 2
    ${Else}
        StrLen $3 $0
        ${For} $4 0 $3
            StrCpy $2 $0 3 $4
            ${If} $2 S== " -f"
                IntOp $1 $4 + 3
                ${Break}
            ${EndIf}
        ${Next}
    ${EndIf}
    StrCpy $Log ""
    ${IfThen} $1 != "" ${|} StrCpy $Log $0 "" $1 ${|}
    ${Do}
        StrCpy $2 $Log 1 -1
        ${IfThen} $2 != " " ${|} ${ExitDo} ${|}
        StrCpy $Log $Log -1
    ${Loop}
    ${GetParent} $Log $Installation
    StrCpy $3 $INSTDIR
    StrCpy $2 $INSTDIR 1 -1
    ${IfThen} $2 == "\" ${|} StrCpy $3 $INSTDIR -1 ${|}
    ${If} $Log == ""
    ${OrIfNot} ${FileExists} $Log
    ${OrIfNot} $Installation SameAs $3
        MessageBox MB_OK|MB_ICONSTOP "Aufruf: uninst.exe -f<Protokolldatei>" /SD IDOK
        Abort
    ${EndIf}
    ; Through a link anywhere on the way (C:\Via\Kora with C:\Via a link to
    ; C:\New) the files are another folder's, registered by another name.
    StrCpy $R0 $Installation
    Call un.CheckOwnFolder
    ${If} $Own != "1"
        MessageBox MB_OK|MB_ICONSTOP "Dieses Verzeichnis kann nicht verwendet werden: $Installation" /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

; $Plain is "1" for a log line $1 that is a plain name inside the
; installation: none naming a drive, the root, a parent or a wildcard, or
; spelling a folder with '/', which the link checks would not see.
Function un.CheckLogName
    StrCpy $Plain "1"
    StrCpy $2 $1 1
    ${IfThen} $2 == "\" ${|} StrCpy $Plain "" ${|}
    StrLen $4 $1
    ${For} $3 0 $4
        StrCpy $2 $1 1 $3
        ${If} $2 == ":"
        ${OrIf} $2 == "*"
        ${OrIf} $2 == "?"
        ${OrIf} $2 == "/"
            StrCpy $Plain ""
        ${EndIf}
        StrCpy $2 $1 2 $3
        ${IfThen} $2 == ".." ${|} StrCpy $Plain "" ${|}
    ${Next}
FunctionEnd

; Removes $1, a name inside the installation: deletes it as a file or
; removes it as an empty folder, but only where the installation itself,
; every folder on the way to the name and the name are plain.
Function un.RemoveName
    StrCpy $R2 $1 1 -1
    ${IfThen} $R2 S== "\" ${|} StrCpy $1 $1 -1 ${|}
    Call un.IsOurs
    IntOp $R3 $R3 & 0x10
    ${If} $Plain != "1"
    ${ElseIf} $R3 != 0
        System::Call 'kernel32::CloseHandle(p R6)'
        StrCpy $R6 -1
        RMDir "$R0"
    ${ElseIf} $R6 == -1
        ; Before Vista there is no final path: deleted by name.
        Delete "$R0"
    ${Else}
        System::Call 'kernel32::SetFileInformationByHandle(p R6, i 4, *i 1, i 4)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R6)'
    ; Whatever stays, a link passed over or a file held open, keeps the
    ; installation removable: its uninstaller, log and registration stay.
    System::Call 'kernel32::GetFileAttributesW(w "$Installation\$1") i .R3'
    ${If} $R3 != -1
    ${AndIf} $1 != ""
    ${AndIf} $Left == ""
        StrCpy $Left $1
    ${EndIf}
FunctionEnd

!macro RemoveName NAME
    StrCpy $1 "${NAME}"
    Call un.RemoveName
!macroend

; $1 becomes the target of the shortcut, "" where it has none.
Function un.ShortcutTarget
    StrCpy $1 ""
    ; IShellLinkW, loaded through its IPersistFile, asked for its target.
    System::Call 'ole32::CoCreateInstance(g "{00021401-0000-0000-C000-000000000046}", p 0, i 1, g "{000214F9-0000-0000-C000-000000000046}", *p .r2) i .r0'
    ${If} $0 == 0
        System::Call '$2->0(g "{0000010b-0000-0000-C000-000000000046}", *p .r3) i .r0'
        ${If} $0 == 0
            System::Call '$3->5(w "${SHORTCUT}", i 0) i .r0'
            ${If} $0 == 0
                System::Call '$2->3(w .r1, i ${NSIS_MAX_STRLEN}, p 0, i 4)'
            ${EndIf}
            System::Call '$3->2()'
        ${EndIf}
        System::Call '$2->2()'
    ${EndIf}
FunctionEnd

Section Uninstall
    ; The launcher starts the uninstaller inside the installation, which
    ; cannot be removed while it is the current directory.
    SetOutPath "$TEMP"
    !insertmacro GameNames RemoveName
    FileOpen $0 $Log r
    FileReadUTF16LE $0 $1
    ; The byte order mark the installer writes first.
    StrCpy $2 $1 1
    ${IfThen} $2 S== "${U+FEFF}" ${|} StrCpy $1 $1 "" 1 ${|}
    ${DoUntil} $1 == ""
        ${TrimNewLines} $1 $1
        Call un.CheckLogName
        ; The uninstaller goes only once all else has gone.
        ${If} $Plain == "1"
        ${AndIf} $1 != ""
        ${AndIf} $1 != "uninst.exe"
            Call un.RemoveName
        ${EndIf}
        FileReadUTF16LE $0 $1
    ${Loop}
    FileClose $0
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
    ${IfThen} $0 SameAs $Installation ${|} DeleteRegKey HKLM "${KEY}" ${|}
    DeleteRegKey /ifempty HKLM "SOFTWARE\Halvorn\Kora Manager DEMO"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Halvorn"
    ReadRegStr $0 HKLM "${ENTRY}" "InstallLocation"
    ${IfThen} $0 SameAs $Installation ${|} DeleteRegKey HKLM "${ENTRY}" ${|}
    SetShellVarContext all
    Call un.ShortcutTarget
    ${IfThen} $1 SameAs "$Installation\kora.exe" ${|} Delete "${SHORTCUT}" ${|}
    ; The log and the folder last: once they are gone, all is done.
    ${GetFileName} $Log $1
    Call un.RemoveName
    StrCpy $1 ""
    Call un.RemoveName
    ${IfThen} $Left != "" ${|} SetErrorLevel 2 ${|}
SectionEnd
