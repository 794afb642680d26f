#!/bin/sh
# Includes run one way: each folder may include only itself and the folders
# listed for it, all of them below it. Prints each wrong-way include and fails.
#   check_layers.sh [REPO_ROOT]
set -u
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}

allowed() {
    case $1 in
        catalogue) echo "catalogue" ;;
        win) echo "win resources" ;;
        settings) echo "settings win resources" ;;
        covers) echo "covers win catalogue resources" ;;
        views) echo "views settings covers win catalogue resources" ;;
        plugin) echo "plugin views settings covers win catalogue resources" ;;
        host) echo "host win" ;;
        resources) echo "resources" ;;
    esac
}

status=0
checked=0
for layer in catalogue win settings covers views plugin host resources; do
    [ -d "$root/$layer" ] || continue
    ok=$(allowed "$layer")
    # Every quoted include of the layer's sources: file:line:folder/name.
    for hit in $(grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' "$root/$layer" \
                     --include='*.h' --include='*.cpp' --include='*.rc' |
                 sed -E 's/#[[:space:]]*include[[:space:]]*"([^"]+)"/\1/; s/[[:space:]]//g'); do
        checked=$((checked + 1))
        file=${hit%%:*}
        target=${hit##*:}
        folder=${target%%/*}
        [ "$folder" = "$target" ] && folder=$layer  # a sibling script of the same folder
        case " $ok " in
            *" $folder "*) ;;
            *) echo "wrong-way include: ${file#"$root"/} includes \"$target\""; status=1 ;;
        esac
    done
    # The platform-free core never sees Windows.
    if [ "$layer" = catalogue ] && grep -rlE '#[[:space:]]*include[[:space:]]*<windows\.h>' "$root/$layer" >/dev/null; then
        echo "catalogue/ includes <windows.h>"; status=1
    fi
done
if [ $checked -eq 0 ]; then
    echo "no includes found under $root"
    exit 1
fi
if [ $status -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit $status
