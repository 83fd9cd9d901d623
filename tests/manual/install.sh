#!/bin/sh
# Installs the built game into a scratch prefix and checks the layout, the desktop entry, that a
# re-installation keeps the player's results and settings, and that the uninstaller removes the
# program but not those files. Usage: install.sh <cmake> <build folder> <source folder> <work folder>
set -u
cmake="$1"; build="$2"; source="$3"; work="$4"
prefix="$work/prefix"
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

entry="$prefix/share/applications/parblok2000.desktop"
grep -qx "Exec=\"$folder/Parblok2000\"" "$entry" || fail "Exec does not name the installed program: $(grep ^Exec "$entry")"
grep -qx "Path=$folder" "$entry" || fail "Path is not the program folder"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
else
    echo "desktop-file-validate is not installed; the entry was not validated"
fi

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
grep -q "left as it is" "$work/install.log" || fail "no warning about the incomplete results table"

"$source/scripts/uninstall" "$prefix" > "$work/uninstall.log" || fail "uninstall failed"
for file in bin/parblok2000 share/applications/parblok2000.desktop lib/parblok2000/Parblok2000 lib/parblok2000/Html; do
    [ ! -e "$prefix/$file" ] || fail "uninstall left $file"
done
cmp -s "$folder/Data/Parblok.dbf" "$work/table" || fail "uninstall removed the results"
cmp -s "$folder/Kvadr.ini" "$work/settings" || fail "uninstall removed the settings"
"$source/scripts/uninstall" --all "$prefix" > "$work/uninstall.log" || fail "uninstall --all failed"
[ ! -e "$folder" ] || fail "uninstall --all left $folder"

[ $failures -eq 0 ] && echo "install layout as expected"
exit $failures
