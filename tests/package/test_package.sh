#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root (no installation on the
# machine), checks its metadata and layout, and runs the unpacked command
# line: its version and every golden case.
# Usage: tests/package/test_package.sh PACKAGE.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
deb=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

# Metadata.
[ "$(dpkg-deb -f "$deb" Package)" = brendax ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 3.9.0 ] || fail "version $(dpkg-deb -f "$deb" Version)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no dependency on the Qt widgets library"
[ "$(dpkg-deb -f "$deb" Section)" = electronics ] || fail "section $(dpkg-deb -f "$deb" Section)"
dpkg-deb -f "$deb" Recommends | grep -qw 'xdg-utils' || fail "xdg-utils is not recommended (Hilfe opens the manual with it)"
maintainer=$(dpkg-deb -f "$deb" Maintainer)
case "$maintainer" in
  "The Brendax developers <"*@*">" | "Brendax developers <"*@*">") ;;
  *) fail "maintainer '$maintainer'" ;;
esac
case "$maintainer $(dpkg-deb -f "$deb" Homepage)" in *example.*) fail "a placeholder address in the metadata" ;; esac

# Layout.
dpkg -x "$deb" "$root"
for file in \
    usr/bin/brendax usr/bin/brendax-cli \
    usr/share/brendax/Brendax_de.pdf usr/share/brendax/brendax.html \
    usr/share/applications/brendax.desktop \
    usr/share/mime/packages/brendax.xml \
    usr/share/icons/hicolor/scalable/apps/brendax.svg \
    usr/share/icons/hicolor/16x16/apps/brendax.png \
    usr/share/icons/hicolor/48x48/apps/brendax.png \
    usr/share/icons/hicolor/256x256/apps/brendax.png \
    usr/share/man/man1/brendax-cli.1.gz usr/share/man/man1/brendax.1.gz \
    usr/share/doc/brendax/copyright usr/share/doc/brendax/changelog.gz; do
  [ -s "$root/$file" ] || fail "missing $file"
done
[ -x "$root/usr/bin/brendax-cli" ] || fail "brendax-cli is not executable"
# The licence, machine-readable.
copyright=$root/usr/share/doc/brendax/copyright
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" || fail "copyright is not DEP-5"
grep -q '^License: MIT$' "$copyright" || fail "copyright names no MIT licence"
grep -q 'Permission is hereby granted, free of charge' "$copyright" || fail "copyright lacks the licence text"
grep -q 'brendax: package-contains-documentation-outside-usr-share-doc' "$root/usr/share/lintian/overrides/brendax" ||
  fail "no lintian override for the manual"
# Hardening: position-independent, read-only relocations bound at start, fortified calls.
# (readelf's output is taken whole: grep -q would end the pipe early.)
for program in brendax brendax-cli; do
  elf=$(readelf -hldW --dyn-syms "$root/usr/bin/$program")
  grep -q 'Type:.*DYN' <<<"$elf" || fail "$program is not position-independent"
  grep -q 'GNU_RELRO' <<<"$elf" || fail "$program has no read-only relocations"
  grep -qE 'BIND_NOW|FLAGS_1.*NOW' <<<"$elf" || fail "$program is not bound at start"
  grep -qE '__[a-z_]+_chk@' <<<"$elf" || fail "$program calls no fortified function"
done
head -c 5 "$root/usr/share/brendax/Brendax_de.pdf" | grep -q '%PDF-' || fail "the manual is no PDF"
desktop=$root/usr/share/applications/brendax.desktop
for key in 'Exec=brendax' 'Icon=brendax' 'Name=Brendax' 'Comment=' 'Comment\[de\]=' 'GenericName\[de\]='; do
  grep -q "^$key" "$desktop" || fail "desktop entry lacks $key"
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
# Project files open with the window program.
grep -q '^MimeType=application/x-brendax-project;' "$desktop" || fail "desktop entry lacks the project type"
grep -q 'pattern="\*.brendax.json"' "$root/usr/share/mime/packages/brendax.xml" || fail "no project file type"
# The manual page lists every subcommand the program offers.
page=$(gzip -dc "$root/usr/share/man/man1/brendax-cli.1.gz")
for sub in $("$root/usr/bin/brendax-cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && /^  [a-z]/ {print $1}'); do
  grep -q "^\.SS $sub\$" <<<"$page" || fail "manual page lacks $sub"
done

# The unpacked program runs.
[ "$("$root/usr/bin/brendax-cli" --version)" = "Brendax Ver.: 03.09" ] || fail "brendax-cli --version"
"$here/tests/package/run_goldens.sh" "$here/goldens" "$root/goldens" "$root/usr/bin/brendax-cli" || fail "golden cases"
echo "package test: $(basename "$deb") passed"
