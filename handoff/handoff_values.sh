#!/usr/bin/env bash
# The values of handoff/handoff.h for what cannot include a C++ header: the shell tools (and
# the shell tests) and the installer. Reads the header at every call, so nothing is built
# first and nothing goes stale.
#   handoff_values.sh shell   QV_WORK_FOLDER='C:\...' ... (for eval)
#   handoff_values.sh nsis    !define QV_WORK_FOLDER "C:\..." ... (for !include)
# Each constant kSomeName becomes QV_SOME_NAME. Only the one-line text and number constants
# are read (see the header); any other line that starts like one is an error, so that no
# value goes missing quietly.
set -euo pipefail
export LC_ALL=C  # bytes in, the same bytes out: the texts are UTF-8

format=${1:-}
header=${2:-$(dirname "${BASH_SOURCE[0]}")/handoff.h}
case "$format" in shell | nsis) ;; *) echo "usage: $0 shell|nsis [header]" >&2; exit 2 ;; esac

die() { echo "handoff_values.sh: $header: $*" >&2; exit 1; }

text_re='^inline constexpr char (k[A-Za-z0-9]+)\[\] = "(([^"\\]|\\.)*)";[[:space:]]*(//.*)?$'
number_re='^inline constexpr int (k[A-Za-z0-9]+) = (-?[0-9]+);[[:space:]]*(//.*)?$'
count=0
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in 'inline constexpr char '* | 'inline constexpr int '*) ;; *) continue ;; esac
  if [[ $line =~ $text_re ]]; then
    name=${BASH_REMATCH[1]} value=${BASH_REMATCH[2]} kind=text
    rest=${value//\\\\/}
    rest=${rest//\\\"/}
    [[ $rest == *\\* ]] && die "only \\\\ and \\\" are understood in: $line"
    value=${value//\\\\/\\}
    value=${value//\\\"/\"}
  elif [[ $line =~ $number_re ]]; then
    name=${BASH_REMATCH[1]} value=${BASH_REMATCH[2]} kind=number
  else
    die "not a one-line value: $line"
  fi
  var=QV_$(sed -E 's/^k//; s/([a-z0-9])([A-Z])/\1_\2/g' <<<"$name" | tr a-z A-Z)
  if [ "$format" = shell ]; then
    printf "%s='%s'\n" "$var" "${value//\'/\'\\\'\'}"
  elif [ "$kind" = number ]; then
    printf '!define %s %s\n' "$var" "$value"
  else
    value=${value//\$/\$\$}
    printf '!define %s "%s"\n' "$var" "${value//\"/\$\\\"}"
  fi
  count=$((count + 1))
done <"$header"
[ "$count" -gt 0 ] || die "no values found"
