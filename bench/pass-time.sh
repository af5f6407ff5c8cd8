#!/usr/bin/env bash
# What a walking pass costs the game itself, from pump to flip, in CPU microseconds: each game
# given walks and turns for the same seconds under one Xvfb, the games taking turns for several
# rounds, each carving the same maze (the fixed clock, scripts/fixed_time.cpp). Prints each
# round's figure and the mean per game, and the process's share of one core beside it.
#   [SECONDS_EACH=4] [ROUNDS=6] bench/pass-time.sh GAME ...
cd "$(dirname "$0")/.." || exit 1
SECONDS_EACH=${SECONDS_EACH:-4}
ROUNDS=${ROUNDS:-6}
[ $# -gt 0 ] || { echo "usage: [SECONDS_EACH=4] [ROUNDS=6] $0 GAME ..." >&2; exit 2; }
GAMES=("$@")
PLINT_SHOTS=scratch . scripts/drive.sh "${GAMES[0]}"
HELPERS=$(build_helpers fixed_time pass_time) || fail "could not build the fixed clock and the pass timer"
start_xvfb

# The whole process's CPU time so far, in microseconds, and the pass totals in nanoseconds.
process_us() { cat /proc/"$GAME_PID"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s / 1000 }'; }
pass_totals() { od -An -t u8 "/tmp/plint-pass.$GAME_PID" | awk '{ print $1, $2 }'; }

declare -A PASS SHARE
for _ in $(seq 1 "$ROUNDS"); do
    for game in "${!GAMES[@]}"; do
        xdotool mousemove 320 240
        start_game env LD_PRELOAD="$HELPERS/libfixed_time.so $HELPERS/bench/libpass_time.so" "${GAMES[$game]}"
        move_pointer 320 240
        sleep 1
        xdotool keydown w
        move_pointer 400 240 # right of the centre: the view keeps turning
        sleep 0.5
        read -r ns0 passes0 <<<"$(pass_totals)"
        cpu0=$(process_us)
        t0=$(date +%s.%N)
        sleep "$SECONDS_EACH"
        read -r ns1 passes1 <<<"$(pass_totals)"
        cpu1=$(process_us)
        t1=$(date +%s.%N)
        PASS[$game]+=" $(((ns1 - ns0) / (passes1 - passes0) / 1000))"
        SHARE[$game]+=" $(awk -v us=$((cpu1 - cpu0)) -v t="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" \
            'BEGIN { printf "%.2f", us / 1e4 / t }')"
        xdotool keyup w
        kill "$GAME_PID" && wait "$GAME_PID" 2>/dev/null
        rm -f "/tmp/plint-pass.$GAME_PID"
        GAME_PID=""
    done
done

echo "walking and turning, $SECONDS_EACH s a round, $ROUNDS rounds: pump to flip in us; share of one core"
for game in "${!GAMES[@]}"; do
    echo "${GAMES[$game]}|${PASS[$game]}|${SHARE[$game]}" | awk -F'|' '{
        n = split($2, p, " "); split($3, s, " "); mp = ms = 0
        for (i = 1; i <= n; i++) { mp += p[i]; ms += s[i] }
        printf "%s\n  pass:%s, mean %.0f us\n  share:%s, mean %.2f%%\n", $1, $2, mp / n, $3, ms / n }'
done
