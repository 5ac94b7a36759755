#!/usr/bin/env bash
# Installs into a temporary DESTDIR and checks the tree as the desktop's own tools read it.
# Usage: install_tree_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
id=org.quillmark.Quillmark
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
share=$usr/share

[ -x "$usr/bin/quillmark" ] || fail "no program in bin"
[ "$("$usr/bin/quillmark" --version)" = "quillmark $version" ] || fail "--version"

desktop=$share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop entry"
grep -qx 'Exec=quillmark --open %f' "$desktop" || fail "desktop entry's Exec"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry's Icon"

appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "AppStream data"

# The contact-file type is one the MIME database accepts, and its name is the one the
# desktop entry opens.
cp -r "$share/mime" "$root/mime"
update-mime-database "$root/mime" 2>/dev/null
[ -f "$root/mime/application/x-quillmark-contacts.xml" ] || fail "contact-file MIME type"
grep -q '^MimeType=application/x-quillmark-contacts;' "$desktop" || fail "MimeType"
# CSV and vCard files open the import from a file manager.
for type in text/csv text/vcard; do
  grep -q "^MimeType=.*;$type;" "$desktop" || fail "MimeType $type"
done

[ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "scalable icon"
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "icon $size"
done

# The manual page renders without a warning and has a section for every command.
page=$share/man/man1/quillmark.1.gz
text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$root/man.err")
[ ! -s "$root/man.err" ] || fail "man warnings: $(cat "$root/man.err")"
for command in $("$usr/bin/quillmark" --help | sed -n '/^Commands:$/,/^$/s/^  \([a-z-]*\).*/\1/p'); do
  grep -qx "   $command" <<<"$text" || fail "no manual section for $command"
done
grep -q -- '--positions RANGE' <<<"$text" || fail "manual lacks the option table"

[ -f "$share/doc/quillmark/qmkUman.pdf" ] || fail "user manual"
# Debian's machine-readable copyright: its format line, and a license for every Files paragraph.
copyright=$share/doc/quillmark/copyright
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright format line"
[ "$(grep -c '^Files: ' "$copyright")" = "$(grep -c '^License: ' "$copyright")" ] ||
  fail "a Files paragraph of the copyright without its License"
! grep -q '@[A-Z_]*@' "$copyright" || fail "copyright with a placeholder left: $(cat "$copyright")"

# Completion: commands, a command's options, the values of an option, and a flag of one
# command that takes a value in another.
completion=$share/bash-completion/completions/quillmark
bash -n "$completion" || fail "completion syntax"
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _quillmark
           [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
}
expect() {
  local want=$1
  shift
  [ "$(complete_words "$@" | sort | tr '\n' ' ')" = "$want" ] ||
    fail "completing '$*': got '$(complete_words "$@" | sort | tr '\n' ' ')', want '$want'"
}
expect "edit envelope export " quillmark e
expect "return-labels " quillmark --home /tmp r
expect "birthdays " quillmark help bi
expect "--include-company " quillmark edit F.DAT 2 --inc
expect "--csv " quillmark export F.DAT --c
expect "first last " quillmark list F.DAT --sort ""
expect "off on " quillmark edit F.DAT 2 --include-company ""
expect "" quillmark labels --copies ""
[ "$(complete_words quillmark add F.DAT --include-company "")" != "on" ] ||
  fail "add's --include-company is a flag"
echo "installed tree checked"
