#!/bin/sh
# Host-side fixtures of the Windows sync tests:
#   fixtures.sh setup DIR    mounts a 64 KiB tmpfs at DIR/small and a
#                            read-only one holding old.txt at DIR/readonly,
#                            makes a folder tree with link loops at
#                            DIR/links, and two program folders that
#                            refuse new files (immutable, chattr +i) with
#                            the shipped config.ini: DIR/sealed, where the
#                            file stays writable, and DIR/sealed-locked,
#                            where it is immutable too; and the drive letter
#                            Q: in the Wine prefix, pointing at DIR/q-drive,
#                            which does not exist until a test makes it (a
#                            drive that is out, then arrives)
#   fixtures.sh cleanup DIR  unmounts and removes them
set -eu
dir=$2
shipped=$(cd "$(dirname "$0")/../../../resources" && pwd)

# A program folder holding the shipped settings and language file, sealed
# against new files; without chattr (a file system or container that does
# not allow it) a marker tells the tests to skip.
seal() {
    folder=$1 lock_file=$2
    unseal "$folder"
    rm -f "$folder.unsupported"
    mkdir -p "$folder"
    cp "$shipped/config.ini" "$shipped/Varnholttrl.ini" "$folder/"
    if [ "$lock_file" = yes ] && ! chattr +i "$folder/config.ini" 2>/dev/null; then
        touch "$folder.unsupported"
    fi
    if ! chattr +i "$folder" 2>/dev/null; then
        touch "$folder.unsupported"
    fi
}
unseal() {
    if [ -d "$1" ]; then
        chattr -i "$1" "$1"/* 2>/dev/null || true
        rm -rf "$1"
    fi
}

case $1 in
setup)
    seal "$dir/sealed" no
    seal "$dir/sealed-locked" yes
    mkdir -p "$dir/small"
    rm -f "$dir/no-small-disk"
    # Mounting needs root and a system that allows it; without it the
    # full-disk test is skipped, not failed.
    if ! mountpoint -q "$dir/small" && ! mount -t tmpfs -o size=64k tmpfs "$dir/small" 2>/dev/null; then
        echo "fixtures.sh: cannot mount a small tmpfs; the full-disk test will be skipped" >&2
        touch "$dir/no-small-disk"
    fi
    mkdir -p "$dir/readonly"
    rm -f "$dir/no-readonly-disk"
    if ! mountpoint -q "$dir/readonly"; then
        if mount -t tmpfs -o size=64k tmpfs "$dir/readonly" 2>/dev/null; then
            echo old > "$dir/readonly/old.txt"
            touch -d 2009-03-04T05:06:00Z "$dir/readonly/old.txt"
            mount -o remount,ro "$dir/readonly" 2>/dev/null || touch "$dir/no-readonly-disk"
        else
            touch "$dir/no-readonly-disk"
        fi
    fi
    rm -rf "$dir/q-drive" "$dir/no-q-drive"
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ]; then
        ln -sfn "$dir/q-drive" "$WINEPREFIX/dosdevices/q:"
    else
        touch "$dir/no-q-drive"
    fi
    rm -rf "$dir/links"
    mkdir -p "$dir/links/sub" "$dir/links/other"
    echo a > "$dir/links/a.txt"
    echo b > "$dir/links/sub/b.txt"
    echo o > "$dir/links/other/o.txt"
    ln -s . "$dir/links/self"
    ln -s .. "$dir/links/sub/up"
    ln -s ../sub "$dir/links/sub/again"
    ln -s ../other "$dir/links/sub/side"
    ;;
cleanup)
    unseal "$dir/sealed"
    unseal "$dir/sealed-locked"
    if mountpoint -q "$dir/small"; then umount "$dir/small"; fi
    if mountpoint -q "$dir/readonly"; then umount "$dir/readonly"; fi
    rm -rf "$dir/links" "$dir/q-drive"
    if [ -n "${WINEPREFIX:-}" ] && [ -L "$WINEPREFIX/dosdevices/q:" ]; then
        rm -f "$WINEPREFIX/dosdevices/q:"
    fi
    ;;
esac
