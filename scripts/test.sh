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

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev
    fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea
    libreoffice-writer-nogui poppler-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
