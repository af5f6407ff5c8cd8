#!/usr/bin/env bash
# A few hundred passes of the normal build under valgrind's memcheck, in Xvfb: walking,
# turning, the menu opened and closed with Escape and with "Resume game", then the window's
# close button. Prints valgrind's ERROR SUMMARY and roughly how many passes ran; exits 1 on
# any error valgrind counts (an invalid read or write, a use of an uninitialised value, ...)
# or a status other than 0. Usage: stress/valgrind.sh [SECONDS] [GAME]; 60 seconds of
# build/plint unless told otherwise. The full report is left in build/e2e-shots/valgrind.log.
set -u
cd "$(dirname "$0")/.." || exit 1
RUN_FOR=${1:-60}
REAL_GAME=$(realpath "${2:-build/plint}")
. scripts/common.sh
install_missing_packages valgrind || exit 1
. scripts/drive.sh "$REAL_GAME"
LOG=$SHOTS/valgrind.log
WRAPPER=$(mktemp /tmp/plint-valgrind-XXXXXX)
trap 'cleanup; rm -f "$WRAPPER"' EXIT
printf '#!/bin/sh\nexec valgrind --log-file=%s %s\n' "$LOG" "$REAL_GAME" >"$WRAPPER"
chmod +x "$WRAPPER"
GAME=$WRAPPER

# The pass rate: the fade takes 39 passes from Escape to rest, timed here until the screen
# (all but the ticking clock) matches a shot of the menu at rest taken before. Shots take
# time, so the count is rather low than high.
rest_shot() {
    import -window "$WINDOW" -crop "$BELOW_TOP_BAR" +repage "$SHOTS/$1.png"
}
start_xvfb
PLINT_WINDOW_WAIT=600 start_game # valgrind takes seconds to start
started=$SECONDS
move_pointer 320 240
press_key Escape
sleep 10
rest_shot at-rest
press_key Escape
sleep 10
from=$(date +%s.%N)
press_key Escape
for _ in $(seq 200); do
    rest_shot now
    [ "$(compare -metric AE "$SHOTS/now.png" "$SHOTS/at-rest.png" null: 2>&1)" = 0 ] && break
done
fade=$(awk -v from="$from" -v to="$(date +%s.%N)" 'BEGIN { print to - from }')
move_pointer 320 115
click_left
while [ $((SECONDS - started)) -lt "$RUN_FOR" ]; do
    press_key w 1
    move_pointer 400 240
    press_key d 1
    move_pointer 320 240
    press_key s 1
    press_key a 1
    press_key Escape
    sleep 2
    press_key Escape
    sleep 2
done
ran=$((SECONDS - started))
"$XCLOSE" "$WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 60
awk -v ran="$ran" -v fade="$fade" 'BEGIN { printf "valgrind: %d s at %.1f passes a second " \
    "(the fade'"'"'s 39 passes took %.1f s): at least about %.0f passes\n", ran, 39 / fade, fade,
    ran * 39 / fade }'
summary=$(grep 'ERROR SUMMARY' "$LOG")
echo "valgrind: ${summary#==*== }"
[ "$GAME_STATUS" = 0 ] || fail "the game ended with $GAME_STATUS"
grep -q 'ERROR SUMMARY: 0 errors' <<<"$summary"
