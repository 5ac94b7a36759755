#!/usr/bin/env bash
# A check by hand, not one of the tests: installs the built package into a fresh minimal
# Debian 12 made by debootstrap, uses it there, removes it and shows what is left.
# Needs root and Debian's mirrors; run bash scripts/package.sh first.
# Usage: try-debian12-install.sh [DIR]   (DIR: where the Debian 12 goes, outside the repository)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls -t build/quillmark_*.deb | head -n 1)
dir=${1:-$(mktemp -d /tmp/quillmark-bookworm.XXXXXX)}
if ! command -v debootstrap >/dev/null; then
  apt-get install -y -qq debootstrap
fi
if [ ! -f "$dir/etc/debian_version" ]; then
  debootstrap --variant=minbase bookworm "$dir" http://deb.debian.org/debian >/dev/null
fi
cp "$deb" "$dir/tmp/"
mount -t proc proc "$dir/proc"
trap 'umount "$dir/proc"' EXIT

chroot "$dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root bash -eu -c '
  step() { printf "\n\$ %s\n" "$*"; "$@"; }
  apt-get update -qq
  step apt-get install -y -qq "/tmp/$(basename "$1")" >/tmp/apt.log 2>&1
  grep -c "^Setting up" /tmp/apt.log | sed "s/$/ packages set up/"
  step quillmark --version
  step quillmark labels --line "Ann Lee" --line "12 Oak St" --line "Troy, NY 12180" \
    --positions 2 --home /tmp/qm --text | head -n 14
  step quillmark add /tmp/qm/Friends.DAT --first Ann --last Lee --city Troy --state NY --home /tmp/qm
  step quillmark list /tmp/qm/Friends.DAT --home /tmp/qm
  # The windows start (offscreen here) and seed the application folder from the program.
  QT_QPA_PLATFORM=offscreen timeout 5 quillmark --home /tmp/win || true
  step ls /tmp/win
  step fc-match sans-serif
  step ls /usr/share/man/man1/quillmark.1.gz /usr/share/applications /usr/share/doc/quillmark
  step apt-get remove -y -qq quillmark >/dev/null
  echo "left of the package:"
  dpkg -l quillmark 2>&1 | tail -n 1
  find / -xdev -iname "*quillmark*" -not -path "/tmp/*" -not -path "/var/cache/apt/*" \
    -not -path "/var/log/*" -not -path "/proc/*"
  echo "(end)"
' _ "$deb"
echo "Debian 12 in $dir"
