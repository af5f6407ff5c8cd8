#!/usr/bin/env bash
# The floors of the code hold: app/'s helpers include nothing of world/ or overlay/ (only
# main.cpp reaches up into both), world/ and overlay/ never include each other, and no two
# modules (a .cpp with its header) include each other, directly or round a longer loop.
cd "$(dirname "$0")/.." || exit 1
upward=$(grep -H '^#include "\(world\|overlay\)/' app/*.h app/*.cpp | grep -v '^app/main.cpp:'
    grep -H '^#include "overlay/' world/*; grep -H '^#include "world/' overlay/*)
[ -z "$upward" ] || { echo "FAIL: includes across the floors:"; echo "$upward"; exit 1; }

# tsort fails on a loop; each edge runs from the included module to the including one.
loops=$(for file in app/*.* world/*.* overlay/*.*; do
    sed -n "s|^#include \"\([a-z]*/[a-z_]*\)\.h\"$|\1 ${file%.*}|p" "$file"
done | awk '$1 != $2' | tsort 2>&1 >/dev/null) || { echo "FAIL: modules include each other: $loops"; exit 1; }
echo "floors: hold"
