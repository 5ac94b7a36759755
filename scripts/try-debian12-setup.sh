#!/usr/bin/env bash
# A check by hand, not one of the tests: a new user's first steps on a fresh minimal Debian 12
# made by debootstrap. A clean clone of this checkout's last commit goes into it, and the
# README's set-up commands run there exactly as written, as root without sudo, with an empty
# compiler cache: the test command first (as CI runs it on a fresh clone), then the start
# command (which, without a display, says so). Each is timed; the logs stay in DIR.
# Needs root and Debian's mirror.
# Usage: try-debian12-setup.sh [DIR]   (DIR: a new folder outside the repository; kept)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  echo "run as root: debootstrap and chroot need it" >&2
  exit 1
fi
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "note: uncommitted changes are not part of the check (it clones the last commit)" >&2
fi
dir=${1:-$(mktemp -d /var/tmp/quillmark-bookworm.XXXXXX)}
if [ -e "$dir/etc" ]; then
  echo "$dir already holds a system: give a new folder" >&2
  exit 1
fi
# The set-up section's commands, in the README's own words.
mapfile -t commands < <(sed -n '/^## Set up/,/^## /s/^    \(bash scripts\/.*\)$/\1/p' README.md)
[ "${#commands[@]}" -eq 2 ] || { echo "the README's set-up section should show two commands" >&2; exit 1; }

clock() {  # what command...: runs it and says how long it took
  local what=$1 from=$SECONDS
  shift
  "$@"
  echo "-- $what: $(((SECONDS - from) / 60)) min $(((SECONDS - from) % 60)) s (load now: $(cut -d' ' -f1-3 /proc/loadavg))"
}

if ! command -v debootstrap >/dev/null; then
  apt-get install -y -qq debootstrap
fi
quietly() { "$@" >"$dir.debootstrap.log" 2>&1; }
clock "debootstrap" quietly debootstrap --variant=minbase bookworm "$dir" http://deb.debian.org/debian
git clone -q "$(pwd)" "$dir/root/quillmark"

mounted=()
mount_in() {  # mount arguments... target under $dir
  mount "$@"
  mounted=("${!#}" "${mounted[@]}")
}
cleanup() {
  for target in "${mounted[@]}"; do umount "$target" 2>/dev/null || umount -l "$target"; done
}
trap cleanup EXIT
mount_in -t proc proc "$dir/proc"
mount_in -t sysfs sys "$dir/sys"
mount_in --bind /dev "$dir/dev"
mount_in -t devpts -o newinstance,ptmxmode=0666 devpts "$dir/dev/pts"
mount_in -t tmpfs tmpfs "$dir/dev/shm"

in_debian() {  # log command: runs the command in the source folder, as a login shell would
  local log=$1
  shift
  local status=0
  chroot "$dir" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root TERM=dumb bash -c 'cd /root/quillmark && eval "$1"' _ "$*" >"$dir/root/$log" 2>&1 ||
    status=$?
  grep -E '^(== |Installing|Built |FAIL|.*tests (passed|failed)|Errors while)' "$dir/root/$log" || true
  [ "$status" -eq 0 ] || { echo "exit status $status; the end of $dir/root/$log:"; tail -n 30 "$dir/root/$log"; }
  return "$status"
}
echo "Debian 12 in $dir; the commands run in /root/quillmark there"
echo "\$ ${commands[1]}"
clock "${commands[1]}" in_debian test.log "${commands[1]}" || failed=1
echo "\$ ${commands[0]}"
clock "${commands[0]}" in_debian start.log "${commands[0]}"
echo "logs: $dir/root/test.log, $dir/root/start.log"
exit "${failed:-0}"
