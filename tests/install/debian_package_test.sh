#!/usr/bin/env bash
# Reads the package `cpack -G DEB` made (scripts/package.sh, run by scripts/test.sh).
# Usage: debian_package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
deb=$build/quillmark_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb: run bash scripts/package.sh"
[ "$deb" -nt "$build/src/quillmark" ] || fail "$deb is older than the program: run bash scripts/package.sh"

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = quillmark ] || fail "Package"
[ "$(field Version)" = "$version" ] || fail "Version"
# Package names alone, without their versions.
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
  fonts-liberation2 fonts-dejavu-core; do
  grep -qxF "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done

recommends=$(field Recommends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
grep -qxF bash-completion <<<"$recommends" || fail "Recommends lacks bash-completion (it loads the completion)"
# The description: its summary, then Debian's continuation lines (an empty one is " ."); it
# names what the program does.
description=$(dpkg-deb --field "$deb" Description)
! tail -n +2 <<<"$description" | grep -qv '^ [^ ]' ||
  fail "description line that is not a continuation line: $description"
for word in labels envelope vCard CardDAV; do
  grep -q "$word" <<<"$description" || fail "description does not mention $word"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/quillmark \
  ./usr/share/applications/org.quillmark.Quillmark.desktop \
  ./usr/share/metainfo/org.quillmark.Quillmark.metainfo.xml \
  ./usr/share/mime/packages/org.quillmark.Quillmark.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.quillmark.Quillmark.svg \
  ./usr/share/icons/hicolor/48x48/apps/org.quillmark.Quillmark.png \
  ./usr/share/man/man1/quillmark.1.gz \
  ./usr/share/bash-completion/completions/quillmark \
  ./usr/share/doc/quillmark/copyright; do
  grep -qx -- "$path" <<<"$contents" || fail "package lacks $path"
done
! grep -v '^\./usr/' <<<"$contents" | grep -qv '^\./$' || fail "files outside /usr: $contents"
# Installed programs carry no debugging data.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/quillmark >"$build/quillmark.from-deb"
trap 'rm -f "$build/quillmark.from-deb"' EXIT
! readelf -S "$build/quillmark.from-deb" | grep -q '\.debug_info' || fail "program not stripped"
echo "package checked: $(basename "$deb")"
