#!/usr/bin/env bash
# The Debian package is reproducible: packaging/build-deb.sh run in two copies of this tree at
# paths of different lengths gives byte-identical packages, so nothing of where it was built
# ends up in them. Run from the repository root; the copies leave out the build folders and git's.
set -u
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for copy in a a-copy-with-a-longer-path; do
    mkdir "$work/$copy"
    tar --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$work/$copy" ||
        fail "could not copy the tree"
    "$work/$copy/packaging/build-deb.sh" >"$work/$copy.log" 2>&1 || fail "$copy: $(tail "$work/$copy.log")"
done
for deb in "$work"/a/build-deb/*.deb; do
    cmp "$deb" "$work/a-copy-with-a-longer-path/build-deb/${deb##*/}" ||
        fail "${deb##*/} differs between the two copies"
done
echo "reproducible_test: passed"
