#!/usr/bin/env bash
# Installs the build in BUILD into a scratch prefix and checks what a user
# gets: the program directory laid out, the programs on the PATH through
# their links, a desktop entry that desktop-file-validate accepts.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
dir=$prefix/lib/valdrin
for path in "$dir/quorvel" "$dir/moltrex" "$dir/finstru.txt" "$dir/plant/inf01.rtf" \
            "$prefix/share/icons/hicolor/48x48/apps/quorvel.png"; do
    [[ -f $path ]] || { echo "falta $path"; exit 1; }
done
[[ -d $dir/fotos && $(stat -c %a "$dir/fotos") == 777 ]] || { echo "fotos/ no existe o no es de todos"; exit 1; }
desktop-file-validate "$prefix/share/applications/quorvel.desktop"
grep -qx 'MimeType=text/rtf;application/rtf;' "$prefix/share/applications/quorvel.desktop"
"$prefix/bin/moltrex" --help | grep -q '^Uso: moltrex <plantilla>:<fichero>:<formato>:<destino>$'
# Started through its link, moltrex reads the dictionary of the program
# directory and only then judges the line.
out=$(env -u DISPLAY QT_QPA_PLATFORM=offscreen "$prefix/bin/moltrex" 'inf01:../00123:2:' 2>&1) && exit 1
grep -q 'Nombre de fichero no válido' <<<"$out" || { echo "$out"; exit 1; }
echo "instalación correcta en $prefix"
