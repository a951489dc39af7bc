#!/usr/bin/env bash
# Builds the program and runs the whole test suite: once in the ordinary build
# (warnings are errors), with a check of what it installs and packages; once
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
talkbase_install "${TALKBASE_BUILD_PACKAGES[@]}" "${TALKBASE_CHECK_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALKBASE_TESTS=ON -DTALKBASE_WERROR=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
# The shipped knowledge base holds no error.
build/bin/talkbase-kb check --dir data > build/check-data.txt || { cat build/check-data.txt; exit 1; }
tail -n 1 build/check-data.txt
tests/install/check.sh build

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTALKBASE_WERROR=ON -DTALKBASE_SANITIZE=ON
cmake --build build/sanitize -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j2
