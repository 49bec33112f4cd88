#!/usr/bin/env bash
# Compares two builds of the Debian package: the same control data and the
# same files with the same bytes, modes, owners and dates. Names every
# difference; exit status 1 when there is one.
# Usage: tests/package/test_reproducible.sh FIRST.deb SECOND.deb
set -euo pipefail
first=$1
second=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "reproducibility: $*" >&2; exit 1; }

if cmp -s "$first" "$second"; then
  echo "reproducibility: the two builds are byte for byte the same ($(basename "$first"))"
  exit 0
fi

# Different bytes: say where.
for n in 1 2; do
  deb=$first
  [ "$n" = 2 ] && deb=$second
  mkdir -p "$scratch/$n/files" "$scratch/$n/control"
  dpkg-deb -x "$deb" "$scratch/$n/files"
  dpkg-deb -e "$deb" "$scratch/$n/control"
  dpkg-deb -c "$deb" >"$scratch/$n/listing"
done
diff -u "$scratch/1/listing" "$scratch/2/listing" >&2 || true
diff -r "$scratch/1/control" "$scratch/2/control" >&2 || true
diff -rq "$scratch/1/files" "$scratch/2/files" >&2 || true
fail "$(basename "$first") differs between two builds of the same source"
