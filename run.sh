#!/usr/bin/env bash
# Builds the program and runs it in a working directory (default: the user's
# data directory), which is made from data/ the first time; what the program
# learns stays there between runs.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
talkbase_install "${TALKBASE_BUILD_PACKAGES[@]}" "${TALKBASE_RUN_PACKAGES[@]}"

dir="${1:-${XDG_DATA_HOME:-$HOME/.local/share}/talkbase}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target talkbase talkbase-console

# Files that the working directory lacks are copied; files it has, such as a
# knowledge base that has learned, are kept.
mkdir -p "$dir"
cp -rn data/Base data/Sound data/ReadMe.Txt "$dir/"

program="$(pwd)/build/bin/talkbase"
cd "$dir"
# The window places itself (the shake, the leave animation), which a Wayland
# compositor does not allow: under Wayland it runs through XWayland.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=xcb
fi
exec "$program"
