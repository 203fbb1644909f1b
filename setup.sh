#!/usr/bin/env bash
# Sets up, builds and runs the Tolvenra HTML editor on Debian 12.
#   ./setup.sh run    install what is missing, build, and start the editor
#   ./setup.sh test   install what is missing, build, and run every test
#   ./setup.sh bench  install what is missing, build, and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libqscintilla2-qt6-dev libgl-dev libxkbcommon-dev
          qt6-webengine-dev libqt6webenginecore6-bin qt6-multimedia-dev
          libgtest-dev libbenchmark-dev qt6-qpa-plugins adwaita-icon-theme fonts-dejavu-core
          libhunspell-dev hunspell-en-us)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build
}

case "${1:-}" in
run)
    install_missing
    build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "The editor is built (build/src/tolvenra), but there is no display to show it on:"
        echo "run this command from a graphical desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set)."
        exit 1
    fi
    shift
    exec build/src/tolvenra "$@"
    ;;
test)
    install_missing
    build
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
bench)
    install_missing
    build
    exec bench/run-benchmarks.sh build
    ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
