#!/usr/bin/env bash
# Builds the program and runs it. Without an argument it works as when a
# desktop menu starts it: in the user's data directory, made from data/ the
# first time; `./run.sh DIR` works in DIR instead, made from data/ when it
# holds no Base. What the program learns stays there between runs.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
talkbase_install "${TALKBASE_BUILD_PACKAGES[@]}" "${TALKBASE_RUN_PACKAGES[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target talkbase talkbase-console

# The window places itself (the shake, the leave animation), which a Wayland
# compositor does not allow: under Wayland it runs through XWayland.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=xcb
fi
# The build directory's share/talkbase stands for the installed data.
if [ $# -gt 0 ]; then
    exec build/bin/talkbase --dir "$1"
fi
exec build/bin/talkbase
