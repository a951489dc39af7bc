# Installs the Debian packages that the scripts of this project need and that
# are missing. Sourced by run.sh and test.sh.

talkbase_install() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What running the window needs besides: a sans serif like the program's font,
# and Qt's own texts in the user's language for the standard dialogs.
TALKBASE_RUN_PACKAGES=(fonts-liberation2 qt6-translations-l10n)

# What building the program and its tests needs.
TALKBASE_BUILD_PACKAGES=(g++ make cmake pkg-config libgtest-dev libgmock-dev
    qt6-base-dev qt6-multimedia-dev libgl-dev)

# What checking the installation and the Debian package needs: the package's
# library dependencies, the desktop entry's and the metainfo's validators.
TALKBASE_CHECK_PACKAGES=(dpkg-dev desktop-file-utils appstream)

# What the tests of the shipped knowledge base need besides: the Russian
# dictionary and unmunch, which expands it into the word forms that
# talkbase-kb check looks for keys inside.
TALKBASE_DATA_TEST_PACKAGES=(hunspell-ru hunspell-tools)

# What the Clang build of test.sh needs besides: the compiler, and the runtimes
# of libFuzzer and the sanitizers that go with it.
TALKBASE_CLANG_PACKAGES=(clang libclang-rt-14-dev)
