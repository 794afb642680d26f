#!/usr/bin/env bash
# Sets up the machine, builds and runs Coverhall.
#   ./build.sh test    install what is missing, build, run every test
#   ./build.sh demo    install, build, generate a demo library, open the host
#   ./build.sh bench   install, build, print the benchmark figures
#   ./build.sh build   install and build only
set -euo pipefail

ROOT=$(cd "$(dirname "$0")" && pwd)
BUILD=${COVERHALL_BUILD:-$ROOT/build}
WIN=$BUILD/win32
NATIVE=$BUILD/native
FUZZ=$BUILD/fuzz
JOBS=$(nproc 2>/dev/null || echo 2)
export WINEPREFIX=$WIN/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(cmake make g++ googletest g++-mingw-w64-i686 binutils-mingw-w64-i686
          mingw-w64-i686-dev wine wine32:i386 xvfb xauth clang libclang-rt-14-dev)

log() { printf '== %s\n' "$*"; }

setup() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

configure_and_build() {
    log "building the 32-bit Windows tree"
    cmake -S "$ROOT" -B "$WIN" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$WIN" -j "$JOBS"
    log "building the native tree"
    CC=gcc CXX=g++ cmake -S "$ROOT" -B "$NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$NATIVE" -j "$JOBS"
    if command -v clang++ >/dev/null; then
        log "building the fuzz targets (clang, libFuzzer)"
        CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ" -DCOVERHALL_FUZZ=ON \
            -DCOVERHALL_SANITIZE=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
        cmake --build "$FUZZ" -j "$JOBS"
    fi
}

XVFB_PID=""
# One virtual display and one wineserver for the whole run: a new Wine
# process then starts in about half a second instead of several.
start_wine() {
    trap stop_wine EXIT
    if [ -z "${DISPLAY:-}" ]; then
        local n=90
        while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        sleep 1
    fi
    # The server must be started persistent before anything else runs in the
    # prefix; a server left over from an interrupted run is replaced.
    mkdir -p "$WINEPREFIX"
    if ! wineserver -p 2>/dev/null; then
        wineserver -k 2>/dev/null || true
        wineserver -p
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix"
        wineboot -i >/dev/null 2>&1 || true
    fi
    # Without a window manager every closing top-level window (each test
    # host, message box, dialog) waits 2 s for one; unmanaged windows do not.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
}

stop_wine() {
    wineserver -k 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

run_tests() {
    log "native tests (AddressSanitizer, UBSan)"
    ctest --test-dir "$NATIVE" --output-on-failure -j "$JOBS"
    if [ -d "$FUZZ" ]; then
        log "fuzz targets, a few seconds each"
        ctest --test-dir "$FUZZ" --output-on-failure -j "$JOBS"
    fi
    log "Windows tests under Wine"
    start_wine
    ctest --test-dir "$WIN" --output-on-failure -j "$JOBS"
}

run_demo() {
    start_wine
    local demo=$BUILD/demo
    log "generating the demo library in $demo"
    wine "$WIN/bin/make-demo-library.exe" "$(winepath -w "$demo/library")" >/dev/null
    mkdir -p "$demo/ini/Plugins"
    cp "$WIN/bin/ml_Coverhall.dll" "$ROOT/ReadMeCoverhall.txt" "$demo/ini/Plugins/" 2>/dev/null ||
        cp "$WIN/bin/ml_Coverhall.dll" "$demo/ini/Plugins/"
    local args=(--plugin "$(winepath -w "$demo/ini/Plugins/ml_Coverhall.dll")"
                --library "$(winepath -w "$demo/library/library.tsv")"
                --ini "$(winepath -w "$demo/ini")")
    if [ -n "$XVFB_PID" ]; then
        log "no display: running headless, screenshots go to $demo"
        wine "$WIN/bin/coverhall-host.exe" "${args[@]}" \
            --screenshot "$(winepath -w "$demo/screenshot")" --select Coverhall --select Genres
        ls "$demo"/screenshot*
    else
        wine "$WIN/bin/coverhall-host.exe" "${args[@]}"
    fi
}

run_bench() {
    for b in "$NATIVE"/bench/*_bench; do [ -x "$b" ] && "$b"; done
    start_wine
    for b in "$WIN"/bench/*_bench.exe; do [ -f "$b" ] && wine "$b"; done
    return 0
}

cmd=${1:-test}
case "$cmd" in
    build) setup; configure_and_build ;;
    test) setup; configure_and_build; run_tests ;;
    demo) setup; configure_and_build; run_demo ;;
    bench) setup; configure_and_build; run_bench ;;
    *) echo "usage: $0 {test|demo|bench|build}" >&2; exit 2 ;;
esac
