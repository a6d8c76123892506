#!/usr/bin/env bash
# Prints the release version from a VERSION file (default: the one at the top of the
# repository), refusing anything but three numbers: it becomes file names, the installer's
# four-part version resource and the Add/Remove Programs entry.
set -euo pipefail
file=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/VERSION}
[ -f "$file" ] || { echo "[version] missing $file" >&2; exit 1; }
v=$(tr -d '\r' <"$file" | sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//' | sed -n '1p')
if ! [[ $v =~ ^(0|[1-9][0-9]{0,4})\.(0|[1-9][0-9]{0,4})\.(0|[1-9][0-9]{0,4})$ ]]; then
  echo "[version] $file must hold a version like 1.0.0, found: '$v'" >&2; exit 1
fi
# Windows version fields are 16-bit.
for n in "${BASH_REMATCH[@]:1}"; do
  [ "$n" -le 65535 ] || { echo "[version] $v: each part must be at most 65535" >&2; exit 1; }
done
echo "$v"
