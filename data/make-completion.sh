#!/usr/bin/env bash
# Writes the bash completion of quillmark from the program's own help: the commands from
# `quillmark --help`, each command's options from `quillmark help COMMAND`. An option shown
# with a value (--size N, --sort first|last, -o FILE.pdf) takes one; the others are flags.
# Usage: make-completion.sh PROGRAM OUTPUT
set -euo pipefail
program=$1
output=$2
export LC_ALL=C

commands=$("$program" --help | sed -n '/^Commands:$/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')

# "--name VALUE" pairs anywhere in the help; OUTPUT stands for the output options themselves.
options_of() {
  { "$program" help "$1" | grep -oE -- '(^|[ [|])(--[a-z][a-z0-9-]*|-o)' | sed 's/^[ [|]//'
    echo --help; } | sort -u | tr '\n' ' '
}
value_options_of() {
  "$program" help "$1" |
    grep -oE -- '(^|[ [|])(--[a-z][a-z0-9-]*|-o) ([A-Z][A-Z./=-]*|[a-z0-9.]+(\|[a-z0-9.]+)+|[0-9]\.\.[0-9])' |
    sed 's/^[ [|]//' | grep -v ' OUTPUT$' | cut -d' ' -f1 | sort -u | tr '\n' ' '
}

{
  cat <<'EOF'
# bash completion for quillmark, made from its own help when it was built.

_quillmark_options() {
    case $1 in
EOF
  for c in $commands; do
    printf '        %s) echo "%s" ;;\n' "$c" "$(options_of "$c")"
  done
  cat <<'EOF'
    esac
}

_quillmark_value_options() {
    case $1 in
EOF
  for c in $commands; do
    printf '        %s) echo "%s" ;;\n' "$c" "$(value_options_of "$c")"
  done
  cat <<EOF
    esac
}

_quillmark() {
    local commands="$(echo $commands)"
EOF
  cat <<'EOF'
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local i command=""
    COMPREPLY=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --home | --open) ((i++)) ;;
            -*) ;;
            *)
                command=${COMP_WORDS[i]}
                break
                ;;
        esac
    done

    case $prev in
        --home)
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        --open)
            _quillmark_files 'DAT|dat|csv|CSV|vcf|VCF|vcard'
            return
            ;;
        -o)
            _quillmark_files 'pdf'
            return
            ;;
        --printer)
            COMPREPLY=($(compgen -W "$(lpstat -e 2>/dev/null)" -- "$cur"))
            return
            ;;
        --sort)
            COMPREPLY=($(compgen -W "first last" -- "$cur"))
            return
            ;;
        --reminders | --include-company)
            if [[ " $(_quillmark_value_options "$command") " == *" $prev "* ]]; then
                COMPREPLY=($(compgen -W "on off" -- "$cur"))
                return
            fi
            ;;
        --size)
            COMPREPLY=($(compgen -W "1 2 3 4 5 6 7" -- "$cur"))
            return
            ;;
        --search)
            COMPREPLY=($(compgen -W "first= last= city= state= zip= email= category= company=" -- "$cur"))
            compopt -o nospace 2>/dev/null
            return
            ;;
    esac
    # Any other value (a line of text, a number, a date) is the user's to type.
    if [[ -n $command && " $(_quillmark_value_options "$command") " == *" $prev "* ]]; then
        return
    fi

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands help --help --version --home --open" -- "$cur"))
    elif [[ $command == help ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
    elif [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_quillmark_options "$command")" -- "$cur"))
    else
        _quillmark_files 'DAT|csv|CSV|txt|TXT'
    fi
}

# Folders and files with one of the endings.
_quillmark_files() {
    if declare -F _filedir >/dev/null; then
        _filedir "@($1)"
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}

complete -F _quillmark quillmark
EOF
} >"$output.tmp"
mv "$output.tmp" "$output"
