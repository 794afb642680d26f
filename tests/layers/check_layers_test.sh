#!/bin/sh
# The layering check on small trees: a clean one passes, and each kind of
# wrong-way include fails it.
set -u
check=$(dirname "$0")/check_layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

tree() {  # a clean tree of every layer
    rm -rf "$work/t"
    for layer in catalogue win settings covers views plugin host resources; do mkdir -p "$work/t/$layer"; done
    echo '#include "catalogue/song.h"' >"$work/t/catalogue/album.h"
    echo '#include "win/host_interface.h"' >"$work/t/covers/cover.cpp"
    echo '#include "covers/cover.h"' >"$work/t/views/album_window.cpp"
    echo '#include "win/settings.h"' >"$work/t/settings/sorts.cpp"
    echo '#include "views/view_windows.h"' >"$work/t/plugin/lifecycle.cpp"
    echo '#include "win/win_handles.h"' >"$work/t/host/host.cpp"
}

expect() {  # expect pass|fail description
    if sh "$check" "$work/t" >"$work/out" 2>&1; then result=pass; else result=fail; fi
    if [ "$result" = "$1" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $2 (expected $1)"
        cat "$work/out"
    fi
}

tree
expect pass "a clean tree"
tree; echo '#include "plugin/plugin_entry.h"' >>"$work/t/covers/cover.cpp"
expect fail "covers/ including plugin/"
tree; echo '#include "views/list_view_helper.h"' >>"$work/t/covers/cover.cpp"
expect fail "covers/ including views/"
tree; echo '#include "views/album_window.h"' >>"$work/t/settings/sorts.cpp"
expect fail "settings/ including views/"
tree; echo '#  include "covers/cover.h"' >"$work/t/catalogue/x.h"
expect fail "catalogue/ including covers/, with spaces in the directive"
tree; echo '#include "plugin/host_interface.h"' >"$work/t/host/host.cpp"
expect fail "host/ including the plug-in"
tree; echo '#include <windows.h>' >"$work/t/catalogue/x.cpp"
expect fail "catalogue/ including <windows.h>"
tree; echo '#include "list_view_helper.h"' >"$work/t/covers/bare.cpp"
expect pass "a bare include names the folder itself (it compiles only there)"

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
