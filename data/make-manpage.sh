#!/usr/bin/env bash
# Writes the manual page of quillmark(1) from the program's own help, so the page always says
# what the command line does: the synopsis and the general part from `quillmark --help`, one
# section per command from `quillmark help COMMAND`.
# Usage: make-manpage.sh PROGRAM VERSION OUTPUT
set -euo pipefail
program=$1
version=$2
output=$3
export LC_ALL=C

overview=$("$program" --help)
commands=$(printf '%s\n' "$overview" | sed -n '/^Commands:$/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')

# Text to roff: a backslash and every dash escaped (options stay copyable), and no line
# that roff would take for a request.
escape() {
  sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
}

# One command's help: its usage unfilled, prose filled, the option table as tagged
# paragraphs (term, two blanks or more, description; a term alone on its line takes the
# indented lines below it), examples unfilled. The closing note on --home, the same for every
# command, is said once in OPTIONS instead.
format_help() {
  sed '/^--home DIR (with every command)/,$d' | escape | awk '
    function flush() {
      if (term != "") { print ".TP"; print term; if (desc != "") print desc }
      term = ""; desc = ""
    }
    function finish() {
      flush()
      if (mode == "nf") { print ".fi"; print ".RE" }
      if (mode == "usage") print ".fi"
      mode = ""
    }
    /^$/ { finish(); next }
    /^Usage: quillmark / {
      finish(); print ".nf"; sub(/^Usage: /, ""); print "\\fB" $0 "\\fR"; mode = "usage"; next
    }
    mode == "usage" { sub(/^ +/, "  "); print; next }
    /^Examples?:$/ { finish(); print ".PP"; print; print ".RS"; print ".nf"; mode = "nf"; next }
    mode == "nf" { sub(/^  /, ""); print; next }
    /^  \\-/ {
      line = $0; sub(/^  /, "", line)
      split_at = match(line, /   */)
      if (split_at > 0) {
        if (term != "" && desc == "") term = term " " substr(line, 1, split_at - 1)
        else { flush(); term = substr(line, 1, split_at - 1) }
        rest = substr(line, split_at); sub(/^ +/, "", rest); desc = rest
      } else if (term != "" && desc == "") {
        term = term " " line
      } else {
        flush(); term = line
      }
      if (mode != "options") { mode = "options" }
      next
    }
    mode == "options" && /^    / { line = $0; sub(/^ +/, "", line); desc = (desc == "" ? line : desc "\n" line); next }
    {
      if (mode != "prose") { flush(); print ".PP"; mode = "prose" }
      print
    }
    END { finish() }
  '
}

{
  cat <<EOF
.TH QUILLMARK 1 "" "quillmark $version" "User Commands"
.SH NAME
quillmark \\- print addresses on labels and envelopes, and keep a contact file
.SH SYNOPSIS
.nf
EOF
  printf '%s\n' "$overview" | sed -n '1,/^$/p' | sed -e '/^$/d' -e 's/^Usage: //' -e 's/^ *//' | escape |
    sed -e 's/^quillmark/\\fBquillmark\\fR/'
  cat <<'EOF'
.fi
.SH DESCRIPTION
Quillmark prints typed addresses on any position or range of a 30\-up label sheet, on seven
envelope sizes and on sheets of 80 return\-address labels, and keeps a contact file of fixed
records. Without a command it starts the windowed program; with one, it does the same work
without a window or a display, for scripted mailings.
.PP
EOF
  # The paragraph after the command list: outputs, the folder, the exit status.
  printf '%s\n' "$overview" |
    awk '/^Commands:$/ { part = 1; next } part && /^$/ { if (part++ == 2) exit; next } part == 2' |
    escape
  cat <<'EOF'
.SH OPTIONS
.TP
\fB\-\-home\fR DIR
The application folder, which holds the parameter file of print\-position adjustments
(QMKPARAM.TXT), the user manual, the state list and the export files; given before or after
the command.
.TP
\fB\-\-open\fR FILE
Starts the windowed program with that contact file open; a CSV or vCard file (.csv, .vcf,
\&.vcard) opens the import with that file chosen, once a contact file is open to take its
contacts.
.TP
\fB\-\-help\fR, \fBhelp\fR [COMMAND]
Explains every command, or one.
.TP
\fB\-\-version\fR
Prints the version.
.SH COMMANDS
EOF
  for command in $commands; do
    printf '.SS %s\n' "$command"
    "$program" help "$command" | format_help
  done
  cat <<'EOF'
.SH ENVIRONMENT
.TP
.B QUILLMARK_HOME
The application folder when \fB\-\-home\fR is not given.
.SH FILES
.TP
.I ~/Documents/Quillmark
The application folder when neither \fB\-\-home\fR nor QUILLMARK_HOME names one. It is created
at start and given what it lacks: the parameter file, the user manual and the state list.
EOF
} >"$output.tmp"
mv "$output.tmp" "$output"
