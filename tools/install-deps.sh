#!/usr/bin/env bash
# Installs what Quorel needs on Debian 12, skipping the work when everything is already there.
# Needs root or sudo.
#   install-deps.sh run    what building and running the calculator needs
#   install-deps.sh test   that, and everything the tests, fuzzing and packaging checks need
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    # Reading and writing numbers, the same on every platform (header-only)
    libfast-float-dev libfmt-dev
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
    fonts-arphic-uming fonts-inconsolata
)
# The arm64 libraries the arm64 build links against, installed beside this machine's own
# (multiarch).
arm64_packages=()
if [ "${1:-test}" = "test" ]; then
    packages+=(
        git libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev libgmp-dev
        clang libclang-rt-14-dev
        locales xvfb xauth imagemagick
        desktop-file-utils appstream lintian dpkg-dev binutils-mingw-w64-x86-64 file zip
        # The Windows build (mingw-w64, GoogleTest's sources) and Wine to test it under
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest
        wine wine64 fonts-wine unzip
        # The web build (Emscripten), Node to run its tests, and the browser engines the page is
        # tested in: Chromium, Firefox, WebKit (WebKitGTK's WebDriver and MiniBrowser); xclip holds
        # text on the X clipboard for the paste test
        emscripten nodejs chromium fonts-noto-cjk firefox-esr webkit2gtk-driver xclip
    )
    # npm installs the browser tests' packages from their lock file; a Node that brings its own
    # npm (NodeSource's) needs no Debian npm, which would conflict with it.
    command -v npm >/dev/null 2>&1 || packages+=(npm)
    # The arm64 build: Debian's cross compiler, and user-mode emulation to run its programs
    # and xwininfo to find the window its packaged program opens
    packages+=(g++-aarch64-linux-gnu binutils-aarch64-linux-gnu qemu-user-static x11-utils)
    # Qt and MPFR for arm64. Their C library also gives the emulated programs their loader.
    arm64_packages=(qt6-base-dev:arm64 libgl-dev:arm64 qt6-qpa-plugins:arm64 libmpfr-dev:arm64
        libgmp-dev:arm64)
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
missing_arm64=()
for p in "${arm64_packages[@]}"; do
    installed "$p" || missing_arm64+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_arm64[@]} -gt 0 ]; then
    if [ ${#missing_arm64[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx arm64; then
        $sudo dpkg --add-architecture arm64
    fi
    $sudo apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
if [ ${#missing_arm64[@]} -gt 0 ]; then
    echo "Installing: ${missing_arm64[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing_arm64[@]}"
fi

[ "${1:-test}" = "test" ] || exit 0

# The number tests also run under a locale whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    $sudo locale-gen >/dev/null
fi

# Wine takes its Windows locale from LANG: the Windows stage runs as a Chinese (PRC) system.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
