#!/bin/sh
# Installs and uninstalls Coverhall-<version>-Setup.exe silently under 32-bit
# Wine in a scratch prefix and checks what lands where.
#   installer/check_installer.sh SETUP.EXE [ml_Coverhall.dll as built]
# One line per check, then "N passed, N failed"; exit status 1 on a failure.
set -u
SETUP=$(realpath "$1")
DLL=$(realpath "${2:-$(dirname "$0")/../build/win32/bin/ml_Coverhall.dll}")
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Coverhall'
PASSED=0 FAILED=0
SCRATCH=$(mktemp -d)
export WINEPREFIX="$SCRATCH/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
XVFB_PID="" HOLDER_PID=""

cleanup() {
    # Ending the server ends every Wine process of the prefix, the stand-in too.
    "$WINESERVER" -k 2>/dev/null
    [ -n "$HOLDER_PID" ] && wait "$HOLDER_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

check() { # NAME, then a command that succeeds when the check passes
    name=$1; shift
    if "$@"; then PASSED=$((PASSED + 1)); echo "pass: $name"
    else FAILED=$((FAILED + 1)); echo "FAIL: $name"; fi
}

# Polls COMMAND until it succeeds or SECONDS pass.
wait_for() {
    seconds=$1; shift
    end=$(($(date +%s) + seconds))
    until "$@"; do
        [ "$(date +%s)" -ge "$end" ] && return 1
        sleep 0.2
    done
}

wine() { "$WINELOADER" "$@"; }
run_setup() { wine "$SETUP" "$@" >/dev/null 2>&1; echo $?; }
entry_exists() { wine reg.exe query "$KEY" >/dev/null 2>&1; }
entry_gone() { ! entry_exists; }

if [ -z "${DISPLAY:-}" ]; then
    n=85
    while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    wait_for 10 test -e /tmp/.X11-unix/X$n || { echo "no display"; exit 1; }
fi
mkdir -p "$WINEPREFIX"
"$WINESERVER" -p
wine wineboot.exe -i >/dev/null 2>&1

C=$WINEPREFIX/drive_c
PLAYER=$C/Player
mkdir -p "$PLAYER" "$C/NoPlayer"
: >"$PLAYER/winamp.exe"
printf '[Winamp]\r\n' >"$PLAYER/winamp.ini"
cp "$PLAYER/winamp.ini" "$SCRATCH/winamp.ini"

check "silent install exits 0" test "$(run_setup /S '/D=C:\Player')" = 0
check "the DLL is installed byte for byte" cmp -s "$DLL" "$PLAYER/Plugins/ml_Coverhall.dll"
check "the user's guide is installed" test -s "$PLAYER/Plugins/ReadMeCoverhall.txt"
check "the uninstall entry exists" entry_exists

# The cache folder goes only when the user ticks its box, never silently.
CACHE=$(wine winepath.exe -u "$(wine cmd.exe /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)/Coverhall/Covers
case $CACHE in "$WINEPREFIX"/*) mkdir -p "$CACHE" && : >"$CACHE/cover.bmp" ;; esac

# The uninstaller copies itself away and returns at once: wait for the files.
wine "$PLAYER/Plugins/Uninstall-Coverhall.exe" /S >/dev/null 2>&1
gone() { [ -z "$(ls -A "$PLAYER/Plugins" 2>/dev/null)" ]; }
check "silent uninstall leaves no file in Plugins" wait_for 30 gone
check "winamp.ini stays as it was" cmp -s "$SCRATCH/winamp.ini" "$PLAYER/winamp.ini"
check "the uninstall entry is gone" wait_for 10 entry_gone
check "silent uninstall keeps the thumbnail cache" test -e "$CACHE/cover.bmp"

check "a folder without winamp.exe exits 2" test "$(run_setup /S '/D=C:\NoPlayer')" = 2
check "a folder without winamp.exe stays empty" test -z "$(ls -A "$C/NoPlayer")"

# A window of the player's class stands in for the running player.
if command -v i686-w64-mingw32-gcc >/dev/null; then
    cat >"$SCRATCH/holder.c" <<'CEOF'
#include <windows.h>
int WINAPI WinMain(HINSTANCE h, HINSTANCE p, LPSTR c, int s) {
    WNDCLASSA wc = {0};
    MSG m;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = h;
    wc.lpszClassName = "Winamp v1.x";
    RegisterClassA(&wc);
    CreateWindowA(wc.lpszClassName, "Winamp", 0, 0, 0, 10, 10, 0, 0, h, 0);
    CloseHandle(CreateFileA(c, GENERIC_WRITE, 0, 0, CREATE_NEW, 0, 0));
    while (GetMessageA(&m, 0, 0, 0) > 0) DispatchMessageA(&m);
    return 0;
}
CEOF
    i686-w64-mingw32-gcc -mwindows -o "$SCRATCH/holder.exe" "$SCRATCH/holder.c"
    wine "$SCRATCH/holder.exe" 'C:\holder-ready' >/dev/null 2>&1 &
    HOLDER_PID=$!
    if wait_for 30 test -e "$C/holder-ready"; then
        check "a running player exits 3" test "$(run_setup /S '/D=C:\Player')" = 3
        check "a running player: nothing is installed" test ! -e "$PLAYER/Plugins/ml_Coverhall.dll"
    else
        check "the stand-in player window starts" false
    fi
else
    echo "skip: a running player (no i686-w64-mingw32-gcc)"
fi

echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
