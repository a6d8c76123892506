#!/bin/sh
# What ctest, and the listing of each Windows test program's tests, runs the programs with:
# Wine in a prefix of the project's own, never the user's default one. A prefix that
# tools/setup prepared (tools/test's, tools/show's, tools/bench's) is kept; any other, or
# none, gives way to the one named first here (the build's test prefix, tools/test's).
#   wine_emulator.sh <the project's prefix> <program> [arguments...]
prefix=$1
shift
if [ -z "${WINEPREFIX:-}" ] || [ ! -f "$WINEPREFIX/.qv-ready" ]; then
  WINEPREFIX=$prefix
  export WINEPREFIX
fi
# As tools/lib/common.sh: no debug output, no prompts to install .NET or a browser engine.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
