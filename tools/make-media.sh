#!/bin/sh
# Draws Plint's pictures into Media/ from tools/make_media.cpp.
#
#   tools/make-media.sh           regenerate Media/ in place
#   tools/make-media.sh --check   regenerate into a temp dir and compare with
#                                 the committed files; exit 1 on any difference
#                                 (the font by its cells, every other image
#                                 byte for byte)
#
# Installs what it needs (g++, libpng, FreeType, DejaVu fonts) with apt-get
# when missing. The generator is standalone and not part of the game build.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
files="Game/wall.png Game/background.png Canopy/Font.png Canopy/Button.png
Canopy/Border.png Canopy/TopBottomBorder.png Canopy/Cursor.png"

check=0
case "${1:-}" in
--check) check=1 ;;
"") ;;
*)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac

need=""
command -v g++ >/dev/null 2>&1 || need="$need g++"
command -v pkg-config >/dev/null 2>&1 || need="$need pkg-config"
pkg-config --exists libpng 2>/dev/null || need="$need libpng-dev"
pkg-config --exists freetype2 2>/dev/null || need="$need libfreetype-dev"
[ -f "$font" ] || need="$need fonts-dejavu-core"
if [ -n "$need" ]; then
    echo "installing:$need" >&2
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $need >/dev/null
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# shellcheck disable=SC2046
g++ -std=c++17 -O2 -Wall -Wextra -o "$tmp/make_media" "$root/tools/make_media.cpp" \
    $(pkg-config --cflags --libs libpng freetype2)

if [ "$check" -eq 0 ]; then
    "$tmp/make_media" "$root/Media" "$font"
    echo "wrote Media/"
    exit 0
fi

"$tmp/make_media" "$tmp/out" "$font"
status=0
for f in $files; do
    if [ "$f" = Canopy/Font.png ]; then
        # Held to its contract, not its bytes: FreeType releases draw glyphs a little apart.
        "$tmp/make_media" --check-font "$tmp/out/$f" &&
            "$tmp/make_media" --check-font "$root/Media/$f" || status=1
    elif ! cmp -s "$tmp/out/$f" "$root/Media/$f"; then
        echo "differs: Media/$f" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "Media/ matches the generator"
exit $status
