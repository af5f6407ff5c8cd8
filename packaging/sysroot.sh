#!/usr/bin/env bash
# Makes a folder holding Debian 12's SDL 1.2, SDL_image and C++ runtime for another processor
# (arm64, armhf or i386), with all they load at run time and the SDL headers: what the game is
# cross-built against, what qemu-user runs it with, what the ARM packages' dependencies are
# read from. apt runs with a state of its own and the packages are unpacked with dpkg-deb -x,
# so the machine's package setup is left as it is (no dpkg --add-architecture: libsdl1.2-dev
# could not sit beside the amd64 one anyway). Made once per architecture and package list.
#   packaging/sysroot.sh ARCH   prints the folder as its last line; the packages themselves
#                               lie in the folder's sibling debs/
#   PLINT_SYSROOTS  where the folders are kept (default: ~/.cache/plint/sysroots)
set -eu
arch=${1:?usage: packaging/sysroot.sh arm64|armhf|i386}
cache=${PLINT_SYSROOTS:-$HOME/.cache/plint/sysroots}/$arch
root=$cache/root
runtime=(libsdl1.2debian libsdl-image1.2 libstdc++6)
# Only the headers, the .pc files and the linker's names: their own dependencies are the
# -dev packages of everything SDL was built with, and the game needs none of them.
headers=(libsdl1.2-dev libsdl-image1.2-dev)
stamp=$root/.made-$(printf '%s\n' "$arch" "${runtime[@]}" "${headers[@]}" | sha256sum | cut -c1-16)
[ -f "$stamp" ] && { echo "$root"; exit 0; }

apt=$cache/apt
apt_private() {
    apt-get -q -o Dir::Etc::SourceParts="$apt/parts" -o Dir::Etc::SourceList=/dev/null \
        -o Dir::State="$apt/state" -o Dir::State::Lists="$apt/lists" \
        -o Dir::State::status="$apt/status" -o Dir::Cache="$apt/cache" \
        -o APT::Architecture="$arch" -o APT::Architectures::="$arch" \
        -o APT::Sandbox::User=root -o Debug::NoLocking=1 "$@"
}
rm -rf "$apt" "$cache/debs" "$root"
mkdir -p "$apt/parts" "$apt/state" "$apt/lists/partial" "$apt/cache/archives/partial" \
    "$cache/debs" "$root"
: >"$apt/status" # nothing installed: apt names every package the list needs
# This machine's own Debian entries, for the other architecture.
for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && grep -q debian "$f" && sed '/^Architectures:/d' "$f" >"$apt/parts/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
    grep '^deb ' /etc/apt/sources.list >"$apt/parts/machine.list"
fi
apt_private update >/dev/null
packages=$(apt_private install -s --no-install-recommends "${runtime[@]}" |
    awk '$1 == "Inst" { print $2 }')
# shellcheck disable=SC2086
(cd "$cache/debs" && apt_private download $packages "${headers[@]}" >/dev/null)
for deb in "$cache"/debs/*.deb; do
    dpkg-deb -x "$deb" "$root"
done
touch "$stamp"
echo "$root"
