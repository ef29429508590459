#!/usr/bin/env bash
# Installs every Debian package that building, testing and benchmarking Plumeric needs.
# Idempotent: when everything is present it only checks and prints nothing.
set -euo pipefail

packages=(
    build-essential
    cmake
    make
    qt6-base-dev
    libgl-dev
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    libgif-dev
    # PNG's deflate (libdeflate, with zlib's settings tried beside it) and the lossless WebP encoder.
    libdeflate-dev
    zlib1g-dev
    libwebp-dev
    # ICU's transliteration: file names in Latin letters from captions in any script.
    libicu-dev
    # The tests' own font configuration lists exactly these fonts: DejaVu with its oblique faces, and
    # Droid Sans Fallback for captions in CJK scripts; fc-list shows what a test's processes see.
    fonts-dejavu-core
    fonts-dejavu-extra
    fonts-droid-fallback
    fontconfig
    clang-format
    # The rollover pages are checked in a real browser: headless Chromium driven by Selenium.
    chromium
    chromium-driver
    python3-selenium
    # The script-free rollover page is checked with HTML Tidy.
    tidy
    # Fuzzing (make fuzz): clang with libFuzzer and its sanitizer runtimes.
    clang
    libclang-rt-14-dev
    # The package (make package) and its test: the Debian package's dependencies from the shared
    # libraries, its checks, and the validators of the desktop entry, the AppStream metadata and the
    # man pages.
    dpkg-dev
    file
    lintian
    desktop-file-utils
    appstream
    man-db
    # The PNG and WebP files are checked against, and benchmarked beside, the common optimisers.
    optipng
    zopfli
    webp
    # The benchmark script against ImageMagick, timing and peak memory of whole processes.
    imagemagick
    time
    bc
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    if [ "$status" != "install ok installed" ]; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# Another apt-get or dpkg (an unattended upgrade, a second build) may hold the package manager's
# lock: wait for it up to five minutes instead of failing.
lock_wait=(-o DPkg::Lock::Timeout=300)
$SUDO apt-get "${lock_wait[@]}" update -qq
$SUDO apt-get "${lock_wait[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
