#!/bin/sh
# The demo tour end to end: a generated library, the tour with the built DLL,
# and its screenshots checked.
#   run_tour_check.sh RUNNER BIN_FOLDER OUT_FOLDER PATH_PREFIX
set -eu
run=$1
bin=$2
out=$3
z=$4
rm -rf "$out"
mkdir -p "$out/ini/Plugins"
"$run" "$bin/make-demo-library.exe" "$z$out/library" >/dev/null
cp "$bin/ml_Coverhall.dll" "$out/ini/Plugins/"
"$run" "$bin/coverhall-tour.exe" --plugin "$z$out/ini/Plugins/ml_Coverhall.dll" \
    --library "$z$out/library/library.tsv" --ini "$z$out/ini" --out "$z$out/tour"
exec "$run" "$bin/check-screenshots.exe" "$z$out/tour"
