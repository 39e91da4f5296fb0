#!/bin/bash
# Fails when an include runs back up the layer graph: prints each offending include.
# Usage: check_layers.sh SOURCE_ROOT [framework|game|all]   (default: framework)
#   framework: kvui3/Source, platform <- core <- {graphics, audio} <- ui <- app.
#   game:      tvl/, world <- net <- frontend <- program, each above the whole framework.
set -u
root=${1:?source root}
scope=${2:-framework}

declare -A allowed=(
    [platform]=""
    [core]="platform"
    [graphics]="core platform"
    [audio]="core platform"
    [ui]="graphics audio core platform"
    [app]="ui graphics audio core platform"
)
framework="app ui graphics audio core platform"
declare -A gameAllowed=(
    [world]="$framework"
    [net]="world $framework"
    [frontend]="net world $framework"
    [program]="frontend net world $framework"
)

bad=0
# check DIR TABLE: every "folder/File.h" include of every .h/.cpp under DIR against the table.
check() {
    local dir=$1 table=$2
    local -n rules=$table
    local file line from to
    while IFS= read -r file; do
        from=${file#"$dir"/}
        from=${from%%/*}
        [[ -v rules[$from] ]] || { echo "$file: folder '$from' has no place in the layers"; bad=1; continue; }
        while IFS= read -r line; do
            to=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$line")
            [ "$to" = "$from" ] && continue
            # Only our own folders are ruled; anything else is a library or a test helper.
            [[ -v allowed[$to] || -v gameAllowed[$to] ]] || continue
            if [[ " ${rules[$from]} " != *" $to "* ]]; then
                echo "$file:${line%%:*}: $from may not include $to: ${line#*:}"
                bad=1
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$file")
    done < <(find "$dir" -mindepth 2 \( -name '*.h' -o -name '*.cpp' \) | sort)
}

case $scope in
framework) check "$root/kvui3/Source" allowed ;;
game) check "$root/tvl" gameAllowed ;;
all) check "$root/kvui3/Source" allowed; check "$root/tvl" gameAllowed ;;
*) echo "unknown scope '$scope'"; exit 2 ;;
esac
[ $bad = 0 ] && echo "layers: no include runs up the graph ($scope)"
exit $bad
