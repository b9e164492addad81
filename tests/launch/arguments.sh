#!/usr/bin/env bash
# The command line as a shell user meets it: --help and --version answer on standard output; any other
# option, or a second file, prints the usage on standard error and ends with status 2; "--" ends the
# options; an SDL2 that cannot be loaded is named as the reason. No display is reachable, so a command
# line that is accepted ends with status 1 and one line about the display.
#   arguments.sh PROGRAM FOLDER-WITH-A-BROKEN-LIBSDL2
set -uo pipefail
program=$1
broken_sdl=$2
failures=0
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../support/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# expect LABEL STATUS STDOUT-PATTERN STDERR-PATTERN [ENV=VALUE...] -- ARGUMENTS...
expect() {
  local label=$1 status=$2 out_pattern=$3 err_pattern=$4
  shift 4
  local settings=()
  while [ "$1" != -- ]; do settings+=("$1"); shift; done
  shift
  local out err rc
  err=$(mktemp)
  out=$(timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${settings[@]}" "$program" "$@" 2>"$err")
  rc=$?
  if [ "$rc" != "$status" ] || [[ "$out" != $out_pattern ]] || [[ "$(cat "$err")" != $err_pattern ]]; then
    echo "$label: exit status $rc; standard output:"
    printf '%s\n' "$out"
    echo "standard error:"
    cat "$err"
    failures=$((failures + 1))
  fi
  rm -f "$err"
}

display="*: no display to open a window on: neither DISPLAY nor WAYLAND_DISPLAY is set"
expect "--help" 0 "Usage: *" "" -- --help
expect "--version" 0 "Oxbyte [0-9]*.[0-9]*" "" -- --version
expect "an unknown option" 2 "" "Usage: *" -- --bogus
expect "an option after the file" 2 "" "Usage: *" -- file.bin -x
expect "--help beside a file" 2 "" "Usage: *" -- --help file.bin
expect "two files" 2 "" "Usage: *" -- one.bin two.bin
expect "two files after --" 2 "" "Usage: *" -- -- one.bin two.bin
expect "a file named like an option, after --" 1 "" "$display" -- -- -file-
expect "one file" 1 "" "$display" -- file.bin
expect "no SDL2 to load" 1 "" "*: SDL2 could not be loaded: SDL_Init is missing" LD_LIBRARY_PATH="$broken_sdl" -- file.bin
exit $((failures > 0))
