#!/bin/sh
# Installs the built game into a scratch prefix and checks the layout, the desktop entry, that a
# re-installation keeps the player's results and settings, and that the uninstaller removes the
# program but not those files. The prefix holds characters the desktop entry must quote; a
# backslash, which CMake cannot install into, is tried on a copy of the program folder.
# Usage: install.sh <cmake> <build folder> <source folder> <work folder>
set -u
cmake="$1"; build="$2"; source="$3"; work="$4"
prefix="$work/pre fix \$HOME \"q\" \`b\`"
folder="$prefix/lib/parblok2000"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
install() { "$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }; }

rm -rf "$work"
mkdir -p "$work"
install

for file in Parblok2000 ManualKvadr Kvadr.ini Data/Parblok.dbf Data/Parblok.mdx Data/Zaloha/Parblok.dbf \
            Data/Zaloha/Parblok.Mdx Zvuky/Info.wav Html/Parblok2000/Index.htm Html/Parblok2000/program.svg; do
    [ -f "$folder/$file" ] || fail "missing $folder/$file"
done
[ -x "$folder/ManualKvadr" ] || fail "ManualKvadr is not executable"
[ "$(readlink -f "$prefix/bin/parblok2000")" = "$(readlink -f "$folder/Parblok2000")" ] || fail "the launcher does not lead to the program"
[ -f "$prefix/share/icons/hicolor/scalable/apps/parblok2000.svg" ] || fail "no scalable icon"
[ -f "$prefix/share/icons/hicolor/48x48/apps/parblok2000.png" ] || fail "no 48-pixel icon"
cmp -s "$folder/Data/Parblok.dbf" "$folder/Data/Zaloha/Parblok.dbf" || fail "the new results table is not the blank one"

for program in Parblok2000 ManualKvadr; do
    readelf -S --wide "$folder/$program" | grep -q '\.debug_info' && fail "$program is installed with debugging information"
done
[ -f "$prefix/share/man/cs/man6/parblok2000.6" ] && [ -f "$prefix/share/man/man6/parblok2000.6" ] || fail "no manual page"
[ -f "$prefix/share/metainfo/parblok2000.metainfo.xml" ] || fail "no metainfo"

# The entry is valid, and a desktop's launcher starts the program of folder $2 in that folder.
launches() {
    desktop-file-validate "$1" || fail "desktop-file-validate refuses $1"
    QT_QPA_PLATFORM=offscreen gio launch "$1" 2>"$work/launch.log" || fail "gio cannot launch $1: $(cat "$work/launch.log")"
    started=""
    for try in 1 2 3 4 5 6 7 8 9 10; do
        for process in /proc/[0-9]*; do
            [ "$(readlink "$process/exe" 2>/dev/null)" = "$2/Parblok2000" ] && started="${process#/proc/}"
        done
        [ -n "$started" ] && break
        sleep 0.5
    done
    if [ -n "$started" ]; then
        # The program itself may have moved on into a folder of its own (Zvuky, to play a sound).
        case "$(readlink "/proc/$started/cwd")/" in
            "$2"/*) ;;
            *) fail "the program does not run in the Path of $1" ;;
        esac
        kill "$started"
    else
        fail "the command of $1 did not start $2/Parblok2000"
    fi
}
launches "$prefix/share/applications/parblok2000.desktop" "$folder"
moved="$work/back\\slash \$x"
cp -r "$folder" "$moved"
"$cmake" -DTEMPLATE="$source/dist/install/parblok2000.desktop.in" -DPROGRAM_FOLDER="$moved" \
    -DENTRY="$work/moved.desktop" -P "$source/dist/install/desktop-entry.cmake" || fail "no entry for $moved"
launches "$work/moved.desktop" "$moved"
rm -rf "$moved"
# A relative prefix gives an absolute entry all the same.
(cd "$work" && "$cmake" --install "$build" --prefix relative > "$work/relative.log" 2>&1) || fail "install with a relative prefix failed"
grep -qx "Path=$work/relative/lib/parblok2000" "$work/relative/share/applications/parblok2000.desktop" \
    || fail "a relative prefix gives $(grep ^Path "$work/relative/share/applications/parblok2000.desktop")"

# The player's files survive a re-installation; a table with a file missing is left alone.
printf '[Nastaveni]\nPomocnik=0\nUvitani=0\n' > "$folder/Kvadr.ini"
cp "$folder/Kvadr.ini" "$work/settings"
printf 'results' >> "$folder/Data/Parblok.dbf"
cp "$folder/Data/Parblok.dbf" "$work/table"
rm "$folder/Data/Parblok.mdx"
install
cmp -s "$folder/Kvadr.ini" "$work/settings" || fail "re-installation replaced the settings"
cmp -s "$folder/Data/Parblok.dbf" "$work/table" || fail "re-installation replaced the results"
[ ! -e "$folder/Data/Parblok.mdx" ] || fail "re-installation paired the results with a blank index"
tr -s '\n ' '  ' < "$work/install.log" | grep -q "left as it is" || fail "no warning about the incomplete results table"

"$source/scripts/uninstall" "$prefix" > "$work/uninstall.log" || fail "uninstall failed"
for file in bin/parblok2000 share/applications/parblok2000.desktop lib/parblok2000/Parblok2000 lib/parblok2000/Html; do
    [ ! -e "$prefix/$file" ] || fail "uninstall left $file"
done
cmp -s "$folder/Data/Parblok.dbf" "$work/table" || fail "uninstall removed the results"
cmp -s "$folder/Kvadr.ini" "$work/settings" || fail "uninstall removed the settings"
"$source/scripts/uninstall" "$prefix" --bogus > "$work/uninstall.log" 2>&1 && fail "uninstall took an unknown option"
grep -q "^usage: " "$work/uninstall.log" || fail "uninstall refused an unknown option without its usage"
[ -f "$folder/Kvadr.ini" ] || fail "uninstall with an unknown option removed files"
"$source/scripts/uninstall" "$prefix" --all > "$work/uninstall.log" || fail "uninstall <prefix> --all failed"
[ ! -e "$folder" ] || fail "uninstall <prefix> --all left $folder"

[ $failures -eq 0 ] && echo "install layout as expected"
exit $failures
