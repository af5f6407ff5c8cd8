#!/usr/bin/env bash
# The art generator's font check, which stands in for a byte comparison wherever FreeType draws
# otherwise, refuses each font the game could not use and passes the faintest ink that is fine;
# and the generator ends with a failure when it cannot load the font it is given.
set -u
cd "$(dirname "$0")/.." || exit 1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# shellcheck disable=SC2046
g++ -std=c++17 -o "$tmp/make_media" art/make_media.cpp $(pkg-config --cflags --libs libpng freetype2) ||
    exit 1
status=0

# Each case is a 1425 x 21 sheet (unless it says otherwise) whose every glyph cell but the
# space holds one pixel of alpha 1 at its top left; then what the check must say of it.
while IFS='|' read -r name sheet says; do
    python3 - "$tmp/$name.png" "$sheet" <<'EOF' || exit 1
import importlib.util, struct, sys
spec = importlib.util.spec_from_file_location("hostile", "stress/hostile-images.py")
hostile = importlib.util.module_from_spec(spec)
spec.loader.exec_module(hostile)
path, sheet = sys.argv[1], sys.argv[2]
width, colour, extra = 1425, 6, None
if sheet == "narrow": width = 1410
if sheet == "rgb": colour = 2
if sheet.startswith("ink "): extra = tuple(map(int, sheet.split()[1:]))
def pixel(x, y):
    inked = (x % 15 == 0 and y == 0 and x >= 15) or (x, y) == extra
    if sheet == "empty A" and x // 15 == 33: inked = False
    return bytes([255, 255, 255] + ([int(inked)] if colour == 6 else []))
open(path, "wb").write(hostile.png(width, 21, 8, colour, pixel))
EOF
    said=$("$tmp/make_media" --check-font "$tmp/$name.png" 2>&1)
    result=$?
    if [ -z "$says" ] && [ "$result" -ne 0 ]; then
        echo "FAIL: $name was refused: $said" >&2
        status=1
    elif [ -n "$says" ] && { [ "$result" -ne 1 ] || [[ $said != *"$says"* ]]; }; then
        echo "FAIL: $name: status $result, said '$said', not '$says'" >&2
        status=1
    fi
done <<'CASES'
faint|plain|
space|ink 3 10|the cell of ' ' is not clear
empty|empty A|the cell of 'A' is empty
spilt|ink 1424 20|'~' has ink in its cell's last column
narrow|narrow|1410 x 21, not 1425 x 21 RGBA
opaque|rgb|1425 x 21 without alpha
CASES

"$tmp/make_media" "$tmp/out" "$tmp/no-such-font.ttf" 2>"$tmp/said"
result=$?
if [ "$result" -ne 1 ] || ! grep -q "cannot load font $tmp/no-such-font.ttf" "$tmp/said"; then
    echo "FAIL: a missing font gave status $result: $(cat "$tmp/said")" >&2
    status=1
fi
exit $status
