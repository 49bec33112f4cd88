#!/usr/bin/env bash
# Runs every command-line example of the manual (docs/manual/examples.txt, the
# one source the rendered manual shows them from) and checks what the manual
# says of the result; checks that the chapters show only examples that exist,
# every example at least once, and no brendax-cli command of their own.
# Usage: run_examples.sh EXAMPLES.txt BRENDAX-CLI CHAPTER_DIR FILES_DIR SCRATCH
#   FILES_DIR holds input files the examples copy ($EXAMPLE_FILES).
set -uo pipefail
examples=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
cli=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
chapters=$3
export EXAMPLE_FILES
EXAMPLE_FILES=$(cd "$4" && pwd)
scratch=$5
rm -rf "$scratch" && mkdir -p "$scratch/work" "$scratch/home" "$scratch/bin" "$scratch/runs" || exit 1
scratch=$(cd "$scratch" && pwd)
ln -s "$cli" "$scratch/bin/brendax-cli"

failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# A file's text as lines without CR, in UTF-8 (the program writes Windows-1252).
text_of() {
  if iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; then tr -d '\r' <"$1"; else iconv -f WINDOWS-1252 -t UTF-8 "$1" | tr -d '\r'; fi
}

declare -A defined=()
name=""
script=()
checks=()
shown=()
in_file=""

run_example() {
  [ -n "$name" ] || return 0
  local dir=$scratch/runs/$name
  mkdir -p "$dir"
  printf '%s\n' "${script[@]}" >"$dir/script.sh"
  (cd "$scratch/work" && HOME=$scratch/home PATH=$scratch/bin:$PATH bash "$dir/script.sh" >"$dir/stdout" 2>"$dir/stderr")
  local status=$? want_status=0 check kind file count regex got line
  text_of "$dir/stdout" >"$dir/stdout.txt"
  text_of "$dir/stderr" >"$dir/stderr.txt"
  for check in "${checks[@]}"; do
    kind=${check%% *}
    case "$kind" in
      status) want_status=${check#status } ;;
      lines | grep)
        check=${check#* }
        file=${check%% *}
        check=${check#* }
        count=${check%% *}
        regex=${check#* }
        case "$file" in
          stdout | stderr) file=$dir/$file ;;
          *) file=$scratch/work/$file ;;
        esac
        if [ ! -f "$file" ]; then
          fail "$name: $(basename "$file") was not written"
          continue
        fi
        if [ "$kind" = lines ]; then
          got=$(text_of "$file" | wc -l)
        else
          got=$(text_of "$file" | grep -cE -- "$regex")
        fi
        [ "$got" -eq "$count" ] || fail "$name: $(basename "$file") has $got lines${regex:+ matching '$regex'}, the manual says $count"
        regex=""
        ;;
      *) fail "$name: unknown check '$kind'" ;;
    esac
  done
  [ "$status" -eq "$want_status" ] || fail "$name: exit status $status, expected $want_status ($(head -c 300 "$dir/stderr.txt"))"
  for line in "${shown[@]}"; do
    grep -qxF -- "$line" "$dir/stdout.txt" "$dir/stderr.txt" || fail "$name: printed no line '$line'"
  done
}

while IFS= read -r line || [ -n "$line" ]; do
  if [ -n "$in_file" ]; then
    if [ "$line" = "@end" ]; then
      in_file=""
    else
      printf '%s\n' "$line" >>"$scratch/work/$in_file"
    fi
    continue
  fi
  case "$line" in
    \[*\])
      run_example
      name=${line#[}
      name=${name%]}
      [ -z "${defined[$name]:-}" ] || fail "example $name is defined twice"
      defined[$name]=0
      script=()
      checks=()
      shown=()
      ;;
    '! '*) script+=("${line#! }") ;;
    '? '*) checks+=("${line#? }") ;;
    '> '*) shown+=("${line#> }") ;;
    '@file '*)
      in_file=${line#@file }
      : >"$scratch/work/$in_file"
      ;;
    *) [ -z "$name" ] || script+=("$line") ;;
  esac
done <"$examples"
run_example

# The chapters show existing examples, each at least once, and no command
# that is not an example.
for chapter in "$chapters"/*.md; do
  while IFS= read -r used; do
    if [ -z "${defined[$used]:-}" ]; then
      fail "$(basename "$chapter") shows the unknown example $used"
    else
      defined[$used]=1
    fi
  done < <(sed -n 's/^<!-- example: \([^ ]*\) -->$/\1/p' "$chapter")
  own=$(awk '/^```/ { fenced = !fenced; next } (fenced && /^ *brendax-cli /) || /^    +brendax-cli / { print FILENAME ":" FNR ": " $0; exit }' "$chapter")
  [ -z "$own" ] || fail "a command that is not in $(basename "$examples"): $own"
done
for example in "${!defined[@]}"; do
  [ "${defined[$example]}" = 1 ] || fail "no chapter shows the example $example"
done

echo "manual examples: ${#defined[@]} run, $failures failures"
[ "$failures" -eq 0 ]
