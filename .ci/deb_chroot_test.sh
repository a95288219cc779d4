#!/usr/bin/env bash
# Installs the Debian package in a clean Debian 12 chroot made with debootstrap, runs the installed
# programs there, and removes the package again, checking that none of its files stay behind.
# Needs root and the Debian mirror this machine's apt uses; not part of every CI run.
#   .ci/deb_chroot_test.sh [PACKAGE.deb]   (default: built with ./dravik.sh package)
#   KEEP=1 keeps the chroot (its folder is printed).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
deb=${1:-}
if [ -z "$deb" ]; then
    "$top/dravik.sh" package
    deb=$(ls "$top"/build-package/package/dravik_*.deb)
fi
deb=$(realpath "$deb")

# The first mirror of this machine's own apt sources, so no host is written down here.
mirror() {
    local uri
    uri=$(grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2}' | grep -v security | head -1)
    [ -n "$uri" ] || uri=$(grep -hs '^deb ' /etc/apt/sources.list | awk '{print $2}' | head -1)
    [ -n "$uri" ] || { echo "no Debian mirror in the apt sources; set MIRROR" >&2; exit 1; }
    echo "$uri"
}

command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
root=$(mktemp -d /var/tmp/dravik-chroot-XXXXXX)
cleanup() {
    umount "$root/proc" 2>/dev/null || true
    if [ -n "${KEEP:-}" ]; then echo "chroot kept in $root"; else rm -rf "$root"; fi
}
trap cleanup EXIT

echo "== debootstrap bookworm into $root"
debootstrap --variant=minbase bookworm "$root" "${MIRROR:-$(mirror)}" >"$root.log" 2>&1 ||
    { tail -20 "$root.log"; exit 1; }
rm -f "$root.log"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "== apt install ./$(basename "$deb")"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")"
in_root dpkg -s dravik | grep -E '^(Version|Depends|Recommends):'

echo "== the installed programs"
for p in dravik dravik-cli dravik-peek dravik-splitter; do in_root "$p" --version; done
in_root sh -c 'mkdir -p /tmp/disc/a /tmp/data && echo x >/tmp/disc/a/f.txt &&
    DRAVIK_DRIVE_E=/tmp/disc dravik-cli catalogue "Disc 1" --drive E --data /tmp/data &&
    dravik-cli list --data /tmp/data && ls /root/.local/share/Dravik/'
if in_root sh -c 'cd /tmp/data && QT_QPA_PLATFORM=offscreen timeout 5 dravik; [ $? -eq 124 ]'; then
    echo "dravik: the window ran until stopped"
else
    echo "dravik: the window did not run" >&2
    exit 1
fi

echo "== apt remove --purge dravik"
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's:^\./:/:' | grep -v '/$')
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq dravik
left=0
for f in $files; do
    if [ -e "$root$f" ]; then echo "left behind: $f"; left=1; fi
done
in_root dpkg -s dravik >/dev/null 2>&1 && { echo "dravik is still installed"; left=1; }
[ $left -eq 0 ] && echo "OK: installed, ran and removed cleanly"
exit $left
