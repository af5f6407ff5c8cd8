#!/usr/bin/env bash
# Installed, the game starts like any desktop program: `cmake --install` into a scratch
# DESTDIR, and the installed binary, started from a scratch home folder, draws the same first
# frame as the game started here (a preloaded shim freezes time(), so both carve the same
# maze) from the art staged beside it, the only art it can find there (its --help lists only
# Media under the working folder and the installed art). --help answers without a
# display, the desktop entry, the AppStream metainfo and the manual page are
# valid, a bad icon is named, and the Debian packages packaging/build-deb.sh builds hold what
# they must.
. "$(dirname "$0")/lib.sh"

BUILD=$(cd "$(dirname "$GAME")" && pwd)
SHIM=${PLINT_FIXED_TIME:-$BUILD/libfixed_time.so}
STAGE=$(mktemp -d)
trap 'cleanup; rm -rf "$STAGE"' EXIT
mkdir "$STAGE/home"
DESTDIR=$STAGE/root cmake --install "$BUILD" >/dev/null || fail "cmake --install failed"
installed=$(find "$STAGE/root" -type f -name plint)
[ -x "$installed" ] || fail "no plint binary was installed"

version=$(env -u DISPLAY "$installed" --version) || fail "--version exited with $?"
help=$(env -u DISPLAY "$installed" --help unknown) || fail "--help exited with $?"
data=$(sed -n 's/^  2\. //p' <<<"$help")
[ "$data" = "$(cd "$(dirname "$installed")/.." && pwd -P)/share/plint/Media" ] ||
    fail "the installed game does not look beside itself for its art: $data"
diff -r Media "$data" || fail "the installed art differs from Media/"
share=${data%/plint/Media}
entry=$(echo "$share"/applications/*.desktop)
desktop-file-validate "$entry" || fail "invalid desktop entry"
grep -qx "Exec=${installed#"$STAGE/root"}" "$entry" || fail "the menu entry does not start the game"
metainfo=$share/metainfo/$(basename "$entry" .desktop).metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo" >/dev/null || fail "invalid metainfo $metainfo"
grep -q "<release version=\"${version#plint }\"" "$metainfo" || fail "the metainfo's release is not $version"
manual=$(man --warnings -l "$share/man/man6/plint.6" 2>&1 >/dev/null) || fail "man cannot read the page"
[ -z "$manual" ] || fail "the manual page: $manual"

export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 # the shim loads first
start_xvfb
xdotool mousemove 320 240 # centred before the window opens, so nothing turns
first_frame() {           # NAME COMMAND...: the frame a moment after the window opens
    local name=$1
    shift
    start_game "$@"
    move_pointer 320 240
    sleep 0.3
    screenshot "$name"
    "$XCLOSE" "$WINDOW"
    wait_for_exit 2
    [ "$GAME_STATUS" = "0" ] || fail "$name: closing the window gave $GAME_STATUS"
}
first_frame from-source env LD_PRELOAD="$SHIM" "$GAME"
cd "$STAGE/home" || fail "no scratch home"
first_frame installed env LD_PRELOAD="$SHIM" "$installed"
[ -s "$SHOTS/game.log" ] && fail "the installed game said: $(cat "$SHOTS/game.log")"
[ "$(differing from-source installed)" = 0 ] || fail "the installed game's first frame differs"
icon=$share/icons/hicolor/32x32/apps/plint.png # a bad icon is named and left out
convert -size 32x32 xc:red "bmp:$icon" && start_game "$installed" && "$XCLOSE" "$WINDOW" && wait_for_exit 2
grep -qx "plint: $icon is a BMP, not a PNG; the window shows the system's own icon" "$SHOTS/game.log" ||
    fail "a BMP as the icon: $(cat "$SHOTS/game.log")"
cd - >/dev/null || fail "no way back"

deb=build-deb/plint_${version#plint }_$(dpkg --print-architecture).deb
if [ -f "$deb" ]; then
    [ "$(dpkg-deb -f "$deb" Section)" = "games" ] || fail "the package's section is not games"
    depends=$(dpkg-deb -f "$deb" Depends)
    for need in "libsdl1.2debian (>= 1.2.15) | libsdl1.2-compat" "libsdl-image1.2 (" "libc6 ("; do
        [[ $depends == *"$need"* ]] || fail "the package's Depends lacks $need: $depends"
    done
    files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
    for file in games/plint share/${entry#"$share/"} share/${metainfo#"$share/"} \
        share/man/man6/plint.6.gz share/doc/plint/copyright share/icons/hicolor/48x48/apps/plint.png \
        $(cd Media && find . -name '*.png' | sed 's|^\./|share/plint/Media/|'); do
        grep -qx "\./usr/$file" <<<"$files" || fail "the package lacks /usr/$file"
    done
    grep -q LICENSE <<<"$files" && fail "the package ships the licence beside its copyright file"
    dpkg-deb -x "$deb" "$STAGE/deb" && dpkg-deb -x "${deb/plint_/plint-dbgsym_}" "$STAGE/deb"
    game=$STAGE/deb/usr/games/plint
    id=$(readelf -n "$game" | sed -n 's/^ *Build ID: *//p')
    [ -f "$STAGE/deb/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" ] || fail "no debug symbols for $id"
    readelf -p .gnu_debuglink "$game" | grep -q "${id:2}.debug" || fail "the game names no debug file"
    readelf -S "$game" | grep -Eq '\.(comment|debug_info)' && fail "the packaged game is not stripped"
else
    echo "install_test: no $deb here (packaging/build-deb.sh builds it); the package is not checked"
fi
echo "install_test: passed"
