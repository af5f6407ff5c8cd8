#!/usr/bin/env bash
# The game from a terminal, without a window system: what --help, -h and --version print,
# what a wrong argument or a missing display ends with, and a game on SDL's dummy display
# that ends with status 0 when the system asks it to (SIGTERM, as at logout). Run from the
# repository root with the game binary as $1.
. "$(dirname "$0")/e2e/lib.sh"
GAME=$(realpath "$GAME")
# answers STATUS ARGS...: the game ends with STATUS; what it printed is left in $said.
answers() {
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$GAME" "${@:2}" 2>&1)
    local status=$?
    [ "$status" = "$1" ] || fail "plint ${*:2}: status $status, not $1: $said"
}

answers 0 --help && help=$said
[ "$(head -n 1 <<<"$help")" = "Usage: plint [--fullscreen] [--scale N]" ] || fail "--help: $help"
# Built here, the game looks in Media under the working folder, then in this source tree's.
grep -qx "  1. Media, in the folder the game is started from" <<<"$help" || fail "no 1.: $help"
grep -qx "  2. $(pwd -P)/Media" <<<"$help" || fail "no 2. $(pwd -P)/Media: $help"
answers 0 -h maze && [ "$said" = "$help" ] || fail "-h says other than --help: $said"
answers 0 --version && [ "$said" = "plint $(dpkg-parsechangelog -l packaging/changelog -S Version)" ] ||
    fail "--version says $said, not the changelog's version"
answers 2 -x --help && [ "$said" = "plint: unknown option '-x'; see 'plint --help'" ] ||
    fail "-x: $said"
answers 2 maze && [ "$said" = "plint: unexpected argument 'maze'; see 'plint --help'" ] ||
    fail "maze: $said"
for asked in --help --version; do # an answer that cannot be written is an error, as in GNU's
    said=$("$GAME" $asked 2>&1 >/dev/full)
    [ $? = 1 ] && [ "$said" = "plint: write error: No space left on device" ] || fail "$asked >/dev/full: $said"
done
for scale in 0 -1 2x "" 10001; do
    answers 2 --scale "$scale" && [ "$said" = "plint: --scale takes a whole number from 1 up, not '$scale'; see 'plint --help'" ] ||
        fail "--scale '$scale': $said"
done
# SDL's dummy display names no size, so nothing larger than the frame is offered.
said=$(env SDL_VIDEODRIVER=dummy "$GAME" --scale=2 2>&1)
[ $? = 2 ] && [ "$said" = "plint: --scale 2 does not fit this screen; the largest that does is 1" ] ||
    fail "--scale=2 on a 640 x 480 screen: $said"
answers 1 && [ "$said" = "plint: no display to open a window on" ] || fail "no display: $said"
# A switch the driver refuses, back to the old mode too, leaves no window: the game says why.
said=$(env SDL_VIDEODRIVER=dummy LD_PRELOAD="$PLINT_NOSWITCH" \
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 timeout -s KILL 20 "$GAME" 2>&1)
[ $? = 1 ] && [ "$said" = "plint: cannot switch the window: no such mode" ] || fail "no switch: $said"
said=$(env SDL_VIDEODRIVER=x11 DISPLAY=:4321 "$GAME" 2>&1)
[ $? = 1 ] && [ "$(wc -l <<<"$said")" = 1 ] || fail "an unreachable display: $said"

# In a real terminal, a display that does not answer or Wayland's alone (the classic SDL has no
# Wayland driver; under the compatibility library none answers there) must not let SDL fall
# back to drawing in the terminal or offscreen: one line, status 1 at once, and the terminal's
# settings as they were.
# The helpers' own cleanup stays on the trap: it ends a game a failed check leaves running.
T=$(mktemp -d /tmp/plint-cli-XXXXXX) && trap 'cleanup; rm -rf "$T"' EXIT
for display in DISPLAY=:4321 WAYLAND_DISPLAY=plint-none; do
    said=$(script -qec "stty -a >$T/before; env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \
        XDG_RUNTIME_DIR=$T $display timeout 5 $(printf %q "$GAME"); echo \$? >$T/status; stty -a >$T/after" \
        /dev/null </dev/null | tr -d '\r')
    [ "$(cat "$T/status")" = 1 ] && [ "$(wc -l <<<"$said")" = 1 ] &&
        [[ $said = "plint: no display to open a window on"* ]] || fail "$display in a terminal: $said"
    cmp -s "$T/before" "$T/after" || fail "$display: the terminal's settings changed"
done

# SDL turns SIGTERM and SIGINT into a quit once its video has started, which the caught-signal
# mask shows: from then on, loading included, either ends the game.
for signal in TERM:15 INT:2; do
    # A shell starts a background job with SIGINT ignored, which SDL leaves so. The game dies
    # with this shell, even one killed outright at ctest's timeout, and holds none of its pipes.
    env --default-signal=INT -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy \
        setpriv --pdeathsig KILL "$GAME" >/dev/null 2>&1 &
    GAME_PID=$!
    # The job is the shell, then env, before it is the game: only the game's own mask counts.
    catches() {
        [ "$(readlink /proc/$GAME_PID/exe)" = "$GAME" ] &&
            mask=$(awk '/^SigCgt/ {print $2}' /proc/$GAME_PID/status) && ((0x$mask & 1 << (${signal#*:} - 1)))
    }
    until_true 15 catches || fail "the game never came to catch SIG${signal%:*}"
    kill -"${signal%:*}" "$GAME_PID" && wait_for_exit 5
    [ "$GAME_STATUS" = 0 ] || fail "SIG${signal%:*} ended the game with $GAME_STATUS, not status 0"
done
echo "cli_test: passed"
