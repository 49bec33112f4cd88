#!/usr/bin/env bash
# Runs every case of goldens/cases.txt with the given command line program and
# compares the written file byte for byte with its golden file.
# Usage: run_goldens.sh GOLDEN_DIR SCRATCH_DIR PROGRAM [ARGS...]
#   e.g. run_goldens.sh goldens /tmp/x wine build/windows/src/brendax-cli.exe
# The cases run inside GOLDEN_DIR, so input files named in a case resolve
# there. Prints one line per failing case; exit status 1 when any failed.
set -uo pipefail
goldens=$(cd "$1" && pwd)
scratch=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2
# The cases run in another folder: a program given by a relative path is made absolute.
program=$1
shift
case "$program" in */*) program="$(cd "$(dirname "$program")" && pwd)/$(basename "$program")" ;; esac
failed=0
count=0
while IFS= read -r line || [ -n "$line" ]; do
  line=${line%$'\r'}
  case "$line" in ''|'#'*) continue ;; esac
  golden=${line%% *}
  rest=${line#* }
  # Split the arguments at blanks; "double quotes" keep blanks.
  readarray -t args < <(printf '%s' "$rest" | xargs -n1 printf '%s\n')
  out="$scratch/case_$count.out"
  rm -f "$out"
  count=$((count + 1))
  (cd "$goldens" && "$program" "$@" "${args[@]}" -o "$out" >/dev/null 2>"$scratch/stderr")
  status=$?
  if [ "$status" -ne 0 ]; then
    echo "FAIL $golden: exit status $status ($(head -c 200 "$scratch/stderr"))"
    failed=$((failed + 1))
  elif ! cmp -s "$out" "$goldens/$golden"; then
    echo "FAIL $golden: output differs ($(cmp "$out" "$goldens/$golden" 2>&1 | head -1))"
    failed=$((failed + 1))
  fi
done < "$goldens/cases.txt"
echo "golden cases: $count run, $failed failed"
[ "$failed" -eq 0 ] && [ "$count" -gt 0 ]
