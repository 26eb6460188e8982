#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks, without
# installing it, what it holds and that it depends on exactly the packages
# that provide the shared libraries the program loads.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
cd "$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f spinning-cone_*.deb
cpack -G DEB >/dev/null
deb=$(echo spinning-cone_*.deb)

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
expected=$(printf '%s\n' ./usr/bin/spinning-cone ./usr/share/applications/spinning-cone.desktop \
    ./usr/share/man/man6/spinning-cone.6 | sort)
[ "$files" = "$expected" ] || fail "package holds:"$'\n'"$files"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/spinning-cone.desktop" ||
    fail "desktop entry does not validate"

# The package of each library the program loads, as dpkg knows it here.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
providers=$(readelf -d "$root/usr/bin/spinning-cone" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' |
    while read -r lib; do dpkg -S "*/$multiarch/$lib" | sed 's/[:,].*//'; done | sort -u)
# Each dependency, an alternative list "a | b (>= 1)", by its package names.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/([^)]*)//g; s/[[:space:]]//g')

for provider in $providers; do
    grep -qE "(^|\|)$provider($|\|)" <<<"$depends" || fail "no dependency on $provider"
done
while read -r alternatives; do
    covered=no
    for name in ${alternatives//|/ }; do
        grep -qx "$name" <<<"$providers" && covered=yes
    done
    [ $covered = yes ] || fail "dependency on $alternatives, which the program does not load"
done <<<"$depends"

echo "package $deb: $(wc -l <<<"$files") files; depends on: $(tr '\n' ' ' <<<"$depends")"
echo "1 passed, 0 failed"
