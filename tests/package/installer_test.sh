#!/usr/bin/env bash
# The installer under Wine, silently: it puts both programs into the user's own programs folder
# byte for byte and registers its uninstaller for that user; it stops while Quorvale runs; the
# uninstaller removes the files, its folder and the entry, and forgets the chosen saver only if
# it is ours. An earlier copy in the system folder (from versions that installed there) stays,
# but where it was the chosen saver the new copy is chosen instead.
# Runs in the Wine environment of tools/test (WINEPREFIX, DISPLAY) and leaves the prefix as it
# found it, earlier Quorvale installations included.
#   installer_test.sh <dist folder> <titled_window.exe> <work folder>
set -uo pipefail
[ $# = 3 ] || { echo "usage: $0 <dist> <titled_window.exe> <work>" >&2; exit 2; }
dist=$1 helper=$2 work=$3
: "${WINEPREFIX:?needs the Wine environment of tools/test}"
: "${DISPLAY:?needs a display (the stand-in window)}"
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/lib/common.sh"  # the renderer's window title

sys32=$WINEPREFIX/drive_c/windows/system32
temp_root=$WINEPREFIX/drive_c/users
uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvale'
all_users_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvale'
desktop_key='HKCU\Control Panel\Desktop'
session_key='HKLM\System\CurrentControlSet\Control\Session Manager'

rm -rf "$work"; mkdir -p "$work/saved"
log=$work/wine.log
# The user's own programs folder, as Windows names it and as a Unix path.
local_appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>>"$log" </dev/null | tr -d '\r')
[[ $local_appdata =~ ^[A-Za-z]:\\ ]] || { echo "FAIL: no %LOCALAPPDATA% ($local_appdata)"; exit 1; }
inst_win="$local_appdata\Programs\Quorvale"
instdir=$(wine winepath -u "$inst_win" 2>>"$log")
programs=$(dirname "$instdir")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

# --- registry helpers (reg.exe prints "    Name    REG_TYPE    data")
reg_value() {  # key name -> data; fails when the value is absent
  wine reg query "$1" /v "$2" 2>>"$log" | tr -d '\r' | awk -v n="$2" '
    $1 == n && $2 ~ /^REG_/ { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]*/, ""); print; found = 1 }
    END { exit !found }'
}
reg_has_key() { wine reg query "$1" >/dev/null 2>>"$log"; }
reg_set() { wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>>"$log"; }
reg_del_value() { wine reg delete "$1" /v "$2" /f >/dev/null 2>>"$log"; true; }

# --- Wine processes of this prefix whose command line holds a text (the uninstaller goes on
# in a copy of itself in Temp after the started one has returned)
prefix_processes() {
  local p
  for p in /proc/[0-9]*; do
    tr '\0' ' ' <"$p/cmdline" 2>/dev/null | grep -qF -- "$1" || continue
    tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    echo "${p#/proc/}"
  done
}
wait_for_uninstaller() {
  for _ in $(seq 1 600); do
    [ -z "$(prefix_processes '\Un.exe')" ] && return 0
    sleep 0.1
  done
  return 1
}
run_uninstaller() {  # the way Add/Remove Programs does, silent
  local cmd
  cmd=$(reg_value "$uninst_key" QuietUninstallString) || { fail "no QuietUninstallString"; return 1; }
  [[ $cmd =~ ^\"([^\"]+)\"[[:space:]]*(.*)$ ]] || { fail "unquoted uninstaller path: $cmd"; return 1; }
  # shellcheck disable=SC2086 # the switches after the quoted path are separate words
  wine "${BASH_REMATCH[1]}" ${BASH_REMATCH[2]} >>"$log" 2>&1 || fail "uninstaller did not start ($cmd)"
  wait_for_uninstaller || fail "uninstaller still running after a minute"
}

# --- remember what the prefix holds, and put it back at the end
find "$WINEPREFIX/drive_c" -xdev 2>/dev/null | sort >"$work/before.list"
for f in Quorvale.scr $QV_RENDERER_PROGRAM_FILE_NAME; do [ -f "$sys32/$f" ] && cp -p "$sys32/$f" "$work/saved/"; done
[ -d "$instdir" ] && cp -a "$instdir" "$work/saved/instdir"
[ -d "$programs" ] && had_programs=1 || had_programs=0
remember() {  # key value-or-"" tag: exports the key when what is looked at exists
  local present
  if [ -n "$2" ]; then reg_value "$1" "$2" >/dev/null && present=1 || present=0
  else reg_has_key "$1" && present=1 || present=0; fi
  echo $present >"$work/saved/$3.present"
  [ $present = 1 ] && wine reg export "$1" "$(winpath "$work/saved/$3.reg")" /y >>"$log" 2>&1
  true
}
put_back() {  # key value-or-"" tag
  if [ -n "$2" ]; then reg_del_value "$1" "$2"
  else wine reg delete "$1" /f >/dev/null 2>>"$log"; fi
  [ "$(cat "$work/saved/$3.present")" = 1 ] &&
    wine reg import "$(winpath "$work/saved/$3.reg")" >>"$log" 2>&1
  true
}
remember "$uninst_key" "" uninst
remember "$all_users_key" "" all_users
remember "$desktop_key" SCRNSAVE.EXE saver
remember "$session_key" PendingFileRenameOperations pending

helper_pid=""
restored=0
restore() {
  [ $restored = 1 ] && return; restored=1
  if [ -n "$helper_pid" ]; then touch "$work/stop"; wait "$helper_pid" 2>/dev/null; fi
  wait_for_uninstaller
  rm -f "$sys32/Quorvale.scr" "$sys32/$QV_RENDERER_PROGRAM_FILE_NAME"; rm -rf "$instdir"
  for f in Quorvale.scr $QV_RENDERER_PROGRAM_FILE_NAME; do [ -f "$work/saved/$f" ] && cp -p "$work/saved/$f" "$sys32/"; done
  [ -d "$work/saved/instdir" ] && cp -a "$work/saved/instdir" "$instdir"
  [ $had_programs = 1 ] || rmdir "$programs" 2>/dev/null
  put_back "$uninst_key" "" uninst
  put_back "$all_users_key" "" all_users
  put_back "$desktop_key" SCRNSAVE.EXE saver
  # The uninstaller's copy of itself in Temp, left to be deleted at the next restart.
  put_back "$session_key" PendingFileRenameOperations pending
  find "$temp_root" -maxdepth 4 -type d -name '~nsu*.tmp' | while read -r d; do
    grep -qxF "$d" "$work/before.list" || rm -rf "$d"
  done
}
trap restore EXIT

# --- the installer, from this build's programs
setup=$work/Quorvale-setup.exe
"$root/installer/make_installer.sh" "$dist" "$setup" || { echo "FAIL: installer not built"; exit 1; }
version=$("$root/installer/version.sh")

installed_as_dist() {
  cmp -s "$dist/Quorvale.scr" "$instdir/Quorvale.scr" && cmp -s "$dist/$QV_RENDERER_PROGRAM_FILE_NAME" "$instdir/$QV_RENDERER_PROGRAM_FILE_NAME"
}
nothing_installed() {
  [ ! -e "$instdir" ] && ! reg_has_key "$uninst_key"
}
entry_is() { [ "$(reg_value "$uninst_key" "$1")" = "$2" ]; }
no_entry_for_all_users() {
  reg_has_key "$all_users_key" && now=1 || now=0
  [ $now = "$(cat "$work/saved/all_users.present")" ]
}
system_copy_untouched() {
  [ "$(cat "$sys32/Quorvale.scr")" = 'MZ system' ] && [ "$(cat "$sys32/$QV_RENDERER_PROGRAM_FILE_NAME")" = 'MZ system' ]
}
chosen_saver() { reg_value "$desktop_key" SCRNSAVE.EXE; }
chosen_saver_is() { [ "$(chosen_saver | tr '[:upper:]' '[:lower:]')" = "$(tr '[:upper:]' '[:lower:]' <<<"$1")" ]; }

# 1. Over an older copy of its own, beside an earlier one in the system folder (as versions
# that installed there left it), with another saver chosen.
mkdir -p "$instdir"; printf 'MZ old' >"$instdir/Quorvale.scr"; printf 'MZ old' >"$instdir/$QV_RENDERER_PROGRAM_FILE_NAME"
printf 'MZ system' >"$sys32/Quorvale.scr"; printf 'MZ system' >"$sys32/$QV_RENDERER_PROGRAM_FILE_NAME"
reg_set "$desktop_key" SCRNSAVE.EXE 'C:\windows\system32\other.scr'
wine "$setup" /S >>"$log" 2>&1; rc=$?
check "installer exits with 0" [ $rc = 0 ]
check "both programs in the user's programs folder, identical to dist" installed_as_dist
check "DisplayName" entry_is DisplayName Quorvale
check "DisplayVersion $version" entry_is DisplayVersion "$version"
check "Publisher" entry_is Publisher "the Quorvale developers"
check "DisplayIcon is the saver" entry_is DisplayIcon "$inst_win\Quorvale.scr,0"
check "UninstallString names the uninstaller" entry_is UninstallString "\"$inst_win\Uninstall.exe\""
check "uninstaller in place" [ -f "$instdir/Uninstall.exe" ]
check "no entry for all users" no_entry_for_all_users
check "the system folder's copy is left alone" system_copy_untouched
check "another chosen saver stays chosen" chosen_saver_is 'C:\windows\system32\other.scr'

# 2. While a show runs, neither the installer nor the uninstaller touches anything.
wine "$helper" "$QV_RENDERER_WINDOW_TITLE" "$(winpath "$work/ready")" "$(winpath "$work/stop")" >>"$log" 2>&1 &
helper_pid=$!
for _ in $(seq 1 300); do [ -e "$work/ready" ] && break; sleep 0.1; done
if [ -e "$work/ready" ]; then
  wine "$setup" /S >>"$log" 2>&1; rc=$?
  check "installer during a show fails (exit code 2, got $rc)" [ $rc = 2 ]
  run_uninstaller
  check "uninstall during a show keeps the programs" installed_as_dist
  check "uninstall during a show keeps the entry" reg_has_key "$uninst_key"
else
  fail "stand-in show window did not start"
fi
touch "$work/stop"; wait "$helper_pid" 2>/dev/null; helper_pid=""

# 3. Uninstall: everything goes, another chosen saver and the system folder's copy stay.
run_uninstaller
check "uninstall removes programs, uninstaller folder and entry" nothing_installed
check "uninstall keeps another chosen saver" chosen_saver_is 'C:\windows\system32\other.scr'
check "uninstall leaves the system folder's copy alone" system_copy_untouched

# 4. With the system folder's copy chosen, the new one takes its place; uninstalling it then
# forgets the choice.
reg_set "$desktop_key" SCRNSAVE.EXE 'C:\windows\system32\Quorvale.scr'
wine "$setup" /S >>"$log" 2>&1 || fail "second install"
check "the new copy is chosen instead of the system folder's (got $(chosen_saver))" \
  chosen_saver_is "$inst_win\Quorvale.scr"
check "the system folder's copy is still left alone" system_copy_untouched
run_uninstaller
check "second uninstall removes everything" nothing_installed
saver_unset() { ! reg_value "$desktop_key" SCRNSAVE.EXE >/dev/null; }
check "uninstall forgets Quorvale as the chosen saver" saver_unset

# 5. The prefix is as it was.
restore
find "$WINEPREFIX/drive_c" -xdev 2>/dev/null | sort >"$work/after.list"
check "prefix files as before" diff "$work/before.list" "$work/after.list"
no_new_pending() {
  [ "$(cat "$work/saved/pending.present")" = 1 ] ||
    ! reg_value "$session_key" PendingFileRenameOperations >/dev/null
}
check "no pending deletion left behind" no_new_pending

if [ $failures = 0 ]; then echo "all installer checks passed"; exit 0; fi
echo "$failures installer check(s) failed (Wine output: $log)"; exit 1
