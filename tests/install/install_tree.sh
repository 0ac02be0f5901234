#!/usr/bin/env bash
# The install tree: `cmake --install` into a temporary prefix puts every file
# in its place, and the installed kelvokonv converts the samples as the build
# tree's does, with its data files from share/kelvo and its settings file
# from the user's folder.
#   install_tree.sh BUILD_DIR BUILD_KELVOKONV SOURCE_DIR
set -euo pipefail
build=$1 konv=$2 source=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install_tree: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/usr" > /dev/null
files=(bin/kelvokonv share/kelvo/LokalAnpassTrux.xml share/doc/kelvo/README.md)
if [ -f "$build/kelvokonv-gui" ]; then
  files+=(bin/kelvokonv-gui share/applications/kelvokonv-gui.desktop
          share/icons/hicolor/scalable/apps/kelvokonv-gui.svg share/icons/hicolor/128x128/apps/kelvokonv-gui.png)
fi
for f in "${files[@]}"; do [ -f "$tmp/usr/$f" ] || fail "saknas efter installationen: $f"; done

export HOME=$tmp/home SOURCE_DATE_EPOCH=1700000000
unset XDG_CONFIG_HOME XDG_DATA_HOME
samples=$source/data/samples
mkdir -p "$tmp/nodata"
: > "$tmp/empty.ini"

# Profile 0 with the input and output of the user's settings file.
mkdir -p "$HOME/.config/kelvo"
printf '[filer]\r\ninfil=%s\r\nutfil=%s\r\n' "$samples/sorvia-marc21.mrc" "$tmp/installed0.mrc" \
  > "$HOME/.config/kelvo/kelvokonv.ini"
"$tmp/usr/bin/kelvokonv" -q || fail "den installerade kelvokonv misslyckades (profil 0)"
"$konv" -q --ini "$tmp/empty.ini" --data-dir "$tmp/nodata" "$samples/sorvia-marc21.mrc" "$tmp/built0.mrc"
cmp "$tmp/installed0.mrc" "$tmp/built0.mrc" || fail "profil 0 skiljer sig"

# Profile 2 reads LokalAnpassTrux.xml from share/kelvo: as the build tree with the samples' data.
"$tmp/usr/bin/kelvokonv" -q -p 2 --ini "$tmp/empty.ini" "$samples/dalkii-iso2709.mrc" "$tmp/installed2.mrc" \
  || fail "den installerade kelvokonv misslyckades (profil 2)"
"$konv" -q -p 2 --ini "$tmp/empty.ini" --data-dir "$samples" "$samples/dalkii-iso2709.mrc" "$tmp/built2.mrc"
"$konv" -q -p 2 --ini "$tmp/empty.ini" --data-dir "$tmp/nodata" "$samples/dalkii-iso2709.mrc" "$tmp/bare2.mrc"
cmp "$tmp/installed2.mrc" "$tmp/built2.mrc" || fail "profil 2 skiljer sig"
! cmp -s "$tmp/installed2.mrc" "$tmp/bare2.mrc" || fail "profil 2 läste inte LokalAnpassTrux.xml"
[ -d "$HOME/.local/share/kelvo" ] || fail "användarens datamapp skapades inte"
echo "install_tree: ok"
