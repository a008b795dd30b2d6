#!/usr/bin/env bash
# Regenerates the four level collections: make_collections.sh ZG_GENERATE ZGTOOL DATA_DIR
# The seeds below produced the committed files; the output is the same on every run.
set -euo pipefail
if [ $# -ne 3 ]; then
    echo "usage: $0 ZG_GENERATE ZGTOOL DATA_DIR" >&2
    exit 2
fi
generate=$1 zgtool=$2 data=$3
for entry in leicht:1 mittel:1 schwer:1 extrem:1; do
    level=${entry%%:*} seed=${entry##*:}
    lines=$("$generate" "$level" "$seed")
    printf '%s\n' "$lines" | "$zgtool" make "$data/$level.zgb"
    echo "$data/$level.zgb"
done
