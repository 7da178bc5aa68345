#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages the build needs when they are
# missing, then configures and builds a Release tree in build/ with every core.
set -euo pipefail

KREL_PACKAGES=(
    cmake g++ pkg-config
    qt6-base-dev qt6-base-dev-tools
    libturbojpeg0-dev libsdl2-dev libglib2.0-dev
    libgtest-dev libgmock-dev libbenchmark-dev libjpeg-turbo-progs
    xvfb xauth fonts-dejavu-core fonts-liberation
    gsettings-desktop-schemas dbus-daemon
    dpkg-dev fakeroot file lintian appstream desktop-file-utils shared-mime-info
    openbox xdotool x11-utils util-linux
    libcups2-dev cups printer-driver-cups-pdf poppler-utils
)

# Only for the benchmarks (bench/run_large_album.sh): real photographs to open, and vipsthumbnail to
# compare the making of thumbnails with.
KREL_BENCH_PACKAGES=(mate-backgrounds libvips-tools)

# Only for fuzz/run.sh: clang with libFuzzer and its sanitizer runtimes.
KREL_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

krel_install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
}

krel_build() {
    local dir=$1
    shift
    cmake -S "$KREL_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

KREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
krel_install_missing "${KREL_PACKAGES[@]}"
