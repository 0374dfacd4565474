#!/usr/bin/env bash
# Runs a command in a clean clone of this checkout's HEAD on a fresh Debian 12: a debootstrap chroot with nothing
# but Debian's base system, which the command's own set-up must install on. This is how the test run's time on a
# fresh machine is measured:
#
#   sudo ./scripts/fresh-machine.sh ./scripts/test.sh
#
# The base system is made once (in /var/tmp/lumora-fresh/base, from the archive this machine's apt uses) and
# copied for each run; the copy is removed afterwards, unless LUMORA_FRESH_KEEP=1. Needs root and debootstrap.
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "$0: needs root (a chroot)" >&2; exit 2; }
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }
checkout=$(cd "$(dirname "$0")/.." && pwd)
place=/var/tmp/lumora-fresh
base=$place/base
root=$place/run-$$

if [ ! -f "$base/.made" ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
  uris=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  [ -n "$uris" ] || uris=$(awk '$1=="deb" {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
  rm -rf "$base"
  debootstrap bookworm "$base" "$uris"
  touch "$base/.made"
fi

unmount() { umount -R "$root/dev" "$root/sys" "$root/proc" 2>/dev/null || umount -l -R "$root/dev" "$root/sys" "$root/proc" || true; }
finish() {
  unmount
  [ "${LUMORA_FRESH_KEEP:-0}" = 1 ] || rm -rf "$root"
}
trap finish EXIT

cp -a "$base" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone -q "$checkout" "$root/root/lumora"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
# A login's environment: root's home, which other users cannot enter, as on a fresh machine.
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  /bin/bash -c 'cd /root/lumora && started=$SECONDS && "$@"; status=$?; echo "== fresh machine: exit $status after $((SECONDS - started)) s"; exit $status' \
  fresh "$@"
