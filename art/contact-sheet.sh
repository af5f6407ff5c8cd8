#!/bin/bash
# Builds art/contact-sheet.png: every picture in Media/ on a checkerboard
# with a label, small ones enlarged, plus a few assembled views (the button
# frame as the game builds it, text set with the font over dark and light).
#
#   art/contact-sheet.sh [OUT.png]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/art/contact-sheet.png}
media=$root/Media
label_font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

. "$root/scripts/common.sh"
install_missing_packages imagemagick fonts-dejavu-core

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

# Cyan is the colour key in the RGB overlays; show it as see-through.
convert "$media/Canopy/Border.png" -transparent '#00ffff' border.png
convert "$media/Canopy/TopBottomBorder.png" -transparent '#00ffff' bars.png

# checker W H OUT: a grey checkerboard to show transparency.
checker() {
    convert -size "$1x$2" tile:pattern:checkerboard -fill '#8a8f96' -opaque black \
        -fill '#b4b8be' -opaque white "$3"
}

# panel IMG TITLE OUT: the picture over a checkerboard, title above.
panel() {
    local w h
    read -r w h < <(identify -format '%w %h\n' "$1")
    checker "$w" "$h" bg.png
    convert bg.png "$1" -composite \
        \( -background '#23272e' -fill '#dfe6ef' -font "$label_font" -pointsize 14 \
        label:"$2" \) +swap -background '#23272e' -gravity west -append \
        -bordercolor '#23272e' -border 8 "$3"
}

# Button frame as the game assembles it: 342 x 57 from the 21-px tiles of
# row $1 (0 normal, 1 highlighted).
button_frame() {
    local r=$1 dest=$2 b=$media/Canopy/Button.png args=(-size 342x57 xc:none)
    tile() { # tile column, x, y, width, height
        args+=(\( "$b" -crop "${4}x${5}+$(($1 * 21))+$((r * 21))" +repage \)
            -geometry "+$2+$3" -composite)
    }
    local band y h corner edge end
    for band in top mid bot; do
        case $band in
        top) read -r y h corner edge end <<<"0 21 0 6 2" ;;
        mid) read -r y h corner edge end <<<"21 15 7 8 5" ;;
        bot) read -r y h corner edge end <<<"36 21 1 4 3" ;;
        esac
        tile "$corner" 0 "$y" 21 "$h"
        for i in $(seq 0 13); do tile "$edge" $((21 + i * 21)) "$y" 21 "$h"; done
        tile "$edge" 315 "$y" 6 "$h"
        tile "$end" 321 "$y" 21 "$h"
    done
    convert "${args[@]}" "$dest"
}

# text STRING X Y: convert arguments that set STRING with Font.png at an
# 11-px pen advance, as the game does.
text() {
    local s=$1 x=$2 y=$3 i c
    for ((i = 0; i < ${#s}; i++)); do
        c=$(printf '%d' "'${s:i:1}")
        printf '%s\n' "(" "$media/Canopy/Font.png" -crop "15x21+$(((c - 32) * 15))+0" +repage ")" \
            -geometry "+$((x + i * 11))+$y" -composite
    done
}

# 1. wall, shown twice side by side to show it tiles.
convert "$media/Game/wall.png" "$media/Game/wall.png" +append wall2.png
panel wall2.png "Game/wall.png 400x258 (twice, tiling)" p_wall.png

# 2. background at half size.
convert "$media/Game/background.png" -resize 50% bg_half.png
panel bg_half.png "Game/background.png 640x480 (50%)" p_bg.png

# 3. font sheet, three strips at 2x, and sample text over dark and light.
for k in 0 1 2; do
    convert "$media/Canopy/Font.png" -crop "480x21+$((k * 480))+0" +repage \
        -background none -extent 480x21 -scale 200% "font$k.png"
done
convert font0.png font1.png font2.png -append font_sheet.png
panel font_sheet.png "Canopy/Font.png 1425x21 (2x, in three strips)" p_font.png
mapfile -t t1 < <(text "Sat 06 Dec 21:47:05  {Plint} #3!" 8 4)
mapfile -t t2 < <(text "Wall-E quickly jumps; Game Over?" 8 4)
convert -size 370x29 xc:'#1d2330' "${t1[@]}" -scale 200% sample_dark.png
convert -size 370x29 xc:'#e4e7ea' "${t2[@]}" -scale 200% sample_light.png
convert sample_dark.png sample_light.png -append samples.png
panel samples.png "Font over dark and over light (2x)" p_text.png

# 4. button tiles at 3x and the assembled frames over dark and light.
convert "$media/Canopy/Button.png" -scale 300% button3.png
panel button3.png "Canopy/Button.png 189x42 (3x)" p_btn.png
button_frame 0 frame0.png
button_frame 1 frame1.png
# Two frames 50 px apart, as a menu stacks them, labelled like menu items.
mapfile -t t_top < <(text "Options" 141 22)
mapfile -t t_hot < <(text "New Game" 135 72)
for bg in 1d2330 e4e7ea; do
    convert -size 360x112 xc:"#$bg" frame0.png -geometry +9+6 -composite \
        frame1.png -geometry +9+56 -composite "${t_top[@]}" "${t_hot[@]}" "frames_$bg.png"
done
convert frames_1d2330.png frames_e4e7ea.png +append frames.png
panel frames.png "Button frames 342x57 assembled: normal and highlighted" p_frames.png

# 5. border over the background, at half size, and its top-left corner at 3x.
convert "$media/Game/background.png" border.png -composite -resize 50% border_half.png
panel border_half.png "Canopy/Border.png 640x480 over the background (50%)" p_border.png
convert border.png -crop 80x80+0+0 +repage -scale 300% border_corner.png
panel border_corner.png "Border corner (3x)" p_corner.png

# 6. bars.
panel bars.png "Canopy/TopBottomBorder.png 640x131 (cyan shown clear)" p_bars.png

# 7. cursor strip in two rows of eight, and frame 3 at 4x.
convert "$media/Canopy/Cursor.png" -crop 768x96+0+0 +repage cur_a.png
convert "$media/Canopy/Cursor.png" -crop 768x96+768+0 +repage cur_b.png
convert cur_a.png cur_b.png -append cursor_rows.png
panel cursor_rows.png "Canopy/Cursor.png 1536x96 (two rows of 8 frames)" p_cur.png
convert "$media/Canopy/Cursor.png" -crop 40x40+328+40 +repage -scale 400% cursor3.png
panel cursor3.png "Frame 3, hot spot (48,48) (4x)" p_cur3.png

# 8. a mock screen at half size: a short corridor (side walls near, the end
# wall two cells off and darkened), both bars at full fade, the border, the
# clock, the credit line and the pointer.
convert "$media/Game/wall.png" -evaluate subtract 23.5% -resize 240x155! front.png
convert "$media/Game/wall.png" -evaluate subtract 5% -resize 200x480! -virtual-pixel transparent \
    -distort Perspective '0,0 0,0  200,0 200,160  0,480 0,480  200,480 200,320' left.png
convert "$media/Game/wall.png" -evaluate subtract 5% -resize 200x480! -virtual-pixel transparent \
    -distort Perspective '0,0 0,160  200,0 200,0  0,480 0,320  200,480 200,480' right.png
convert "$media/Canopy/TopBottomBorder.png" -crop 640x61+0+70 +repage -transparent '#00ffff' topbar.png
convert "$media/Canopy/TopBottomBorder.png" -crop 640x61+0+0 +repage -transparent '#00ffff' botbar.png
convert "$media/Canopy/Cursor.png" -crop 96x96+288+0 +repage pointer.png
mapfile -t t_date < <(text "Saturday 6 December" $((620 - 19 * 11)) 18)
mapfile -t t_time < <(text "21:47:05" $((620 - 8 * 11)) 38)
mapfile -t t_cred < <(text "Plint - find your way out" 20 442)
convert "$media/Game/background.png" left.png -geometry +0+0 -composite \
    right.png -geometry +440+0 -composite front.png -geometry +200+163 -composite \
    topbar.png -geometry +0+0 -composite botbar.png -geometry +0+419 -composite \
    border.png -geometry +0+0 -composite "${t_date[@]}" "${t_time[@]}" "${t_cred[@]}" \
    pointer.png -geometry +272+232 -composite -resize 50% mock.png
panel mock.png "Mock screen (50%)" p_mock.png

# Columns, then side by side.
convert p_bg.png p_border.png -background '#23272e' -gravity north +append row_bg.png
convert p_bars.png p_mock.png -background '#23272e' -gravity north +append row_mock.png
convert p_wall.png row_bg.png row_mock.png -background '#23272e' -gravity west -append colA.png
convert p_cur3.png p_corner.png -background '#23272e' -gravity north +append row_zoom.png
convert p_font.png p_text.png p_btn.png p_frames.png p_cur.png row_zoom.png \
    -background '#23272e' -gravity west -append colB.png
mkdir -p "$(dirname "$out")"
convert colA.png colB.png -background '#23272e' -gravity north +append \
    -bordercolor '#23272e' -border 6 -depth 8 -strip -define png:exclude-chunks=date,time "$out"
echo "wrote $out"
