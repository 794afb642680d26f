#!/usr/bin/env bash
# Sets up the machine, builds and runs Coverhall.
#   ./build.sh test    install what is missing, build, run every test
#   ./build.sh demo    install, build, generate a demo library, open the host
#   ./build.sh bench   install, build, print the benchmark figures
#   ./build.sh build   install and build only
#   ./build.sh fuzz [SECONDS]  run every fuzz target SECONDS each (default 60)
#   ./build.sh release  build the 32-bit DLL, write the installer and zip to dist/
# Two Windows builds are made: win32 (the shipped DLL) and win64 (a test
# vehicle). Windows programs run on both where this machine can run 32-bit
# programs, on win64 alone where it cannot or when COVERHALL_WIN64_ONLY=1.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")" && pwd)
BUILD=${COVERHALL_BUILD:-$ROOT/build}
NATIVE=$BUILD/native
FUZZ=$BUILD/fuzz
TSAN=$BUILD/tsan
JOBS=$(nproc 2>/dev/null || echo 2)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(cmake make g++ googletest xvfb xauth clang libclang-rt-14-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
          g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
          wine wine64 fonts-wine dpkg-dev libutfcpp-dev ffmpeg python3-mutagen nsis zip)
PACKAGES_32=(wine32:i386)

log() { printf '== %s\n' "$*"; }

# Runs a 93-byte static i386 ELF that only exits 0: some x86-64 kernels cannot
# run 32-bit programs at all, and then 32-bit Wine cannot start either.
can_run_32bit() {
    local probe
    probe=$(mktemp)
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
    local status=0
    "$probe" 2>/dev/null || status=1
    rm -f "$probe"
    return $status
}

# The Windows builds whose programs run here, in order: RUN_BUILDS.
choose_builds() {
    if [ "${COVERHALL_WIN64_ONLY:-0}" = 1 ]; then
        RUN_BUILDS=(win64)
        log "COVERHALL_WIN64_ONLY=1: Windows programs run on the 64-bit build only"
    elif can_run_32bit; then
        RUN_BUILDS=(win32 win64)
        log "Windows programs run on the 32-bit and the 64-bit build"
    else
        RUN_BUILDS=(win64)
        log "this machine cannot run 32-bit programs: Windows programs run on the 64-bit build only"
    fi
}

# Installs those of the named Debian packages that are missing.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

setup() {
    choose_builds
    local wanted=("${PACKAGES[@]}")
    [ "${RUN_BUILDS[0]}" = win32 ] && wanted+=("${PACKAGES_32[@]}")
    install_missing "${wanted[@]}"
}

TAGLIB_SOURCE=$BUILD/taglib-src
# TagLib is built from Debian's source package, with Debian's patches applied
# by dpkg-source; apt needs a deb-src entry to fetch it.
fetch_taglib() {
    [ -f "$TAGLIB_SOURCE/taglib/CMakeLists.txt" ] && return 0
    local sudo="" list=/etc/apt/sources.list.d/coverhall-deb-src.sources codename
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if [ ! -f "$list" ]; then
        codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
            "Suites: $codename $codename-updates" 'Components: main' \
            'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$list" >/dev/null
        $sudo apt-get update -qq
    fi
    local download=$BUILD/taglib-download
    rm -rf "$download" "$TAGLIB_SOURCE"
    mkdir -p "$download"
    (cd "$download" && apt-get source --download-only -qq taglib >/dev/null 2>&1)
    local dsc
    dsc=$(ls "$download"/taglib_*.dsc)
    log "TagLib from Debian's source package $(basename "$dsc" .dsc)"
    dpkg-source -x "$dsc" "$TAGLIB_SOURCE" >/dev/null
}

configure_and_build() {
    fetch_taglib
    log "building the 32-bit Windows tree (the shipped DLL)"
    cmake -S "$ROOT" -B "$BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCOVERHALL_TAGLIB_SOURCE="$TAGLIB_SOURCE" >/dev/null
    cmake --build "$BUILD/win32" -j "$JOBS"
    log "building the 64-bit Windows tree (tests only)"
    cmake -S "$ROOT" -B "$BUILD/win64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCOVERHALL_PRODUCT_DLL="$BUILD/win32/bin/ml_Coverhall.dll" \
        -DCOVERHALL_TAGLIB_SOURCE="$TAGLIB_SOURCE" >/dev/null
    cmake --build "$BUILD/win64" -j "$JOBS"
    log "building the native tree"
    CC=gcc CXX=g++ cmake -S "$ROOT" -B "$NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCOVERHALL_TAGLIB_SOURCE="$TAGLIB_SOURCE" >/dev/null
    cmake --build "$NATIVE" -j "$JOBS"
    log "building the ThreadSanitizer tree (the cover engine's queue and memory)"
    CC=gcc CXX=g++ cmake -S "$ROOT" -B "$TSAN" -DCOVERHALL_TSAN=ON -DCOVERHALL_SANITIZE=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$TSAN" -j "$JOBS"
    if command -v clang++ >/dev/null; then
        log "building the fuzz targets (clang, libFuzzer)"
        CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ" -DCOVERHALL_FUZZ=ON \
            -DCOVERHALL_SANITIZE=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCOVERHALL_TAGLIB_SOURCE="$TAGLIB_SOURCE" >/dev/null
        cmake --build "$FUZZ" -j "$JOBS"
    fi
}

XVFB_PID=""
WINE_BUILD=""
# The loader, server and prefix of one Windows build, named directly: the
# `wine` and `wineserver` wrappers pick whichever they prefer.
use_wine() {
    WINE_BUILD=$1
    export WINEPREFIX=$BUILD/$1/wineprefix
    if [ "$1" = win32 ]; then
        export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32
    else
        export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64
    fi
}

wine_run() { "$WINELOADER" "$@"; }
winepath_w() { "$WINELOADER" winepath.exe -w "$1" 2>/dev/null; }

start_display() {
    trap stop_wine EXIT
    if [ -z "${DISPLAY:-}" ]; then
        local n=90
        while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        sleep 1
    fi
}

# One virtual display and one wineserver per build for the whole run: a new
# Wine process then starts in about half a second instead of several.
start_wine() {
    use_wine "$1"
    [ -n "$XVFB_PID" ] || [ -n "${DISPLAY:-}" ] || start_display
    trap stop_wine EXIT
    # The server must be started persistent before anything else runs in the
    # prefix; a server left over from an interrupted run is replaced.
    mkdir -p "$WINEPREFIX"
    if ! "$WINESERVER" -p 2>/dev/null; then
        "$WINESERVER" -k 2>/dev/null || true
        "$WINESERVER" -p
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the $1 Wine prefix"
        wine_run wineboot.exe -i >/dev/null 2>&1 || true
    else
        # The first program of a server session starts Wine's own services,
        # which keep the output they were given: start them here, not under
        # ctest, which would wait for their output to close until it times out.
        wine_run wineboot.exe >/dev/null 2>&1 || true
    fi
    # Wine draws caption buttons with Marlett, which it finds only in the
    # prefix's font folder: without it they show as the letters "0 1 r".
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
    # Without a window manager every closing top-level window (each test
    # host, message box, dialog) waits 2 s for one; unmanaged windows do not.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine_run reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
}

stop_server() {
    [ -n "$WINE_BUILD" ] && "$WINESERVER" -k 2>/dev/null || true
    WINE_BUILD=""
}

stop_wine() {
    stop_server
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

run_tests() {
    log "native tests (AddressSanitizer, UBSan)"
    ctest --test-dir "$NATIVE" --output-on-failure -j "$JOBS"
    if [ -d "$TSAN" ]; then
        log "native tests under ThreadSanitizer"
        ctest --test-dir "$TSAN" --output-on-failure
    fi
    if [ -d "$FUZZ" ]; then
        log "fuzz targets, a few seconds each"
        ctest --test-dir "$FUZZ" --output-on-failure -j "$JOBS"
    fi
    if [ "${RUN_BUILDS[0]}" != win32 ]; then
        log "the shipped 32-bit DLL's tables (objdump, no Wine)"
        ctest --test-dir "$BUILD/win32" --output-on-failure -R '^dll_tables$'
    fi
    for tree in "${RUN_BUILDS[@]}"; do
        log "Windows tests under Wine, $tree build"
        start_wine "$tree"
        ctest --test-dir "$BUILD/$tree" --output-on-failure -j "$JOBS"
        stop_server
    done
    check_installer
}

run_demo() {
    local tree=${RUN_BUILDS[0]}
    start_wine "$tree"
    local bin=$BUILD/$tree/bin demo=$BUILD/demo
    log "generating the demo library in $demo ($tree build)"
    # Afresh: the tour sets a cover, which the next tour must not find.
    rm -rf "$demo/library"
    wine_run "$bin/make-demo-library.exe" "$(winepath_w "$demo/library")" >/dev/null
    mkdir -p "$demo/ini/Plugins"
    cp "$bin/ml_Coverhall.dll" "$ROOT/ReadMeCoverhall.txt" "$demo/ini/Plugins/"
    local args=(--plugin "$(winepath_w "$demo/ini/Plugins/ml_Coverhall.dll")"
                --library "$(winepath_w "$demo/library/library.tsv")"
                --ini "$(winepath_w "$demo/ini")")
    if [ -n "$XVFB_PID" ]; then
        log "no display: the tour walks the plug-in by itself, screenshots go to $demo"
        rm -f "$demo"/tour-*.bmp
        wine_run "$bin/coverhall-tour.exe" "${args[@]}" --out "$(winepath_w "$demo/tour")"
    else
        wine_run "$bin/coverhall-host.exe" "${args[@]}" --select Coverhall
    fi
}

run_bench() {
    for b in "$NATIVE"/bench/*_bench; do [ -x "$b" ] && "$b"; done
    for tree in "${RUN_BUILDS[@]}"; do
        start_wine "$tree"
        # Covers placed as real libraries place them, written by real tag writers.
        local tagged=$BUILD/$tree/tagged_covers
        /usr/bin/python3 "$ROOT/tools/make_tagged_covers.py" "$tagged" >/dev/null
        for b in "$BUILD/$tree"/bench/*_bench.exe; do
            [ -f "$b" ] && wine_run "$b" "$(winepath_w "$tagged")"
        done
        stop_server
    done
    return 0
}

# Every fuzz target for the given time, from the corpus it kept last time
# (build/fuzz/corpus) and its seeds. One line per target; a finding fails
# the run and its reproducer stays in build/fuzz/findings.
run_fuzz() {
    local seconds=${1:-60} status=0
    command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing" >&2; return 1; }
    fetch_taglib
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ" -DCOVERHALL_FUZZ=ON \
        -DCOVERHALL_SANITIZE=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCOVERHALL_TAGLIB_SOURCE="$TAGLIB_SOURCE" >/dev/null
    cmake --build "$FUZZ" -j "$JOBS" >/dev/null
    mkdir -p "$FUZZ/findings"
    for target in "$FUZZ"/tests/fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        local name log result=0
        name=$(basename "$target")
        log=$FUZZ/findings/$name.log
        local dirs=("$FUZZ/corpus/$name") seeds=$ROOT/tests/fuzz/seeds/${name#fuzz_}
        mkdir -p "${dirs[0]}"
        if [ -d "$seeds" ]; then dirs+=("$seeds"); fi
        "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
            -artifact_prefix="$FUZZ/findings/$name-" "${dirs[@]}" >"$log" 2>&1 || result=$?
        local execs rate cov
        execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        cov=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9]*' "$log" | tail -1 || true)
        echo "fuzz $name ${seconds}s: ${execs:-?} executions, ${rate:-?}/s, $cov"
        if [ $result -ne 0 ]; then
            echo "fuzz $name: FINDING (exit $result), log $log, reproducer:" \
                "$(ls "$FUZZ/findings/$name"-* 2>/dev/null | tr '\n' ' ')"
            status=1
        fi
    done
    return $status
}

DIST=$ROOT/dist
# The installer (NSIS) and the zip of the built 32-bit DLL, named with the
# version of the version block, into the given folder: RELEASE_SETUP and
# RELEASE_ZIP name them.
write_release() {
    local out=$1 version
    version=$(sed -n 's/^ *VALUE "FileVersion", "\([0-9.]*\)".*/\1/p' "$ROOT/resources/version.rc")
    [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] ||
        { echo "release: no FileVersion in resources/version.rc" >&2; return 1; }
    local stage=$BUILD/release dll=$BUILD/win32/bin/ml_Coverhall.dll
    rm -rf "$stage"
    mkdir -p "$stage" "$out"
    # One notices file for the licence page and the zip; CRLF for Notepad.
    { printf '%s\n' "Coverhall $version contains TagLib 1.13 (https://taglib.org/), linked" \
          "statically, used under the Mozilla Public License 1.1, whose text follows." \
          "Its sources: Debian's source package taglib." "" ""
      cat "$ROOT/third_party/taglib/COPYING.MPL"; } | sed 's/\r*$/\r/' >"$stage/ThirdPartyNotices.txt"
    RELEASE_SETUP=$out/Coverhall-$version-Setup.exe
    RELEASE_ZIP=$out/Coverhall-$version.zip
    rm -f "$RELEASE_SETUP" "$RELEASE_ZIP"
    log "writing $RELEASE_SETUP"
    makensis -V2 -DVERSION="$version" -DDLL="$dll" -DREADME="$ROOT/ReadMeCoverhall.txt" \
        -DNOTICES="$stage/ThirdPartyNotices.txt" -DOUTDIR="$out" "$ROOT/installer/coverhall.nsi"
    cp "$dll" "$ROOT/ReadMeCoverhall.txt" "$stage/"
    (cd "$stage" && zip -q -X "$RELEASE_ZIP" ml_Coverhall.dll ReadMeCoverhall.txt ThirdPartyNotices.txt)
    local size
    size=$(stat -c %s "$RELEASE_SETUP")
    log "$(basename "$RELEASE_SETUP"): $size bytes"
    log "$(basename "$RELEASE_ZIP"): $(stat -c %s "$RELEASE_ZIP") bytes"
    if [ "$size" -ge $((1536 * 1024)) ]; then
        echo "release: the installer is 1.5 MB or more" >&2
        return 1
    fi
}

# Builds only the shipped DLL, in Release, and writes the release to dist/.
release() {
    fetch_taglib
    log "building the 32-bit Windows DLL (Release)"
    cmake -S "$ROOT" -B "$BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCOVERHALL_TAGLIB_SOURCE="$TAGLIB_SOURCE" >/dev/null
    cmake --build "$BUILD/win32" -j "$JOBS" --target ml_Coverhall
    write_release "$DIST"
}

# The installer of the DLL just built, installed and uninstalled silently in
# a scratch Wine prefix; its stubs are 32-bit programs.
check_installer() {
    if [ "${RUN_BUILDS[0]}" != win32 ]; then
        log "installer checks: skipped (this machine cannot run 32-bit programs)"
        return 0
    fi
    log "installer checks under 32-bit Wine"
    write_release "$BUILD/release-check"
    sh "$ROOT/installer/check_installer.sh" "$RELEASE_SETUP" "$BUILD/win32/bin/ml_Coverhall.dll"
}

cmd=${1:-test}
case "$cmd" in
    build) setup; configure_and_build ;;
    test) setup; configure_and_build; run_tests ;;
    demo) setup; configure_and_build; run_demo ;;
    bench) setup; configure_and_build; run_bench ;;
    fuzz) setup; run_fuzz "${2:-60}" ;;
    release) setup; release ;;
    *) echo "usage: $0 {test|demo|bench|build|fuzz [SECONDS]|release}" >&2; exit 2 ;;
esac
