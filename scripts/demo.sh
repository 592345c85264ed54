#!/usr/bin/env bash
# The quick start. On a fresh Debian machine: installs what is missing,
# builds the two programs, lays out a program directory from samples/demo in
# build/demo/ (the binaries copied beside the demo files), runs
# `moltrex inf01:00123:2:` there with no display, and prints where the report
# is and its first lines of text. VALDRIN_BUILD_DIR names another build
# directory than build/.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
install_missing "${build_packages[@]}"

build=${VALDRIN_BUILD_DIR:-build}
echo "Compilando ($build/)..."
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target moltrex quorvel rtfconv >/dev/null

dir="$PWD/$build/demo"
rm -rf "$dir"
mkdir -p "$dir"
cp -r samples/demo/. "$dir/"
mkdir -p "$dir/fotos"
cp "$build/bin/moltrex" "$build/bin/quorvel" "$dir/"

echo "Ejecutando: moltrex inf01:00123:2:  (en $dir, sin pantalla)"
start=$(date +%s%N)
(cd "$dir" && env -u DISPLAY -u WAYLAND_DISPLAY ./moltrex inf01:00123:2:)
end=$(date +%s%N)
report="$dir/fotos/00123.rtf"
echo "moltrex ha terminado en $(( (end - start) / 1000000 )) ms."
echo
echo "Informe: $report"
echo "Primeras líneas del texto:"
echo "----"
text=$("$build/bin/rtfconv" --text "$report")
head -n 15 <<<"$text"
echo "----"
echo "Para abrirlo en el editor (con pantalla): $dir/quorvel $report 1"
