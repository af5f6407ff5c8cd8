#!/usr/bin/env bash
# Draws Plint's pictures into Media/, and its desktop icon into packaging/icons/, from
# art/make_media.cpp.
#
#   art/make-media.sh           regenerate Media/ and packaging/icons/ in place
#   art/make-media.sh --check   regenerate into a temp dir and compare with
#                                 the committed files; exit 1 on any difference
#                                 (byte for byte; the font by its cells
#                                 only where FreeType or the font file differ
#                                 from those it was drawn with)
#
# Installs what it needs (ART_PACKAGES in scripts/common.sh) when missing. The
# generator is standalone and not part of the game build.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
files="Media/Game/wall.png Media/Game/background.png Media/Canopy/Font.png
Media/Canopy/Button.png Media/Canopy/Border.png Media/Canopy/TopBottomBorder.png
Media/Canopy/Cursor.png"
# Font.png was drawn with FreeType 2.12.1 (pkg-config numbers it 24.3.18; Debian 12's) from this
# font file. Elsewhere FreeType draws glyphs a little apart, so there the font is held to what the
# game relies on instead of its bytes.
font_drawn_with="24.3.18 2964f6dac8e6e9d71613928340f17bf868e9ea51692cca333c79e74962f02233"
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

# The check draws under the sanitizers: a generator that leaks, or strays outside a canvas,
# fails it even when the bytes it leaves match.
sanitize=
[ "$check" -eq 1 ] && sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all"
# shellcheck disable=SC2046,SC2086
g++ -std=c++17 -O2 -Wall -Wextra $sanitize -o "$tmp/make_media" "$root/art/make_media.cpp" \
    $(pkg-config --cflags --libs libpng freetype2)

if [ "$check" -eq 0 ]; then
    "$tmp/make_media" "$root/Media" "$font" "$root/packaging/icons"
    echo "wrote Media/ and packaging/icons/"
    exit 0
fi

mkdir "$tmp/packaging"
# A few seconds' work: a generator still drawing after minutes is stuck, and is not left to
# outlive a check that was stopped.
timeout -s KILL 300 "$tmp/make_media" "$tmp/Media" "$font" "$tmp/packaging/icons" || exit 1
drawn_with="$(pkg-config --modversion freetype2) $(sha256sum <"$font" | cut -d ' ' -f 1)"
status=0
# The committed font keeps to what the game relies on, wherever the check runs; so does one
# drawn from DejaVu's proportional face, whose widest glyphs only the cell's clipping keeps apart.
"$tmp/make_media" --check-font "$root/Media/Canopy/Font.png" || status=1
timeout -s KILL 300 "$tmp/make_media" "$tmp/wide" "$(dirname "$font")/DejaVuSans-Bold.ttf" &&
    "$tmp/make_media" --check-font "$tmp/wide/Canopy/Font.png" || status=1
for f in $files; do
    if [ "$f" = Media/Canopy/Font.png ] && [ "$drawn_with" != "$font_drawn_with" ]; then
        "$tmp/make_media" --check-font "$tmp/$f" || status=1
    elif ! cmp -s "$tmp/$f" "$root/$f"; then
        echo "differs: $f" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "Media/ and packaging/icons/ match the generator"
exit $status
