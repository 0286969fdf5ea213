#!/usr/bin/env bash
# Tallyfin's two developer commands, for a fresh Debian 12 machine or this one:
#   ./dev.sh run    install what is missing, build, start Tallyfin
#   ./dev.sh test   install what is missing, build, run every test: the suite,
#                   the suite again under AddressSanitizer + UBSan, a bounded
#                   fuzzing run of the engine, the engine's coverage
#   ./dev.sh translations   refresh translations/*.ts from the sources (lupdate)
# Packages come from Debian's archive: apt-get as root, through sudo otherwise.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

# What building, running and testing need; nothing else is assumed installed.
PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-l10n-tools qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n fonts-wqy-microhei xvfb xauth
    libgtest-dev libbenchmark-dev libboost-dev dbus
    clang libclang-rt-14-dev gcovr
    libcli11-dev nlohmann-json3-dev libunistring-dev
    libfreexl-dev libzip-dev libexpat1-dev
    libsqlite3-dev nettle-dev
    libxlsxwriter-dev python3-xlwt
)

missing_packages() {
    local package
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
            || echo "$package"
    done
}

install_missing() {
    local missing
    mapfile -t missing < <(missing_packages)
    ((${#missing[@]} == 0)) && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake --preset dev >/dev/null
    cmake --build --preset dev
}

usage() {
    sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

case "${1:-}" in
translations)
    install_missing
    exec translations/update.sh
    ;;
run)
    install_missing
    build
    exec ./build/dev/app/tallyfin
    ;;
test)
    install_missing
    build
    ctest --preset dev
    cmake --preset asan >/dev/null
    cmake --build --preset asan
    ctest --preset asan
    tests/fuzz/run.sh 20
    tests/coverage.sh
    ;;
*)
    usage
    ;;
esac
