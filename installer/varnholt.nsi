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
; the user's config.ini. The uninstaller keeps config.ini too unless the user
; agrees to remove it (a silent uninstall keeps it). /S installs and
; uninstalls silently.

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
    Delete "${SHORTCUT}"

    ; The settings go only when the user says so; a silent uninstall keeps them.
    IfFileExists "$INSTDIR\config.ini" 0 settings_done
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "Remove your Varnholt settings too (folder pairs, interval, language in $INSTDIR\config.ini)?$\n$\nChoose No to keep them for a later installation." \
            /SD IDNO IDNO settings_done
        Delete "$INSTDIR\config.ini"
    settings_done:

    ; The start at logon, when it names this copy's launcher (the program
    ; writes the quoted path of Tovrinel.exe); another copy's entry stays.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    StrLen $2 '"$INSTDIR\'
    StrCpy $1 $0 $2
    StrCmp $1 '"$INSTDIR\' remove_run
    StrLen $2 '$INSTDIR\'
    StrCpy $1 $0 $2
    StrCmp $1 '$INSTDIR\' remove_run run_done
    remove_run:
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    run_done:

    ; Only when empty: kept settings keep the folder.
    RMDir "$INSTDIR"
    ; Last, so that whoever waits for the uninstaller can wait for this.
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
