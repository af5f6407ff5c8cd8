#!/usr/bin/env bash
# Tries the README's two commands as a newcomer would, on a fresh Debian machine: makes a
# minimal root of the given release (trixie unless told otherwise) with debootstrap from this
# machine's own package sources, copies a clean clone of this repository's HEAD into it, and
# there runs ./run.sh (the window is opened on an Xvfb of the root's own, looked at and
# closed) and then PLINT_SUITE=local ./test.sh: every test, normal and sanitizer builds,
# against that release's own SDL 1.2. Screenshot and logs are left in build-debian-RELEASE/.
# Exits 1, after one line saying why, when the root cannot be made or anything fails.
#   platforms/debian-root.sh [trixie | bookworm | ...]
set -eu
cd "$(dirname "$0")/.."
suite=${1:-trixie}
repo=$PWD
out=$repo/build-debian-$suite
say() { echo "plint: Debian $suite root: $*" >&2; }

if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || {
        say "cannot be made: mounting and chroot need root, and there is no sudo"
        exit 1
    }
    exec sudo "$0" "$@"
fi
. scripts/common.sh
install_missing_packages "${ROOT_PACKAGES[@]}" >/dev/null 2>&1 || {
    say "cannot be made: debootstrap is not installed and could not be installed"
    exit 1
}

# The first Debian archive this machine itself installs from (not its security archive).
mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i }')
mirror="$mirror $(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }')"
mirror=$(tr ' ' '\n' <<<"$mirror" | grep -E '^(https?|file)://' | grep -v security | head -n 1) || {
    say "cannot be made: no Debian archive found in this machine's package sources"
    exit 1
}

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d /var/tmp/plint-debian-root.XXXXXX)
root=$work/root
# Whatever still runs in the root (a build, the game, its Xvfb) would hold its mounts.
stop_root_processes() {
    local process
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" != "$root" ] || kill -KILL "${process#/proc/}" 2>/dev/null
    done
}
cleanup() {
    local job where
    # Each long step leads a session of its own: its children (a download, dpkg) go with it.
    for job in $(jobs -p); do
        kill -TERM -- "-$job" 2>/dev/null || kill -TERM "$job" 2>/dev/null
    done
    stop_root_processes
    sleep 0.5
    # Deepest first, and every mount in the tree: debootstrap cut short leaves its own.
    for where in $(awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r); do
        umount "$where" 2>/dev/null || umount -l "$where"
    done
    # Never remove a tree with anything still mounted in it.
    if ! grep -qF " $root/" /proc/mounts; then
        rm -rf --one-file-system "$work"
    else
        say "left $work behind: something is still mounted in it"
    fi
}
trap cleanup EXIT
trap 'say "stopped by a signal"; exit 130' INT TERM
# The long steps run in the background and are waited for, so that a signal is answered at
# once rather than when the step ends.

SECONDS=0
setsid debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$out/debootstrap.log" 2>&1 &
wait $! || {
    say "cannot be made: debootstrap from $mirror failed: $(grep -E '^E:' "$out/debootstrap.log" | tail -n 1)"
    exit 1
}
made=$SECONDS
echo "plint: made a Debian $suite root from $mirror in $made s"

mount_in() { # TYPE SOURCE WHERE [OPTIONS]
    mount ${4:+-o "$4"} ${1:+-t "$1"} "$2" "$root$3"
}
mount_in proc proc /proc
mount_in sysfs sysfs /sys
mount_in "" /dev /dev bind
mount_in "" /dev/pts /dev/pts bind
mount_in tmpfs tmpfs /dev/shm
mount_in tmpfs tmpfs /tmp
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
git clone -q "file://$repo" "$root/srv/plint"

cat >"$root/srv/check.sh" <<'EOF'
# Run inside the root, from the clone.
set -eu
cd /srv/plint
export DEBIAN_FRONTEND=noninteractive
# What looking at the window takes, and nothing of the game's: run.sh installs that.
. scripts/common.sh
install_missing_packages xvfb xdotool imagemagick x11-utils

# The helpers the end-to-end tests drive the game with; its shots go to build/e2e-shots.
. scripts/drive.sh build/plint
start_xvfb
xdotool mousemove 320 240

touch /tmp/stamp
SECONDS=0
./run.sh >/tmp/run.log 2>&1 &
game=$!
while [ -z "$WINDOW" ] && kill -0 $game 2>/dev/null && [ $SECONDS -lt 1800 ]; do
    sleep 1
    WINDOW=$(xdotool search --name '^Plint$' 2>/dev/null | head -n 1)
done
[ -n "$WINDOW" ] || { cat /tmp/run.log; echo "run.sh opened no window"; exit 1; }
echo "run.sh: the window opened after $SECONDS s"
sleep 2
screenshot run
cp "$SHOTS/run.png" /tmp/run.png
# The game's first frame: the player's 4-pixel red dot in room (1, 1) of the minimap and a
# wall ahead in the view.
dot=$(dot run)
centre=$(pixel run 320 240)
sky=$(pixel run 320 0)
kill -TERM $game # SDL turns it into a quit, as closing the window does
status=0
wait $game || status=$?
[ "$dot" = "$START_DOT" ] && [ "$centre" != "$sky" ] ||
    { echo "the window does not show the game: dot $dot, centre $centre, top $sky"; exit 1; }
[ "$status" = 0 ] || { cat /tmp/run.log; echo "the game ended with $status"; exit 1; }
! grep '^ALSA' /tmp/run.log || { echo "the game spoke of sound"; exit 1; }
home=$(find "$HOME" -newer /tmp/stamp | head -n 5)
[ -z "$home" ] || { echo "the run wrote under $HOME:" $home; exit 1; }
echo "run.sh: the window shows the game; closed, status 0, nothing written under $HOME"
kill "$XVFB_PID"
unset DISPLAY

SECONDS=0
PLINT_SUITE=local ./test.sh >/tmp/test.log 2>&1 || { tail -n 60 /tmp/test.log; echo "test.sh failed after $SECONDS s"; exit 1; }
grep -E 'tests passed|tests failed' /tmp/test.log
echo "test.sh: passed in $SECONDS s"
EOF

status=0
setsid chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb \
    bash /srv/check.sh > >(tee "$out/check.log") 2>&1 &
wait $! || status=1
cp "$root"/tmp/run.png "$root"/tmp/run.log "$root"/tmp/test.log "$out/" 2>/dev/null || true
if [ $status -ne 0 ]; then
    say "failed after $SECONDS s (logs in $out)"
    exit 1
fi
echo "plint: Debian $suite root: passed in $SECONDS s (the root took $made s)"
