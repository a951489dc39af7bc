#!/usr/bin/env bash
# Checks what the build installs and packages, in a temporary directory:
# the install layout under a prefix, the desktop entry and the metainfo; the
# Debian package's control fields and contents; the console driver and the
# program run from an extracted copy of the package on its installed data.
#
#     tests/install/check.sh BUILD_DIR
set -euo pipefail
source="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "install check: $*" >&2
    exit 1
}
expect_file() {
    [ -f "$1" ] || fail "missing ${1#"$work"/}"
}

# The layout of `cmake --install`.
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for program in talkbase talkbase-console; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
if [ -x "$build/bin/talkbase-kb" ]; then
    [ -x "$prefix/bin/talkbase-kb" ] || fail "bin/talkbase-kb is not installed"
fi
diff -r "$source/data/Base" "$prefix/share/talkbase/Base" >/dev/null || fail "share/talkbase/Base differs from data/Base"
diff -r "$source/data/Sound" "$prefix/share/talkbase/Sound" >/dev/null || fail "share/talkbase/Sound differs from data/Sound"
cmp -s "$source/data/ReadMe.Txt" "$prefix/share/talkbase/ReadMe.Txt" || fail "share/talkbase/ReadMe.Txt differs"
expect_file "$prefix/share/applications/talkbase.desktop"
expect_file "$prefix/share/icons/hicolor/scalable/apps/talkbase.svg"
expect_file "$prefix/share/icons/hicolor/48x48/apps/talkbase.png"
expect_file "$prefix/share/icons/hicolor/256x256/apps/talkbase.png"
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
expect_file "${metainfo[0]}"
desktop-file-validate "$prefix/share/applications/talkbase.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "${metainfo[0]}" >"$work/appstream.log" ||
    { cat "$work/appstream.log" >&2; fail "the metainfo is not valid"; }
grep -q '<release version="2.2.0.7"' "${metainfo[0]}" || fail "the metainfo has no release 2.2.0.7"

# The Debian package.
(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=("$work"/package/talkbase_*.deb)
expect_file "${deb[0]}"
field() {
    dpkg-deb -f "${deb[0]}" "$1"
}
[ "$(field Package)" = talkbase ] || fail "Package: $(field Package)"
[ "$(field Version)" = 2.2.0.7 ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 fonts-liberation2; do
    field Depends | tr ',' '\n' | grep -q "^ *$needed\b" || fail "Depends lacks $needed: $(field Depends)"
done
field Recommends | grep -q qt6-translations-l10n || fail "Recommends: $(field Recommends)"
dpkg-deb -c "${deb[0]}" | awk '{print $6}' | sed 's|^\./||' | grep -v '/$' | sort >"$work/contents"
(cd "$prefix" && find . -type f | sed 's|^\./|usr/|' | sort) >"$work/installed"
diff "$work/installed" "$work/contents" >/dev/null ||
    fail "the package holds other files than the install: $(diff "$work/installed" "$work/contents" | head -5)"

# The console driver of an extracted copy, on the installed data.
root="$work/root"
dpkg-deb -x "${deb[0]}" "$root"
answer="$(echo 'Привет' | "$root/usr/bin/talkbase-console" --dir "$root/usr/share/talkbase" --clock 12:00:00.000)"
grep -qx 'USER:     Привет\.' <<<"$answer" || fail "the console driver did not take the phrase: $answer"
grep -qE '^CPU:     .+' <<<"$answer" || fail "the console driver did not answer: $answer"

# The program of the extracted copy, started from an empty home directory as
# a desktop menu starts it: its data directory is made from the installed data.
home="$work/home"
mkdir -p "$home"
(cd "$home" && HOME="$home" XDG_DATA_HOME= XDG_DATA_DIRS="$work/none" QT_QPA_PLATFORM=offscreen \
    exec "$root/usr/bin/talkbase" >"$work/program.log" 2>&1) &
program=$!
made="$home/.local/share/talkbase"
for _ in $(seq 100); do
    [ -f "$made/ReadMe.Txt" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
running=yes
kill -0 "$program" 2>/dev/null || running=no
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
[ "$running" = yes ] || { cat "$work/program.log" >&2; fail "the program ended at its first start"; }
diff -r "$root/usr/share/talkbase" "$made" >/dev/null || fail "the user's data directory is not the installed data"

echo "install check: layout, desktop entry, metainfo, package and first start are right"
