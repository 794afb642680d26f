#!/bin/sh
# The DLL is of the expected format (pei-i386 for the shipped one), exports
# exactly one undecorated symbol and imports only DLLs that come with Windows.
#   check_dll_tables.sh DLL FORMAT
set -eu
dll=$1
format=$2
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
if ! $objdump -f "$dll" | grep -q "file format $format\$"; then
    echo "$dll is not $format: $($objdump -f "$dll" | grep 'file format')"
    exit 1
fi
tables=$($objdump -p "$dll")

exports=$(printf '%s\n' "$tables" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          grep -E '^\s+\[' | awk '{print $NF}')
if [ "$exports" != "winampGetMediaLibraryPlugin" ]; then
    echo "unexpected exports: $exports"
    exit 1
fi

allowed=' kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll version.dll ole32.dll oleaut32.dll windowscodecs.dll msvcrt.dll advapi32.dll shlwapi.dll '
status=0
for name in $(printf '%s\n' "$tables" | awk '/DLL Name:/ {print tolower($3)}'); do
    case "$allowed" in
        *" $name "*) ;;
        *) echo "imports a DLL that does not ship with Windows: $name"; status=1 ;;
    esac
done
[ $status -eq 0 ] && echo "1 passed, 0 failed"
exit $status
