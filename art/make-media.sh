#!/usr/bin/env bash
# Draws Plint's pictures into Media/, and its desktop icon into packaging/icons/, from
# art/make_media.cpp.
#
#   art/make-media.sh           regenerate Media/ and packaging/icons/ in place
#   art/make-media.sh --check   regenerate into a temp dir and compare with
#                                 the committed files; exit 1 on any difference
#                                 (the font by its cells, every other image
#                                 byte for byte)
#
# Installs what it needs (ART_PACKAGES in scripts/common.sh) when missing. The
# generator is standalone and not part of the game build.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
files="Media/Game/wall.png Media/Game/background.png Media/Canopy/Font.png
Media/Canopy/Button.png Media/Canopy/Border.png Media/Canopy/TopBottomBorder.png
Media/Canopy/Cursor.png"
for size in 16 32 48 64 128 256; do
    files="$files packaging/icons/${size}x$size/apps/plint.png"
done

check=0
case "${1:-}" in
--check) check=1 ;;
"") ;;
*)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac

. "$root/scripts/common.sh"
install_missing_packages "${ART_PACKAGES[@]}"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# shellcheck disable=SC2046
g++ -std=c++17 -O2 -Wall -Wextra -o "$tmp/make_media" "$root/art/make_media.cpp" \
    $(pkg-config --cflags --libs libpng freetype2)

if [ "$check" -eq 0 ]; then
    "$tmp/make_media" "$root/Media" "$font" "$root/packaging/icons"
    echo "wrote Media/ and packaging/icons/"
    exit 0
fi

mkdir "$tmp/packaging"
"$tmp/make_media" "$tmp/Media" "$font" "$tmp/packaging/icons"
status=0
for f in $files; do
    if [ "$f" = Media/Canopy/Font.png ]; then
        # Held to its contract, not its bytes: FreeType releases draw glyphs a little apart.
        "$tmp/make_media" --check-font "$tmp/$f" &&
            "$tmp/make_media" --check-font "$root/$f" || status=1
    elif ! cmp -s "$tmp/$f" "$root/$f"; then
        echo "differs: $f" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "Media/ and packaging/icons/ match the generator"
exit $status
