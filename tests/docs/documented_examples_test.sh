#!/usr/bin/env bash
# Runs the command-line examples of the README and the docs pages as a reader would, and
# compares what they print with what the page shows. An example is an indented block line that
# starts with "$ "; the indented lines after it, up to the next "$ " or the block's end, are
# what it prints (standard output and error together; blanks at line ends and empty lines at
# the end aside). Each page runs in one shell, in order, in an empty folder of its own, with
# the program on the PATH. Pages keep their files under /tmp/qm...; here that is a temporary
# folder, so runs never meet.
# Usage: documented_examples_test.sh PROGRAM_DIR SOURCE_DIR
set -euo pipefail
program_dir=$1
source_dir=$2
work=$(mktemp -d "${QUILLMARK_TEST_TMP:-${TMPDIR:-/tmp}}/examples.XXXXXX")
trap 'rm -rf "$work"' EXIT
mark=$'\x1e'

# Prints the page's examples as records: "$ COMMAND" lines, each followed by the lines it shows.
examples_of() {
  awk '
    /^    \$ / { in_block = 1; pending = 0; print substr($0, 7); next }
    in_block && /^$/ { pending++; next }
    in_block && /^    / { while (pending > 0) { print "  "; pending-- } print "  " substr($0, 5); next }
    { in_block = 0; pending = 0 }
  ' "$1" | sed 's/^[^ ]/$ &/; s/^  //'
}

# The examples as one script: each command's output, then a marker line; its exit status is
# kept for the next command (echo $?).
script_of() {
  local line
  while IFS= read -r line; do
    [[ $line == '$ '* ]] || continue
    printf '{ %s\n} 2>&1; qm_status=$?; printf "%s\\n"; (exit $qm_status)\n' "${line:2}" "$mark"
  done
}

# What was shown, in the same shape as the run's output.
shown_of() {
  local line first=1
  while IFS= read -r line; do
    if [[ $line == '$ '* ]]; then
      [ $first -eq 1 ] || printf '%s\n' "$mark"
      first=0
    else
      printf '%s\n' "$line"
    fi
  done
  [ $first -eq 1 ] || printf '%s\n' "$mark"
}

# The page's /tmp/qm is the work folder.
into_work() { sed "s|/tmp/qm|$work/qm|g"; }

# Blanks at line ends and empty lines before each marker go.
tidy() {
  sed "s/[[:blank:]]*\$//" | awk -v mark="$mark" '
    $0 == mark { blanks = 0; print; next }
    /^$/ { blanks++; next }
    { while (blanks > 0) { print ""; blanks-- } print }'
}

failed=0
pages=0
for page in "$source_dir"/README.md "$source_dir"/docs/*.md; do
  examples=$(examples_of "$page")
  [ -n "$examples" ] || continue
  pages=$((pages + 1))
  name=${page#"$source_dir"/}
  folder=$work/run-$pages
  mkdir -p "$folder"
  script_of <<<"$examples" | into_work >"$folder.sh"
  (cd "$folder" && PATH="$program_dir:$PATH" bash "$folder.sh") 2>&1 | tidy >"$folder.got" || true
  shown_of <<<"$examples" | into_work | tidy >"$folder.shown"
  if ! cmp -s "$folder.shown" "$folder.got"; then
    echo "FAIL: $name: the examples print otherwise than the page shows (- shown, + printed):"
    commands=$(grep -c '^\$ ' <<<"$examples")
    diff -u "$folder.shown" "$folder.got" | tail -n +3 | sed "s/$mark/-- (end of an example)/" || true
    echo "($commands examples in $name)"
    failed=1
  else
    echo "$name: $(grep -c '^\$ ' <<<"$examples") examples print what the page shows"
  fi
done
[ "$pages" -gt 0 ] || { echo "FAIL: no examples found"; exit 1; }
exit "$failed"
