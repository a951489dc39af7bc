#!/usr/bin/env bash
# Builds the program and runs the whole test suite: once in the ordinary build
# (warnings are errors), with a check of what it installs and packages; once
# with AddressSanitizer and UndefinedBehaviorSanitizer. Then builds everything
# but the unit tests with Clang, and runs each fuzz target for a while on its
# committed seeds.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
talkbase_install "${TALKBASE_BUILD_PACKAGES[@]}" "${TALKBASE_CHECK_PACKAGES[@]}" \
    "${TALKBASE_DATA_TEST_PACKAGES[@]}" "${TALKBASE_CLANG_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALKBASE_TESTS=ON -DTALKBASE_WERROR=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
# The shipped knowledge base holds no error.
build/bin/talkbase-kb check --dir data --kept data/AUTHORING.md > build/check-data.txt || { cat build/check-data.txt; exit 1; }
tail -n 1 build/check-data.txt
tests/install/check.sh build

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTALKBASE_WERROR=ON -DTALKBASE_SANITIZE=ON
cmake --build build/sanitize -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j2

# The unit tests are built and run above; here the program, the window and
# the fuzz targets must build with Clang too.
CXX=clang++ cmake -S . -B build/clang -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALKBASE_WERROR=ON \
    -DTALKBASE_FUZZ=ON -DTALKBASE_TESTS=OFF
cmake --build build/clang -j2

# The fuzzers add what they find to the first corpus directory, so they work
# on a copy of the seeds. A crash, a leak, undefined behaviour or an input
# slower than 10 seconds is a finding: the run fails, and the failing input is
# kept in the work directory, which is otherwise removed.
fuzz_seconds="${TALKBASE_FUZZ_SECONDS:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for target in rtf_read:rtf plain_read:plain turn:turn; do
    name="${target%%:*}"
    seeds="tests/fuzz/corpus/${target#*:}"
    mkdir -p "$work/$name/corpus" "$work/$name/artifacts" "$work/$name/tmp"
    cp -r "$seeds/." "$work/$name/corpus/"
    echo "Fuzzing $name for $fuzz_seconds s"
    if ! TMPDIR="$work/$name/tmp" UBSAN_OPTIONS=print_stacktrace=1 \
        "build/clang/bin/fuzz_$name" -max_total_time="$fuzz_seconds" -timeout=10 \
        -artifact_prefix="$work/$name/artifacts/" "$work/$name/corpus" \
        >"$work/$name/log" 2>&1; then
        trap - EXIT
        tail -n 80 "$work/$name/log"
        echo "fuzz_$name failed; the input and the whole log are in $work/$name" >&2
        exit 1
    fi
    grep '^Done ' "$work/$name/log" || true
done
