#!/usr/bin/env bash
# The manual pages and the bash completions made at build time follow the programs' own --help:
# every option --help names is on the page (which man renders without a warning) and is offered
# by the completion, and the completion offers the commands, the values of the options with a
# fixed set of them, and only picture files as sources.
set -euo pipefail
build=$(cd "${1:?usage: help_docs_test.sh BUILD-DIR}" && pwd)
for tool in man bash; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/install-deps.sh)"; exit 77; }
done
completion_lib=/usr/share/bash-completion/bash_completion
[ -f "$completion_lib" ] || { echo "SKIP: bash-completion is not installed (tools/install-deps.sh)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
failure() { echo "FAIL: $*"; fail=1; }

# Option names as --help writes them on its usage and option lines: "-t", "--to", "--at" (not the
# "-cli" of a name, nor another program's option quoted in an explanation).
options_of() { "$1" --help | grep -E '^ {0,6}(-|brelvik|Usage)' | sed -E 's/^ +//; s/  +.*$//' | grep -oE '(^|[][ ,(])--?[A-Za-z0-9][A-Za-z0-9-]*' | sed -E 's/^[][ ,(]//' | sort -u; }

# Completion candidates for a command line whose last word is being completed.
complete_line() {
  bash --norc -c '
    source "$1"; source "$2"; shift 2
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    func=$(complete -p "$1" | sed -E "s/.* -F ([^ ]+) .*/\1/")
    "$func" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$completion_lib" "$build/completions/$(basename "$1")" "$@"
}

for program in brelvik brelvik-cli; do
  page="$build/man/$program.1.gz"
  [ -s "$page" ] || { failure "$page was not made"; continue; }
  MANWIDTH=100 man --warnings -E UTF-8 -l "$page" >"$work/$program.txt" 2>"$work/$program.warnings"
  [ ! -s "$work/$program.warnings" ] || failure "man warns about $program.1: $(cat "$work/$program.warnings")"
  options=$(options_of "$build/$program")
  [ -n "$options" ] || failure "no options found in $program --help"
  offered=$(complete_line "$program" -)
  [ "$program" = brelvik-cli ] && offered+=$'\n'$(complete_line "$program" convert -)
  for option in $options; do
    grep -qE -- "(^|[^A-Za-z0-9-])$option([^A-Za-z0-9-]|$)" "$work/$program.txt" || failure "$program.1 lacks $option"
    grep -qxF -- "$option" <<<"$offered" || failure "the completion of $program does not offer $option"
  done
  echo "$program: $(wc -w <<<"$options") options on the page and in the completion"
done

expect_words() {
  local want=$1
  shift
  local got
  got=$(complete_line "$@" | sort | tr '\n' ' ')
  [ "$got" = "$want " ] || failure "completing '$*' gave '$got', want '$want'"
}
expect_words "--help --version convert info" brelvik-cli ""
expect_words "bmp ico jpeg png webp" brelvik-cli convert --to ""
expect_words "180 90" brelvik-cli convert -q 80 --rotate ""
expect_words "10 20 30 40 50" brelvik-cli convert --lighten ""
expect_words "" brelvik-cli convert --caption ""
mkdir "$work/pictures" "$work/pictures/sub"
cd "$work/pictures"
touch a.bmp b.JPG c.txt
expect_words "a.bmp b.JPG sub" brelvik-cli convert ""
expect_words "a.bmp sub" brelvik-cli info ""
expect_words "a.bmp b.JPG c.txt sub" brelvik-cli convert -o ""

[ "$fail" -eq 0 ] && echo "PASS: pages and completions follow --help"
exit "$fail"
