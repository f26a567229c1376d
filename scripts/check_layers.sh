#!/usr/bin/env bash
# Fails when a source file includes from a folder listed after its own in
# src/README.md, or when a logic file includes Qt or a window header.
set -euo pipefail
cd "$(dirname "$0")/../src"
order=(platform profile state stats material drill session game menu editor help ui app)
rank() { local i; for i in "${!order[@]}"; do [[ ${order[$i]} == "$1" ]] && { echo "$i"; return; }; done; echo -1; }
status=0
while IFS= read -r file; do
    folder=${file%%/*}
    own=$(rank "$folder")
    window=0
    [[ $file =~ _(window|dialog)\.(h|cpp)$ || $folder == ui || $folder == app ]] && window=1
    while IFS= read -r included; do
        target=${included%%/*}
        [[ $target == "$included" ]] && continue
        r=$(rank "$target")
        # Windows sit on top of everything and may use the shared window layer.
        ((window == 1)) && [[ $target == ui ]] && r=-1
        if ((r > own)); then
            echo "$file includes $included from a higher folder"; status=1
        fi
        if ((window == 0)) && [[ $target == ui || ($target != platform && $included =~ _(window|dialog)\.h$) ]]; then
            echo "logic file $file includes window header $included"; status=1
        fi
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
    if ((window == 0)) && grep -qE '^#include <Q' "$file"; then
        echo "logic file $file includes Qt"; status=1
    fi
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | grep /)
exit $status
