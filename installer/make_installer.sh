#!/usr/bin/env bash
# Builds the Windows installer with makensis from a folder that holds both programs.
#   installer/make_installer.sh <folder with Quorvale.scr and Quorvale.dll> <output.exe>
# The version comes from the VERSION file at the top of the repository.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)

die() { printf '[make_installer] %s\n' "$*" >&2; exit 1; }

[ $# = 2 ] || die "usage: $0 <dist-folder> <output.exe>"
dist=$1 out=$2

version=$("$here/version.sh" "$root/VERSION") || exit 1
command -v makensis >/dev/null || die "makensis not found (Debian package nsis; tools/setup installs it)"

dist=$(cd "$dist" 2>/dev/null && pwd) || die "no such folder: $1"
for f in Quorvale.scr Quorvale.dll; do
  [ -f "$dist/$f" ] || die "missing $dist/$f"
  # Both must be Windows programs; a stray or truncated file must not be shipped.
  [ "$(head -c 2 "$dist/$f")" = MZ ] || die "$dist/$f is not a Windows program"
done
# makensis takes these as quoted strings in the script; a quote would end them early.
case "$dist$out" in *'"'*) die "paths with a double quote are not supported" ;; esac

mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
# Build beside the target and move into place, so a failed build leaves no half-written file.
tmp=$out.partial
handoff=$out.handoff.nsh
rm -f "$tmp"
trap 'rm -f "$handoff"' EXIT
# The window titles and the other shared names, from the programs' own header. UTF-8 with its
# mark, so that makensis reads the settings dialog's "■" as it is.
{ printf '\xEF\xBB\xBF'; "$root/handoff/handoff_values.sh" nsis; } >"$handoff" || die "cannot read handoff/handoff.h"
if ! makensis -V2 -INPUTCHARSET UTF8 \
    "-DVERSION=$version" "-DDIST=$dist" "-DLICENSE_FILE=$root/LICENSE" "-DOUTFILE=$tmp" "-DHANDOFF=$handoff" \
    "$here/Quorvale.nsi" >&2; then
  rm -f "$tmp"
  die "makensis failed"
fi
mv -f "$tmp" "$out"
