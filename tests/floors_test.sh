#!/usr/bin/env bash
# The floors of the code hold: app/'s helpers include nothing of world/ or overlay/ (only
# main.cpp reaches up into both), world/ and overlay/ never include each other, and no two
# modules (a .cpp with its header) include each other, directly or round a longer loop.
set -u
cd "$(dirname "$0")/.."

includes() {
    sed -n 's/^#include "\([a-z]*\/[a-z_]*\)\.h"$/\1/p' "$1"
}

status=0
for file in app/*.h app/*.cpp world/*.h world/*.cpp overlay/*.h overlay/*.cpp; do
    case $file in
    app/main.cpp) continue ;;
    app/*) above='^(world|overlay)/' ;;
    world/*) above='^overlay/' ;;
    overlay/*) above='^world/' ;;
    esac
    reached=$(includes "$file" | grep -E "$above")
    if [ -n "$reached" ]; then
        echo "FAIL: $file includes $(echo $reached)"
        status=1
    fi
done

# tsort fails on a loop; each edge runs from the included module to the including one.
edges=$(mktemp)
for file in app/*.* world/*.* overlay/*.*; do
    module=${file%.*}
    includes "$file" | grep -vx "$module" | sed "s|\$| $module|"
done >"$edges"
if ! loops=$(tsort "$edges" 2>&1 >/dev/null); then
    echo "FAIL: modules include each other: $loops"
    status=1
fi
rm -f "$edges"
[ $status -eq 0 ] && echo "floors: hold"
exit $status
