; Varnholt's installer: for the current user only, without administrator
; rights, into %LOCALAPPDATA%\Programs\Varnholt. Built by scripts/dist.sh:
;
;   makensis -DVERSION=1.0.0 -DVERSION_QUAD=1.0.0.0 -DPROGRAM_DIR=<folder>
;            -DICON=resources/varnholt.ico -DOUTFILE=<setup.exe> varnholt.nsi
;
; PROGRAM_DIR holds the program folder as `make run` lays it out (Varnholt.exe,
; Tovrinel.exe, config.ini, Varnholttrl.ini, help.chm); the version comes from
; the build tree's varnholt_version.h.
;
; Installing again over an installed copy updates the program files and keeps
; the user's config.ini. The uninstaller keeps config.ini and the run log
; Varnholt.log too unless the user agrees to remove them (a silent uninstall
; keeps them). /S installs and
; uninstalls silently.
;
; Varnholt goes only into a folder that does not exist yet, an empty folder or
; one that holds Varnholt already (see InstallableFolder below), because the
; uninstaller removes its files and then the folder when it is empty. Another
; folder chosen on the directory page becomes <folder>\Varnholt once the user
; agrees; a silent install refuses it.
;
; Exit codes of the installer:
;   0  installed
;   1  the user cancelled
;   2  NSIS stopped the installation (for example a file could not be written)
;   3  Varnholt.exe is running in the folder; nothing was changed
;   4  silent install (/S): the folder holds files other than Varnholt's;
;      nothing was written, and the reason goes to the standard error when
;      the caller gave one

!ifndef VERSION | VERSION_QUAD | PROGRAM_DIR | ICON | OUTFILE
    !error "Pass VERSION, VERSION_QUAD, PROGRAM_DIR, ICON and OUTFILE with -D (see scripts/dist.sh)."
!endif

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnholt"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Varnholt"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Varnholt.lnk"

Name "Varnholt ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Varnholt"
; An installed copy is updated where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Oskenby Varnholt ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"

; ---------------------------------------------------------------------------
; Pages

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Varnholt.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Varnholt"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Oskenby"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Varnholt setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) Oskenby"

; ---------------------------------------------------------------------------
; A running Varnholt.exe cannot be replaced or removed: ask the user to end
; it (a silent run gives up), so that no half-updated or half-removed program
; is left behind. Windows refuses to open a running program for writing.

!macro DefineEnsureNotRunning prefix
Function ${prefix}EnsureNotRunning
    IfFileExists "$INSTDIR\Varnholt.exe" 0 done
    again:
        ClearErrors
        FileOpen $0 "$INSTDIR\Varnholt.exe" a
        IfErrors 0 free
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "Varnholt is running. Please end it (File > Exit, or Exit in the menu of its icon in the notification area), then choose Retry." \
            /SD IDCANCEL IDRETRY again
        DetailPrint "Varnholt.exe is running; nothing was changed."
        SetErrorLevel 3
        Abort
    free:
        FileClose $0
    done:
FunctionEnd
!macroend
!insertmacro DefineEnsureNotRunning ""
!insertmacro DefineEnsureNotRunning "un."

; ---------------------------------------------------------------------------
; Pushes 1 when the file on the stack is a Varnholt config.ini (it has the key
; line "SyncInterval", which every copy of the file keeps), else 0.
!macro DefineIsVarnholtSettings prefix
Function ${prefix}IsVarnholtSettings
    Exch $R0
    Push $R1
    Push $R2
    StrCpy $R2 0
    ClearErrors
    FileOpen $R1 $R0 r
    ${IfNot} ${Errors}
        ${Do}
            ClearErrors
            FileRead $R1 $R0
            ${If} ${Errors}
                ${ExitDo}
            ${EndIf}
            ${If} $R0 == "SyncInterval$\r$\n"
            ${OrIf} $R0 == "SyncInterval$\n"
                StrCpy $R2 1
                ${ExitDo}
            ${EndIf}
        ${Loop}
        FileClose $R1
    ${EndIf}
    StrCpy $R0 $R2
    Pop $R2
    Pop $R1
    Exch $R0
FunctionEnd
!macroend
!insertmacro DefineIsVarnholtSettings ""
!insertmacro DefineIsVarnholtSettings "un."

; Where Varnholt may be installed: pushes 1 when the folder on the stack does
; not exist yet, is empty or holds Varnholt already, else 0. Varnholt is
; there when the folder holds
;  - Varnholt.exe, Tovrinel.exe and Uninstall.exe side by side: an installed
;    copy, with whatever else its user keeps there (installers before this
;    rule went into any folder, and such a copy is still updated where it
;    is); or
;  - nothing but files of a Varnholt program folder (the program files,
;    Uninstall.exe, the run log, temporary files ~vh-*.tmp of a settings
;    write), among them
;    Varnholt.exe or a config.ini of Varnholt's: a portable copy, or the
;    settings an uninstall kept.
; One of those names alone (another program's config.ini, help.chm or
; Uninstall.exe) does not make a folder Varnholt's, nor does a subfolder.
Function InstallableFolder
    Exch $R0 ; the folder, then the answer
    Push $R1 ; search handle
    Push $R2 ; entry name
    Push $R3 ; Varnholt.exe is there
    Push $R4 ; Tovrinel.exe is there
    Push $R5 ; Uninstall.exe is there
    Push $R6 ; something else is there
    Push $R7 ; the folder holds anything
    Push $R8
    Push $R9
    ${IfNot} ${FileExists} "$R0"
        StrCpy $R0 1
    ${ElseIfNot} ${FileExists} "$R0\*.*"
        StrCpy $R0 0 ; a file
    ${Else}
        StrCpy $R3 0
        StrCpy $R4 0
        StrCpy $R5 0
        StrCpy $R6 0
        StrCpy $R7 0
        FindFirst $R1 $R2 "$R0\*.*"
        ${DoWhile} $R2 != ""
            ${If} $R2 != "."
            ${AndIf} $R2 != ".."
                StrCpy $R7 1
                ${If} ${FileExists} "$R0\$R2\*.*"
                    StrCpy $R6 1 ; a subfolder
                ${ElseIf} $R2 == "Varnholt.exe"
                    StrCpy $R3 1
                ${ElseIf} $R2 == "Tovrinel.exe"
                    StrCpy $R4 1
                ${ElseIf} $R2 == "${UNINSTALLER}"
                    StrCpy $R5 1
                ${ElseIf} $R2 != "config.ini"
                ${AndIf} $R2 != "Varnholttrl.ini"
                ${AndIf} $R2 != "help.chm"
                ${AndIf} $R2 != "Varnholt.log"
                ${AndIf} $R2 != "Varnholt.old.log"
                    ; A temporary file of a settings write: ~vh-*.tmp.
                    StrCpy $R8 $R2 4
                    StrCpy $R9 $R2 "" -4
                    ${If} $R8 != "~vh-"
                    ${OrIf} $R9 != ".tmp"
                        StrCpy $R6 1
                    ${EndIf}
                ${EndIf}
            ${EndIf}
            FindNext $R1 $R2
        ${Loop}
        FindClose $R1

        ${If} $R7 == 0
            StrCpy $R2 1 ; empty
        ${ElseIf} "$R3$R4$R5" == "111"
            StrCpy $R2 1 ; an installed copy
        ${ElseIf} $R6 == 1
            StrCpy $R2 0
        ${ElseIf} $R3 == 1
            StrCpy $R2 1 ; a portable copy
        ${Else}
            Push "$R0\config.ini"
            Call IsVarnholtSettings
            Pop $R2
        ${EndIf}
        StrCpy $R0 $R2
    ${EndIf}
    Pop $R9
    Pop $R8
    Pop $R7
    Pop $R6
    Pop $R5
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Exch $R0
FunctionEnd

!macro InstallableFolder folder result
    Push "${folder}"
    Call InstallableFolder
    Pop ${result}
!macroend
!define InstallableFolder "!insertmacro InstallableFolder"

; A silent install goes where it is told or nowhere: a folder holding other
; files is refused before anything is written.
Function .onInit
    ${IfNot} ${Silent}
        Return
    ${EndIf}
    ${InstallableFolder} $INSTDIR $0
    ${If} $0 == 0
        ; A silent install has no window: the reason goes to the standard
        ; error, when the caller gave one (in the system's ANSI code page).
        StrCpy $1 "Varnholt was not installed: $INSTDIR holds files other than Varnholt's. Choose a new or empty folder with /D=.$\r$\n"
        StrLen $2 $1
        System::Call 'kernel32::GetStdHandle(i -12) p .r3'
        System::Call 'kernel32::WriteFile(p r3, m r1, i r2, *i .r4, p 0)'
        SetErrorLevel 4
        Abort
    ${EndIf}
FunctionEnd

; Leaving the directory page: a folder holding other files becomes
; <folder>\Varnholt once the user agrees; when that holds other files too, the
; user chooses again.
Function DirectoryLeave
    ${InstallableFolder} $INSTDIR $0
    ${If} $0 == 1
        Return
    ${EndIf}
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        MessageBox MB_OK|MB_ICONSTOP "$INSTDIR is a file. Please choose a folder."
        Abort
    ${EndIf}
    ${InstallableFolder} "$INSTDIR\Varnholt" $0
    ${If} $0 == 0
        MessageBox MB_OK|MB_ICONSTOP \
            "Varnholt can be installed only into a new or empty folder, or over an earlier installation.$\n$\n$INSTDIR holds other files, and so does $INSTDIR\Varnholt. Please choose another folder."
        Abort
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
        "Varnholt can be installed only into a new or empty folder, or over an earlier installation.$\n$\n$INSTDIR holds other files, so Varnholt will be installed into a folder of its own:$\n$\n$INSTDIR\Varnholt" \
        IDOK subfolder
    Abort
    subfolder:
    ; Into the folder field too: the page takes $INSTDIR from it when it
    ; goes.
    FindWindow $1 "#32770" "" $HWNDPARENT
    GetDlgItem $1 $1 1019
    SendMessage $1 ${WM_SETTEXT} 0 "STR:$INSTDIR\Varnholt"
    StrCpy $INSTDIR "$INSTDIR\Varnholt"
FunctionEnd

; ---------------------------------------------------------------------------
; Install

Section "Varnholt"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    Call EnsureNotRunning

    File "${PROGRAM_DIR}/Varnholt.exe"
    File "${PROGRAM_DIR}/Tovrinel.exe"
    File "${PROGRAM_DIR}/Varnholttrl.ini"
    File "${PROGRAM_DIR}/help.chm"
    ; The user's settings stay: config.ini only when there is none.
    SetOverwrite off
    File "${PROGRAM_DIR}/config.ini"
    SetOverwrite on

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortCut "${SHORTCUT}" "$INSTDIR\Varnholt.exe" "" "$INSTDIR\Varnholt.exe" 0 \
        SW_SHOWNORMAL "" "Keeps pairs of folders in step"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Varnholt"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Oskenby"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Varnholt.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; ---------------------------------------------------------------------------
; Uninstall

Section "Uninstall"
    SetShellVarContext current
    Call un.EnsureNotRunning

    Delete "$INSTDIR\Varnholt.exe"
    Delete "$INSTDIR\Tovrinel.exe"
    Delete "$INSTDIR\Varnholttrl.ini"
    Delete "$INSTDIR\help.chm"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Temporary files of a settings write cut short (the program is not
    ; running, so nobody is writing them).
    Delete "$INSTDIR\~vh-*.tmp"

    ; The Start-menu shortcut, when it starts this copy: an install of another
    ; copy since then has made it its own.
    Call un.ShortcutTarget
    Pop $0
    ${If} $0 == "$INSTDIR\Varnholt.exe"
        Delete "${SHORTCUT}"
    ${EndIf}

    ; The settings go only when the user says so; a silent uninstall keeps
    ; them. A config.ini that is not Varnholt's (in a folder an installer
    ; before the folder rule shared with other programs) is not asked about.
    Push "$INSTDIR\config.ini"
    Call un.IsVarnholtSettings
    Pop $0
    ${If} $0 == 1
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "Remove your Varnholt settings too (folder pairs, interval, language in $INSTDIR\config.ini), and the run log?$\n$\nChoose No to keep them for a later installation." \
            /SD IDNO IDNO settings_done
        Delete "$INSTDIR\config.ini"
        Delete "$INSTDIR\Varnholt.log"
        Delete "$INSTDIR\Varnholt.old.log"
    ${EndIf}
    settings_done:

    ; The start at logon, when it names this copy's launcher (the program
    ; writes the quoted path of Tovrinel.exe); another copy's entry stays,
    ; a copy in a folder inside this one included.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"$INSTDIR\Tovrinel.exe"'
    ${OrIf} $0 == '$INSTDIR\Tovrinel.exe'
        ClearErrors
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
        ; Kept settings must not say the start at logon is on: a later
        ; installation would show the box ticked while nothing starts.
        ${IfNot} ${Errors}
            Push "$INSTDIR\config.ini"
            Call un.IsVarnholtSettings
            Pop $0
            ${If} $0 == 1
                Call un.ClearStartAtLogonMark
            ${EndIf}
        ${EndIf}
    ${EndIf}

    ; Only when empty: kept settings, or anything else in it, keep the folder.
    RMDir "$INSTDIR"
    ; The Uninstall entry, when it names this copy: another copy installed
    ; since then has made it its own. Last, so that whoever waits for the
    ; uninstaller can wait for this.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd

; The kept config.ini says that the start at logon is off: the second
; character of the value under "Options" becomes "0". Every other byte stays
; as it is (the file is ISO 8859-1 text with CR LF lines, read and written
; byte by byte here so no code page touches it). The new content goes to a
; temporary file, written through to the disk, that then replaces config.ini
; in one step; when anything fails, config.ini stays whole as it was, and a
; value already "0" leaves the file untouched.
Function un.ClearStartAtLogonMark
    Push $0 ; config.ini, read
    Push $1 ; the temporary file, written
    Push $2 ; a byte
    Push $3 ; the first bytes of the line so far
    Push $4 ; position in the line
    Push $5 ; 1 while in the line after the key line "Options"
    Push $6 ; 1 once the byte is changed
    Push $7 ; 1 when reading or writing failed
    Push $8
    Push $9 ; bytes copied
    StrCpy $3 ""
    StrCpy $9 0
    StrCpy $4 0
    StrCpy $5 0
    StrCpy $6 0
    StrCpy $7 0
    ClearErrors
    FileOpen $0 "$INSTDIR\config.ini" r
    ${IfNot} ${Errors}
        FileOpen $1 "$INSTDIR\~vh-uninstall.tmp" w
        ${If} ${Errors}
            StrCpy $7 1
        ${Else}
            ${Do}
                ClearErrors
                FileReadByte $0 $2
                ${If} ${Errors}
                    ${ExitDo} ; the end of the file
                ${EndIf}
                ${If} $5 == 1
                ${AndIf} $4 == 1
                ${AndIf} $2 != 13
                ${AndIf} $2 != 10
                ${AndIf} $2 != 48
                    StrCpy $2 48 ; "0"
                    StrCpy $6 1
                ${EndIf}
                ClearErrors
                FileWriteByte $1 $2
                ${If} ${Errors}
                    StrCpy $7 1
                    ${ExitDo}
                ${EndIf}
                IntOp $9 $9 + 1
                ${If} $2 == 10
                    ; The key line, ended by CR LF or by LF alone, as the
                    ; program reads it.
                    ${If} $4 == 8
                    ${AndIf} $3 S== "Options$\r"
                        StrCpy $5 1
                    ${ElseIf} $4 == 7
                    ${AndIf} $3 S== "Options"
                        StrCpy $5 1
                    ${Else}
                        StrCpy $5 0
                    ${EndIf}
                    StrCpy $3 ""
                    StrCpy $4 0
                ${Else}
                    ${If} $4 < 8
                        IntFmt $8 "%c" $2
                        StrCpy $3 "$3$8"
                    ${EndIf}
                    IntOp $4 $4 + 1
                ${EndIf}
            ${Loop}
            ; A read that failed midway ends the loop as the end of the file
            ; would: only a copy of every byte may take the file's place.
            FileSeek $0 0 END $8
            ${If} $8 != $9
                StrCpy $7 1
            ${EndIf}
            System::Call 'kernel32::FlushFileBuffers(p r1) i .r8'
            ${If} $8 == 0
                StrCpy $7 1
            ${EndIf}
            FileClose $1
        ${EndIf}
        FileClose $0
        ${If} $7 == 0
        ${AndIf} $6 == 1
            ; MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH
            System::Call 'kernel32::MoveFileExW(w "$INSTDIR\~vh-uninstall.tmp", w "$INSTDIR\config.ini", i 9) i .r8'
        ${EndIf}
        Delete "$INSTDIR\~vh-uninstall.tmp"
    ${EndIf}
    Pop $9
    Pop $8
    Pop $7
    Pop $6
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

; Pushes the program the Start-menu shortcut starts, or "" when there is no
; shortcut or it cannot be read (then it stays).
Function un.ShortcutTarget
    Push $0
    Push $1
    Push $2
    StrCpy $0 ""
    ${If} ${FileExists} "${SHORTCUT}"
        ; IShellLinkW of CLSID_ShellLink, loaded through its IPersistFile
        ; (Load is method 5), then IShellLinkW::GetPath (method 3).
        System::Call "ole32::CoCreateInstance(g '{00021401-0000-0000-C000-000000000046}', p 0, i 1, g '{000214F9-0000-0000-C000-000000000046}', *p .r1) i .r2"
        ${If} $2 == 0
            System::Call "$1->0(g '{0000010B-0000-0000-C000-000000000046}', *p .r2) i .r0"
            ${If} $0 == 0
                System::Call "$2->5(w '${SHORTCUT}', i 0) i .r0"
                ${If} $0 == 0
                    System::Call "$1->3(w .r0, i ${NSIS_MAX_STRLEN}, p 0, i 0)"
                ${Else}
                    StrCpy $0 ""
                ${EndIf}
                System::Call "$2->2()"
            ${Else}
                StrCpy $0 ""
            ${EndIf}
            System::Call "$1->2()"
        ${EndIf}
    ${EndIf}
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
