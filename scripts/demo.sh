#!/usr/bin/env bash
# Builds the programs and runs the main job on the demo program directory:
# for now, the demo template read through the rich-text control and printed
# as text (the generator comes later).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target rtfconv >/dev/null
build/bin/rtfconv --text samples/demo/plant/inf01.rtf
