#!/bin/sh
# The DLL calls nothing of the window system or COM while it loads or
# unloads: that code runs under the loader lock, where such calls can
# deadlock a host that loads plug-ins on a thread. Wine's relay trace of a
# program that only loads and frees the DLL, limited to calls made from the
# DLL, must show its kernel32 calls (so the trace works) and none of those.
#   check_load_calls.sh EMULATOR PROBE DLL
set -u
emulator=$1
probe=$2
dll=$3
key='HKEY_CURRENT_USER\Software\Wine\Debug'
work=$(mktemp -d)

# Wine ignores RelayFromInclude while RelayFromExclude is set, as a new
# prefix has it: that value is taken out for the run and put back after.
exclude=$("$emulator" reg query "$key" /v RelayFromExclude 2>/dev/null | tr -d '\r' |
          sed -n 's/^ *RelayFromExclude *REG_SZ *//p')
registry() {
    printf 'REGEDIT4\n\n[%s]\n"RelayFromInclude"=%s\n"RelayFromExclude"=%s\n' "$key" "$1" "$2" \
        >"$work/debug.reg"
    "$emulator" regedit /S "Z:$work/debug.reg" >/dev/null 2>&1
}
restore() {
    if [ -n "$exclude" ]; then registry - "\"$exclude\""; else registry - -; fi
    rm -rf "$work"
}
trap restore EXIT
registry "\"$(basename "$dll" .dll)\"" - || { echo "cannot limit the relay trace to the DLL"; exit 1; }

WINEDEBUG=+relay "$emulator" "$probe" "Z:$dll" 2>"$work/trace"
loaded=$?
if [ $loaded -ne 0 ]; then
    echo "the probe could not load and free $dll (exit $loaded)"
    exit 1
fi
# Only the probe's own thread: a COM service that Wine starts meanwhile
# writes its trace to the same stream.
thread=$(head -n 1 "$work/trace" | cut -d: -f1)
calls=$(grep -oE "^$thread:Call [A-Za-z0-9_]+\.[A-Za-z0-9_@?]+" "$work/trace" |
        sed "s/^$thread:Call //" | sort | uniq -c)
if ! printf '%s\n' "$calls" | grep -qiE ' kernel(32|base)\.'; then
    echo "the trace shows no kernel32 call from the DLL: relay tracing does not work here"
    exit 1
fi
offending=$(printf '%s\n' "$calls" | grep -iE ' (user32|gdi32|win32u|comctl32|ole32|combase)\.')
if [ -n "$offending" ]; then
    echo "window-system or COM calls while the DLL loads or unloads (count, function):"
    printf '%s\n' "$offending"
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
