#!/bin/bash
# Fails when an include runs back up the layer graph, printing each offending include.
#   framework (kvui3/Source): platform <- core <- {graphics, audio} <- ui <- app <- dialogs
#   game (tvl): world <- net <- frontend <- program, each above the whole framework
# Usage: check_layers.sh SOURCE_ROOT
set -euo pipefail
root=${1:?source root}
cd "$root"

# Every quoted "folder/File.h" include of the two trees, as path:line:folder.
grep -rnoE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' \
    kvui3/Source tvl |
awk -F: '
BEGIN {
    fw = "platform core graphics audio ui app dialogs"
    rule["platform"] = ""
    rule["core"] = "platform"
    rule["graphics"] = "core platform"
    rule["audio"] = "core platform"
    rule["ui"] = "graphics audio core platform"
    rule["app"] = "ui graphics audio core platform"
    rule["dialogs"] = "app ui graphics audio core platform"
    rule["world"] = fw
    rule["net"] = "world " fw
    rule["frontend"] = "net world " fw
    rule["program"] = "frontend net world " fw
    bad = 0
}
{
    n = split($1, part, "/")
    from = (part[1] == "tvl") ? part[2] : part[3]
    to = $3
    sub(/.*"/, "", to); sub(/\/$/, "", to)
    if (n < 3 && part[1] == "tvl") next          # tvl/main.cpp: the executable sits above all
    if (!(from in rule)) { print $1 ": folder \"" from "\" has no place in the layers"; bad = 1; next }
    if (!(to in rule) || to == from) next       # a library, or the folder itself
    if (index(" " rule[from] " ", " " to " ") == 0) {
        print $1 ":" $2 ": " from " may not include " to
        bad = 1
    }
}
END {
    if (!bad) print "layers: no include runs up the graph"
    exit bad
}'
