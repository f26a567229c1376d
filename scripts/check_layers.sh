#!/usr/bin/env bash
# Fails when a source file includes from a folder listed after its own in
# src/README.md (so no include runs back up), when a logic file includes Qt
# or the window layers, or when ui/ includes a feature's header.
set -euo pipefail
cd "$(dirname "$0")/../src"
logic=(platform profile history state stats material drill session game menu editor help)
# ui/ shares widgets that take plain values: it sees only these logic folders.
ui_sees=(platform profile state)
rank_in() { # name, list...
    local name=$1 i=0; shift
    for folder in "$@"; do [[ $folder == "$name" ]] && { echo "$i"; return; }; i=$((i + 1)); done
    echo -1
}
# A folder's floor: logic folders first, then ui/, the windows by feature, app/.
floor() {
    local path=$1 top=${1%%/*} r
    case $top in
    ui) echo 100 ;;
    app) echo 300 ;;
    windows)
        local feature=${path#windows/}
        feature=${feature%%/*}
        r=$(rank_in "$feature" "${logic[@]}")
        ((r < 0)) && { echo 999; return; }
        echo $((200 + r))
        ;;
    *) rank_in "$top" "${logic[@]}" ;;
    esac
}
status=0
while IFS= read -r file; do
    own=$(floor "$file")
    if ((own < 0 || own == 999)); then
        echo "$file is in a folder src/README.md does not rank"; status=1; continue
    fi
    while IFS= read -r included; do
        [[ ${included%%/*} == "$included" ]] && continue
        target=$(floor "$included")
        if ((target > own)); then
            echo "$file includes $included from a higher folder"; status=1
        elif ((own == 100)) && ((target < 100)) && (($(rank_in "${included%%/*}" "${ui_sees[@]}") < 0)); then
            echo "shared widget $file includes feature header $included"; status=1
        fi
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
    if ((own < 100)) && grep -qE '^#include <Q' "$file"; then
        echo "logic file $file includes Qt"; status=1
    fi
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | grep /)
exit $status
