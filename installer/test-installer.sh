#!/usr/bin/env bash
# Tests the packages scripts/dist.sh wrote into build/dist/, under Wine, in a
# fresh prefix of its own (build/wineprefix-installer-test, made anew):
#  - a silent install puts the program folder's files into
#    %LOCALAPPDATA%\Programs\Varnholt, as built, with the uninstaller, a
#    Start-menu shortcut and the Uninstall entry of this version;
#  - the portable zip holds exactly the program folder's files;
#  - the installed launcher marks an automatic start in the installed
#    config.ini and starts Varnholt.exe;
#  - installing while Varnholt.exe runs fails and changes nothing;
#  - installing again updates the program files and keeps config.ini;
#  - a silent uninstall (the Uninstall entry's QuietUninstallString) removes
#    the program files, the shortcut, the Uninstall entry and this copy's Run
#    value and keeps config.ini, whose start-at-logon mark (the second
#    character of Options) it turns off, every other byte as it was;
#    installing again finds the settings kept;
#  - another copy's Run value stays, and the folder goes once nothing is
#    left in it but temporary files of a settings write cut short;
#  - the uninstaller with its pages keeps config.ini when the user answers
#    No to removing the settings, and removes it, the run log and the folder
#    on Yes; a folder of kept settings and a run log takes an install;
#  - a silent install into a folder holding other files is refused (exit code
#    4, the reason on standard error) and writes nothing; into an empty folder
#    it installs, and an installed copy holding the user's own files too is
#    updated;
#  - the uninstaller of one copy leaves the shortcut and the Uninstall entry
#    that another copy's install has made its own, and the user's files;
#  - the installer with its pages offers <folder>\Varnholt for a folder
#    holding other files, and refuses when that one holds other files too.
# Prints each check and stops at the first failure with a non-zero exit.
# DIST_BUILD_DIR and DIST_DIR as for scripts/dist.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

absolute() { [[ $1 == /* ]] && echo "$1" || echo "$root/$1"; }
build_dir=$(absolute "${DIST_BUILD_DIR:-build/win}")
dist_dir=$(absolute "${DIST_DIR:-build/dist}")
prefix=$root/build/wineprefix-installer-test

fail() { echo "FAIL: $*" >&2; exit 1; }
ok() { echo "  ok  $*"; }

answerer=$build_dir/tests/win/installer/uninstall_answerer.exe
install_answerer=$build_dir/tests/win/installer/install_answerer.exe
for helper in "$answerer" "$install_answerer"; do
    [[ -f $helper ]] || fail "$helper is missing (run make dist)"
done
header=$build_dir/varnholt_version.h
[[ -f $header ]] || fail "$header is missing (run make dist)"
version=$(sed -n 's/^#define VARNHOLT_VERSION "\(.*\)"$/\1/p' "$header")
[[ -n $version ]] || fail "no version in $header"
setup=$dist_dir/Varnholt-$version-setup.exe
zip=$dist_dir/Varnholt-$version-portable.zip
[[ -f $setup ]] || fail "$setup is missing (run make dist)"
[[ -f $zip ]] || fail "$zip is missing (run make dist)"

# The program folder's files and where each comes from.
declare -A source=(
    [Varnholt.exe]=$build_dir/app/Varnholt.exe
    [Tovrinel.exe]=$build_dir/launcher/Tovrinel.exe
    [config.ini]=$root/resources/config.ini
    [Varnholttrl.ini]=$root/resources/Varnholttrl.ini
    [help.chm]=$build_dir/help/help.chm
)
mapfile -t program_files < <(printf '%s\n' "${!source[@]}" | LC_ALL=C sort)

if [[ ${1:-} != --in-wine ]]; then
    started=$SECONDS
    echo "== Installer and portable zip of Varnholt $version (Wine prefix $prefix)"
    rm -rf "$prefix"
    tools/wine-env --prefix "$prefix" bash "$0" --in-wine
    echo "== Installer and portable zip: all checks passed ($((SECONDS - started)) s)"
    exit 0
fi

# ---------------------------------------------------------------------------
# Inside tools/wine-env. No menu entries on the host for the shortcuts.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
wine() { "$VARNHOLT_WINE" "$@"; }
unix_path() { wine winepath -u "$1" | tr -d '\r' | sed 's:/$::'; }

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnholt'
run_key='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

# Prints the data of a registry value; fails when there is none.
reg_value() {
    local out
    out=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
    sed -n "s/^    $2    REG_[A-Z_]*    //p" <<<"$out"
}
expect_value() { # key name expected
    local got
    got=$(reg_value "$1" "$2") || fail "$2 is missing from $1"
    [[ $got == "$3" ]] || fail "$1 ${2}: expected '$3', found '$got'"
    ok "$2 = $got"
}

# The value under a key line of a config.ini (CR LF lines: key, then value).
config_value() {
    awk -v key="$2" 'BEGIN { RS = "\r\n" } previous == key { print; exit } { previous = $0 }' "$1"
}

# Files in a folder, one name a line, sorted.
listing() { (cd "$1" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort); }
# The same on one line, for messages.
words() { paste -sd ' '; }

# Every program file equal to its source; names what differs.
expect_program_files_as_built() { # folder [skip config.ini]
    local name
    for name in "${program_files[@]}"; do
        [[ $name == config.ini && ${2:-} == keep-config ]] && continue
        [[ -f $1/$name ]] || fail "$1/$name is missing"
        cmp -s "$1/$name" "${source[$name]}" || fail "$1/$name differs from ${source[$name]}"
    done
}

run_setup() { # expected exit code, more arguments (/D=...)
    local expected=$1 status=0
    shift
    wine "$setup" /S "$@" || status=$?
    [[ $status -eq $expected ]] || fail "the silent install $* ended with exit code $status, expected $expected"
}

# Ends every Varnholt.exe and waits until none is left.
end_program() {
    local _
    for _ in $(seq 1 50); do
        wine taskkill /IM Varnholt.exe /F >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "Varnholt.exe could not be ended"
}

# Runs an uninstall command line of the Uninstall entry ("path" arguments)
# and waits for its end: the uninstaller goes on in a copy of itself and
# returns at once; it removes the Uninstall entry last.
run_uninstall() {
    local command=$1 program arguments _ status=0
    [[ $command =~ ^\"([^\"]+)\"(.*)$ ]] || fail "unexpected uninstall command: $command"
    program=${BASH_REMATCH[1]}
    read -r -a arguments <<<"${BASH_REMATCH[2]}"
    wine "$program" "${arguments[@]}" || status=$?
    [[ $status -eq 0 ]] || fail "$command ended with exit code $status"
    wait_uninstalled "$command"
}

wait_uninstalled() { # what ran
    local _
    for _ in $(seq 1 300); do
        wine reg query "$uninstall_key" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the Uninstall entry is still there 30 s after $1"
}

# Runs the uninstaller with its pages, answering the question whether the
# settings go too with yes or no (tests/win/installer/uninstall_answerer).
answer_uninstall() { # yes|no
    local status=0
    wine "$answerer" "$install_win\\Uninstall.exe" "$1" || status=$?
    [[ $status -eq 0 ]] || fail "the uninstaller with its pages, answered $1, did not run its course"
    wait_uninstalled "the uninstaller answered $1"
}

# The Start-menu shortcut starts Varnholt.exe in the folder.
expect_shortcut_to() { # folder
    [[ -f $shortcut ]] || fail "no Start-menu shortcut $shortcut_win"
    python3 - "$shortcut" "$1\\Varnholt.exe" <<'EOF' || fail "the shortcut does not name $1\\Varnholt.exe"
import sys
data = open(sys.argv[1], "rb").read().lower()
target = sys.argv[2].lower()
# The link keeps its target as a local path, in ANSI or in UTF-16.
sys.exit(0 if target.encode("latin-1") in data or target.encode("utf-16-le") in data else 1)
EOF
    ok "Start-menu shortcut -> $1\\Varnholt.exe"
}

# Every file and folder below a folder with a checksum of each file: equal
# before and after means nothing was written there.
tree_state() { (cd "$1" && find . -printf '%y %P\n' | LC_ALL=C sort && find . -type f -exec md5sum {} + | LC_ALL=C sort); }

local_appdata=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
app_data=$(wine cmd /c echo %APPDATA% | tr -d '\r')
install_win="$local_appdata\\Programs\\Varnholt"
install_dir=$(unix_path "$install_win")
shortcut_win="$app_data\\Microsoft\\Windows\\Start Menu\\Programs\\Varnholt.lnk"
shortcut=$(unix_path "$shortcut_win")
installed_files=$(printf '%s\n' "${program_files[@]}" Uninstall.exe | LC_ALL=C sort)

# ---------------------------------------------------------------------------
echo "-- silent install into $install_win"
run_setup 0
ok "$(basename "$setup") /S ended with exit code 0"
[[ $(listing "$install_dir") == "$installed_files" ]] ||
    fail "installed files: expected $(words <<<"$installed_files"), found $(listing "$install_dir" | words)"
ok "files: $(words <<<"$installed_files")"
expect_program_files_as_built "$install_dir"
ok "each program file equals the built one (config.ini the shipped one)"

expect_shortcut_to "$install_win"

expect_value "$uninstall_key" DisplayName "Varnholt"
expect_value "$uninstall_key" DisplayVersion "$version"
expect_value "$uninstall_key" Publisher "Oskenby"
expect_value "$uninstall_key" DisplayIcon "$install_win\\Varnholt.exe,0"
expect_value "$uninstall_key" InstallLocation "$install_win"
expect_value "$uninstall_key" UninstallString "\"$install_win\\Uninstall.exe\""
expect_value "$uninstall_key" QuietUninstallString "\"$install_win\\Uninstall.exe\" /S"
expect_value "$uninstall_key" NoModify 0x1
expect_value "$uninstall_key" NoRepair 0x1
size=$(reg_value "$uninstall_key" EstimatedSize) || fail "EstimatedSize is missing"
size_kib=$(find "$install_dir" -type f -printf '%s\n' | awk '{ sum += $1 } END { print int(sum / 1024) }')
((size >= size_kib - 8 && size <= size_kib + 8)) ||
    fail "EstimatedSize is $((size)) KiB; the installed files take $size_kib KiB"
ok "EstimatedSize = $((size)) KiB (files: $size_kib KiB)"

# ---------------------------------------------------------------------------
echo "-- portable zip $(basename "$zip")"
python3 - "$zip" "$install_dir" "${program_files[@]}" <<'EOF' || fail "the zip does not hold the program folder's files"
import sys, zipfile, os
archive, folder, expected = sys.argv[1], sys.argv[2], sorted(sys.argv[3:])
with zipfile.ZipFile(archive) as z:
    names = sorted(z.namelist())
    if names != expected:
        sys.exit(f"zip listing {names}, program folder {expected}")
    for name in names:
        if z.read(name) != open(os.path.join(folder, name), "rb").read():
            sys.exit(f"{name} in the zip differs from the installed one")
EOF
ok "listing equals the program folder's files: ${program_files[*]}"
ok "each file equals the installed one"

# ---------------------------------------------------------------------------
echo "-- the installed launcher"
status=0
wine "$install_win\\Tovrinel.exe" || status=$?
[[ $status -eq 0 ]] || fail "Tovrinel.exe ended with exit code $status"
startup=$(config_value "$install_dir/config.ini" Startup)
[[ $startup == automatically ]] || fail "Startup in the installed config.ini is '$startup', expected 'automatically'"
ok "Tovrinel.exe wrote Startup = automatically into the installed config.ini"

# A stale language file and a lost help file, which an install would mend.
echo "stale" >"$install_dir/Varnholttrl.ini"
rm "$install_dir/help.chm"
before=$(mktemp -d)
trap 'rm -rf "$before"' EXIT
cp -p "$install_dir"/* "$before/"
run_setup 3
[[ $(listing "$install_dir") == "$(listing "$before")" ]] || fail "the refused install changed the file list"
for name in $(listing "$before"); do
    cmp -s "$before/$name" "$install_dir/$name" || fail "the refused install changed $name"
done
ok "installing while Varnholt.exe runs fails (exit code 3) and changes nothing"
# (Wine's tasklist lists nothing; taskkill finds the process or fails.)
wine taskkill /IM Varnholt.exe /F >/dev/null 2>&1 || fail "Tovrinel.exe did not start Varnholt.exe"
end_program
ok "Varnholt.exe, started by Tovrinel.exe, ended with taskkill"

# ---------------------------------------------------------------------------
echo "-- install again over the installed copy"
# The user's settings; the language file and the help file are still broken.
awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" } previous == "SyncInterval" { $0 = "45" } { print; previous = $0 }' \
    "$install_dir/config.ini" >"$before/config.ini"
cp "$before/config.ini" "$install_dir/config.ini"
[[ $(config_value "$install_dir/config.ini" SyncInterval) == 45 ]] || fail "could not change config.ini"
run_setup 0
ok "$(basename "$setup") /S ended with exit code 0"
cmp -s "$before/config.ini" "$install_dir/config.ini" || fail "the install again changed the user's config.ini"
ok "config.ini kept (SyncInterval 45, Startup automatically)"
expect_program_files_as_built "$install_dir" keep-config
ok "program files updated (stale language file replaced, lost help file back)"
[[ $(listing "$install_dir") == "$installed_files" ]] || fail "installed files after the second install: $(listing "$install_dir" | words)"
expect_value "$uninstall_key" DisplayVersion "$version"

# ---------------------------------------------------------------------------
echo "-- silent uninstall"
wine reg add "$run_key" /v Varnholt /d "\"$install_win\\Tovrinel.exe\"" /f >/dev/null
reg_value "$run_key" Varnholt >/dev/null || fail "could not add the Run value"
ok "Run value Varnholt = \"$install_win\\Tovrinel.exe\" (as the program writes it)"
# The box ticked in config.ini too, among pairs of Latin-1 folder names; the
# uninstall that removes the Run value turns only that mark off.
python3 - "$before/config.ini" "$install_dir/config.ini" <<'EOF'
import sys
kept, installed = sys.argv[1], sys.argv[2]
lines = open(kept, "rb").read().split(b"\r\n")
def put(key, value):
    lines[lines.index(key) + 1] = value
put(b"Folders1", b"C:\\Br\xfccke\\...*")
put(b"Folders2", b"D:\\Stra\xdfe\\...*")
put(b"Options", b"00")
open(kept, "wb").write(b"\r\n".join(lines))
put(b"Options", b"01")
open(installed, "wb").write(b"\r\n".join(lines))
EOF
quiet=$(reg_value "$uninstall_key" QuietUninstallString)
run_uninstall "$quiet"
ok "$quiet ended; the Uninstall entry is gone"
[[ $(listing "$install_dir") == config.ini ]] ||
    fail "left in $install_win: $(listing "$install_dir" | words) (only config.ini may stay)"
ok "no program file is left"
cmp -s "$before/config.ini" "$install_dir/config.ini" ||
    fail "config.ini after the silent uninstall is not the kept one with Options 00: $(cmp "$before/config.ini" "$install_dir/config.ini")"
ok "config.ini kept (a silent uninstall keeps the settings), Options 01 now 00 and nothing else changed"
[[ ! -e $shortcut ]] || fail "the Start-menu shortcut is still there"
ok "no Start-menu shortcut"
! reg_value "$run_key" Varnholt >/dev/null || fail "the Run value Varnholt is still there"
ok "no Run value Varnholt"

# ---------------------------------------------------------------------------
echo "-- install after uninstall; uninstall with another copy's Run value"
run_setup 0
cmp -s "$before/config.ini" "$install_dir/config.ini" || fail "the new install replaced the kept config.ini"
ok "the kept config.ini is used again"
other='"D:\Varnholt portable\Tovrinel.exe"'
wine reg add "$run_key" /v Varnholt /d "$other" /f >/dev/null
rm "$install_dir/config.ini"
# What a settings write cut short by a kill leaves beside config.ini.
echo "half" >"$install_dir/~vh-00001234-0001.tmp"
run_uninstall "\"$install_win\\Uninstall.exe\" /S"
[[ ! -e $install_dir ]] || fail "$install_win is still there: $(listing "$install_dir" | words)"
ok "the folder is gone once nothing but a temporary file of a settings write was left in it"
[[ $(reg_value "$run_key" Varnholt) == "$other" ]] || fail "another copy's Run value was removed or changed"
ok "another copy's Run value stays"

# ---------------------------------------------------------------------------
echo "-- uninstall with its pages: the user keeps the settings, then removes them"
run_setup 0
cp "$before/config.ini" "$install_dir/config.ini"
answer_uninstall no
[[ $(listing "$install_dir") == config.ini ]] ||
    fail "left in $install_win after answering No: $(listing "$install_dir" | words) (only config.ini may stay)"
cmp -s "$before/config.ini" "$install_dir/config.ini" || fail "answering No changed config.ini"
ok "No: config.ini kept, no program file left"
# The run log of the copy kept beside its settings.
printf 'run log\r\n' >"$install_dir/Varnholt.log"
run_setup 0
ok "a folder holding the kept settings and a run log takes the install"
cmp -s "$before/config.ini" "$install_dir/config.ini" || fail "the new install replaced the kept config.ini"
answer_uninstall yes
[[ ! -e $install_dir ]] || fail "$install_win is still there after answering Yes: $(listing "$install_dir" | words)"
ok "Yes: config.ini and the run log removed with the folder"

# ---------------------------------------------------------------------------
echo "-- a silent install goes only into a new or empty folder or one holding Varnholt"
# Nothing is installed now. Each folder below holds something not Varnholt's.
folders_win="$local_appdata\\Folders"
folders=$(unix_path "$folders_win")
errors=$before/errors.txt
declare -A refused=(
    [Documents]="notes.txt"
    [OtherSettings]="config.ini"
    [Tools]="Varnholt.exe notes.txt"
    [OtherProgram]="Uninstall.exe help.chm"
    [WithSubfolder]="config.ini Projects/notes.txt"
)
for name in $(printf '%s\n' "${!refused[@]}" | LC_ALL=C sort); do
    for file in ${refused[$name]}; do
        mkdir -p "$(dirname "$folders/$name/$file")"
        if [[ $file == config.ini && $name == OtherSettings ]]; then
            printf '[Window]\r\nWidth=800\r\n' >"$folders/$name/$file"
        elif [[ $file == config.ini ]]; then
            cp "$root/resources/config.ini" "$folders/$name/$file"
        else
            echo "somebody else's $file" >"$folders/$name/$file"
        fi
    done
    state=$(tree_state "$folders/$name")
    status=0
    wine "$setup" /S "/D=$folders_win\\$name" 2>"$errors" || status=$?
    [[ $status -eq 4 ]] || fail "a silent install into $name (${refused[$name]}) ended with exit code $status, expected 4"
    grep -qF "Varnholt was not installed: $folders_win\\$name holds files other than Varnholt's." "$errors" ||
        fail "no reason on standard error for $name: $(tr -d '\r' <"$errors")"
    [[ $(tree_state "$folders/$name") == "$state" ]] || fail "the refused install changed $name"
    ! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the refused install into $name wrote the Uninstall entry"
    [[ ! -e $shortcut ]] || fail "the refused install into $name made a shortcut"
    ok "refused with exit code 4 and the reason, nothing written: $name (${refused[$name]})"
done

empty_win="$folders_win\\Empty"
empty=$(unix_path "$empty_win")
mkdir -p "$empty"
run_setup 0 "/D=$empty_win"
[[ $(listing "$empty") == "$installed_files" ]] || fail "files in the empty folder: $(listing "$empty" | words)"
expect_program_files_as_built "$empty"
expect_value "$uninstall_key" InstallLocation "$empty_win"
ok "installed into an empty folder"
echo "the user's own" >"$empty/notes.txt"
echo "stale" >"$empty/Varnholttrl.ini"
run_setup 0 "/D=$empty_win"
expect_program_files_as_built "$empty"
[[ $(cat "$empty/notes.txt") == "the user's own" ]] || fail "the install again changed notes.txt"
ok "an installed copy holding the user's own file too is updated; the file stays"

# ---------------------------------------------------------------------------
echo "-- the uninstaller of one copy leaves what another copy's install made its own"
# (Without /D=, the installer would update the copy the entry names.)
run_setup 0 "/D=$install_win"
expect_value "$uninstall_key" InstallLocation "$install_win"
expect_shortcut_to "$install_win"
# Run in place (_?=), the uninstaller ends with its work and keeps itself.
status=0
wine "$empty_win\\Uninstall.exe" /S "_?=$empty_win" || status=$?
[[ $status -eq 0 ]] || fail "the uninstaller of the copy in $empty_win ended with exit code $status"
[[ $(listing "$empty" | words) == "Uninstall.exe config.ini notes.txt" ]] ||
    fail "left in $empty_win: $(listing "$empty" | words) (expected Uninstall.exe config.ini notes.txt)"
ok "its program files are gone; config.ini, the user's notes.txt (and the running uninstaller) stay"
expect_value "$uninstall_key" InstallLocation "$install_win"
expect_shortcut_to "$install_win"
ok "the other copy's Uninstall entry and shortcut stay"
# A Run value naming a copy in a folder inside this one is not this copy's.
inner="\"$install_win\\Portable\\Tovrinel.exe\""
wine reg add "$run_key" /v Varnholt /d "$inner" /f >/dev/null
run_uninstall "$(reg_value "$uninstall_key" QuietUninstallString)"
[[ ! -e $shortcut ]] || fail "the Start-menu shortcut is still there"
[[ $(reg_value "$run_key" Varnholt) == "$inner" ]] || fail "the Run value $inner was removed or changed"
ok "the last copy's uninstaller removes the shortcut and the entry; the Run value of a copy inside its folder stays"
wine reg delete "$run_key" /v Varnholt /f >/dev/null

# ---------------------------------------------------------------------------
echo "-- the installer with its pages: a folder holding other files gets a folder of Varnholt's own"
setup_win=$(wine winepath -w "$setup" | tr -d '\r')
answer_install() { # folder; prints what the answerer saw
    local status=0
    # Through a file, not a pipe: nothing the installer starts can hold it.
    wine "$install_answerer" "$setup_win" "$1" >"$before/answers.txt" || status=$?
    [[ $status -eq 0 ]] || fail "the installer with its pages did not run its course for $1"
    tr -d '\r' <"$before/answers.txt"
}
documents_win="$folders_win\\Documents"
state=$(tree_state "$folders/Documents")
answers=$(answer_install "$documents_win")
grep -qF "asked: Varnholt can be installed only into a new or empty folder" <<<"$answers" &&
    grep -qF "$documents_win\\Varnholt" <<<"$answers" && grep -qx finished <<<"$answers" ||
    fail "the installer did not offer $documents_win\\Varnholt: $answers"
ok "offered $documents_win\\Varnholt and installed there"
! wine taskkill /IM Varnholt.exe /F >/dev/null 2>&1 || fail "the finish page started Varnholt.exe: Run Varnholt was not cleared"
[[ $(listing "$folders/Documents/Varnholt") == "$installed_files" ]] ||
    fail "files in Documents\\Varnholt: $(listing "$folders/Documents/Varnholt" | words)"
[[ $(tree_state "$folders/Documents" | grep -v Varnholt) == "$state" ]] || fail "the install changed Documents beside its Varnholt folder"
expect_value "$uninstall_key" InstallLocation "$documents_win\\Varnholt"
ok "Documents holds its own files as before, and Varnholt in its own folder"

busy_win="$folders_win\\Busy"
mkdir -p "$folders/Busy/Varnholt"
echo "somebody else's" >"$folders/Busy/notes.txt"
echo "somebody else's" >"$folders/Busy/Varnholt/notes.txt"
state=$(tree_state "$folders/Busy")
answers=$(answer_install "$busy_win")
grep -qF "refused: Varnholt can be installed only into a new or empty folder" <<<"$answers" &&
    grep -qx cancelled <<<"$answers" || fail "the installer did not refuse $busy_win: $answers"
[[ $(tree_state "$folders/Busy") == "$state" ]] || fail "the refused install changed $busy_win"
expect_value "$uninstall_key" InstallLocation "$documents_win\\Varnholt"
ok "refused $busy_win when $busy_win\\Varnholt holds other files too; nothing written"
