#!/usr/bin/env bash
# Installs what the build and the tests need (Debian), configures, builds and
# runs the whole test suite. With --sanitize, builds into build-asan with the
# address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
options=()
if [[ ${1:-} == --sanitize ]]; then
    build=build-asan
    options+=(-DVALDRIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi

source scripts/packages.sh
install_missing "${build_packages[@]}" "${test_packages[@]}" libreoffice-writer-nogui poppler-utils desktop-file-utils

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
