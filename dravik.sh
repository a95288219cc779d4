#!/usr/bin/env bash
# Set-up, build, run and test Dravik on a Debian machine.
#   ./dravik.sh run   install what is missing, build, start Dravik
#   ./dravik.sh test  install what is missing, build, run every test headless
#   ./dravik.sh build install what is missing and build only
#   ./dravik.sh package  install what is missing, build for /usr and make the Debian package
set -euo pipefail

top=$(cd "$(dirname "$0")" && pwd)
build="$top/build"
# libblkid and SQLite hold what each medium is; e2fsprogs and xorriso make the images the tests
# probe. The validators check the installed menu entries, metainfo, icon and manual pages;
# dpkg-dev and file find the package's dependencies.
packages=(build-essential cmake pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev xvfb
    libblkid-dev libsqlite3-dev e2fsprogs xorriso
    desktop-file-utils appstream groff-base libxml2-utils dpkg-dev file)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
}

build() {
    install_missing
    cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j"$(nproc)"
}

# With no settings of their own yet, a newcomer gets a self-contained demo workspace: its own
# settings, program folder and data folder under .demo-workspace/, and the bundled sample disc
# mapped as drive E, the default drive.
run() {
    build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "dravik.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); Dravik is a desktop" >&2
        echo "program and needs one. Run it from a desktop session, or under xvfb-run." >&2
        exit 1
    fi
    local settings="${DRAVIK_SETTINGS_DIR:-${XDG_CONFIG_HOME:-$HOME/.config}/Dravik}"
    if [ ! -f "$settings/dravik 2016.ini" ]; then
        local demo="$top/.demo-workspace"
        mkdir -p "$demo/settings" "$demo/program" "$demo/data"
        [ -s "$demo/program/SSc.ini" ] || printf 'E\r\n' >"$demo/program/SSc.ini"
        echo "Starting with the demo workspace in $demo (sample disc: drive E)."
        cd "$demo/data"
        DRAVIK_SETTINGS_DIR="$demo/settings" DRAVIK_PROGRAM_DIR="$demo/program" \
            DRAVIK_DRIVE_E="$top/demo/disc" exec "$build/dravik/dravik" "$@"
    fi
    exec "$build/dravik/dravik" "$@"
}

run_tests() {
    build
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
}

# A build folder of its own, configured for /usr as a distribution's programs are.
package() {
    install_missing
    local folder="$top/build-package"
    cmake -S "$top" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
    cmake --build "$folder" -j"$(nproc)" --target dravik dravik-cli peek splitter shipped_files
    (cd "$folder" && cpack -G DEB)
    echo "Package: $(ls "$folder"/package/dravik_*.deb)"
}

case "${1:-}" in
run) shift; run "$@" ;;
test) run_tests ;;
build) build ;;
package) package ;;
*)
    echo "usage: $0 run|test|build|package" >&2
    exit 2
    ;;
esac
