#!/usr/bin/env bash
# Builds the readers' libFuzzer targets with clang (address and undefined
# sanitizers) into build-fuzz and runs each for a while, 60 s unless
# FUZZ_SECONDS says otherwise:
#   scripts/fuzz.sh [TARGET...]
# Each target starts from its kept inputs under tests/fuzz/<target>/ and
# grows a working corpus in build-fuzz/corpus/<target>/. A finding stops the
# run with the fault's report and leaves its input as build-fuzz/crash-*:
# fix the fault, then keep the input under tests/fuzz/<target>/, where the
# test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(fuzz_diccionario fuzz_registros fuzz_secciones fuzz_lineacomandos fuzz_enmarcado
         fuzz_textoplano fuzz_rtfreader)
(($#)) && targets=("$@")
seconds=${FUZZ_SECONDS:-60}

source scripts/packages.sh
# libFuzzer and the sanitizers' runtimes come with libclang-rt-dev, only
# recommended by clang.
install_missing "${build_packages[@]}" clang libclang-rt-dev

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVALDRIN_FUZZ=ON -DVALDRIN_TESTS=OFF
cmake --build build-fuzz --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    log=build-fuzz/$target.log
    # Qt's own leaks at exit are not the readers'.
    if ! ASAN_OPTIONS=detect_leaks=0 "build-fuzz/bin/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -timeout=10 -max_len=65536 -artifact_prefix=build-fuzz/ -print_final_stats=1 \
        "$corpus" "tests/fuzz/$target" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "$target: finding kept in build-fuzz/ (the whole report in $log)" >&2
        exit 1
    fi
    grep -E 'stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log"
done
