#!/usr/bin/env bash
# A long, restless run of the sanitizer build: random keys, clicks and pointer moves under
# Xvfb, the menu opened and closed many times (by Escape and by "Resume game"), ended by the
# window's close button. Samples the game's resident memory (VmRSS) each second, prints the
# samples, and says whether it stayed flat after start-up. Exits 1 on a crash, a sanitizer
# report, a status other than 0, or memory that grew.
#
# Usage: stress/soak.sh [SECONDS] [GAME]; 60 seconds of build-asan/plint (made by ./test.sh)
# unless told otherwise.
set -u
cd "$(dirname "$0")/.." || exit 1
RUN_FOR=${1:-60}
. scripts/drive.sh "${2:-build-asan/plint}"

# ASan holds every freed block in a quarantine, 256 MB by default, and Xlib allocates and
# frees three replies a pass: with that the resident memory climbs by about 10 kB a second
# until the quarantine is full, with no growth of the game's own. A 64 kB quarantine still
# catches a use after a recent free, and fills within the first seconds.
export ASAN_OPTIONS="quarantine_size=65536:thread_local_quarantine_size_kb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
start_xvfb
start_game
SAMPLES=$SHOTS/soak-rss.txt
while kill -0 "$GAME_PID" 2>/dev/null; do
    awk '$1 == "VmRSS:" { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null
    sleep 1
done >"$SAMPLES" &
SAMPLER=$!

# Start-up: the menu once open and closed, which touches the backdrop's planes first.
press_key Escape
sleep 1
press_key Escape
sleep 1

# Clicks land left or right of every button's reach (x 157 to 482), except "Resume game"
# clicked on purpose once the menu has come to rest; so nothing but the close button ends
# the game.
KEYS=(w a s d Up Down Left Right)
menu=closed
pauses=0
end=$((SECONDS + RUN_FOR))
while [ "$SECONDS" -lt "$end" ]; do
    case $((RANDOM % 10)) in
    0 | 1 | 2) press_key "${KEYS[RANDOM % 8]}" "0.$((RANDOM % 5 + 1))" ;;
    3 | 4) move_pointer $((RANDOM % 641)) $((RANDOM % 481)) ;;
    5) move_pointer $((RANDOM % 2 ? RANDOM % 150 : 490 + RANDOM % 150)) $((RANDOM % 481))
       click_left ;;
    6) xdotool mousedown 3 mousemove_relative -- $((RANDOM % 81 - 40)) 0 sleep 0.1 mouseup 3 ;;
    7 | 8)
        press_key Escape
        [ "$menu" = closed ] && menu=open pauses=$((pauses + 1)) || menu=closed
        sleep 0.$((RANDOM % 9 + 1))
        ;;
    9)
        if [ "$menu" = open ]; then
            sleep 0.8 # the menu at rest
            move_pointer 320 115
            click_left
            menu=closed
        fi
        ;;
    esac
    sleep 0.05
done

"$XCLOSE" "$WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 10
wait "$SAMPLER"
echo "soak: $RUN_FOR seconds, the menu opened $pauses times; VmRSS in kB, one sample a second:"
tr '\n' ' ' <"$SAMPLES" | fold -s -w 96
echo
[ "$GAME_STATUS" = 0 ] || fail "the game ended with $GAME_STATUS: $(tail -n 20 "$SHOTS/game.log")"
! grep -q 'Sanitizer\|runtime error' "$SHOTS/game.log" || fail "$(cat "$SHOTS/game.log")"

# Flat: after the first ten seconds, no sample more than 64 kB (16 pages) above the highest
# of seconds 5 to 10, by which time every image is loaded and the menu has been drawn.
awk 'NR >= 5 && NR <= 10 && $1 > base { base = $1 }
     NR > 10 && $1 > top { top = $1 }
     END { printf "soak: start-up settles at %d kB, the rest peaks at %d kB: %s\n", base, top,
                  top <= base + 64 ? "flat" : "GROWING"; exit top > base + 64 }' "$SAMPLES"
