#!/usr/bin/env bash
# Started where no desktop can be reached, the program ends at once with exit code 1 and one line saying
# why, whatever the environment points at.
#   no_display.sh PROGRAM
set -uo pipefail
program=$1
failures=0
# In a sanitizer build, leaks inside the system's libraries are theirs; the program's own still count.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../support/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

expect_one_line() {
  local label=$1 pattern=$2
  shift 2
  local out rc
  out=$(timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$@" "$program" 2>&1)
  rc=$?
  if [ "$rc" != 1 ] || [ "$(printf '%s\n' "$out" | wc -l)" != 1 ] || [[ "$out" != $pattern ]]; then
    echo "$label: exit code $rc, output:"
    printf '%s\n' "$out"
    failures=$((failures + 1))
  fi
}

expect_one_line "no display set" "*: no display to open a window on: neither DISPLAY nor WAYLAND_DISPLAY is set"
expect_one_line "an X display that is not there" "*: no display to open a window on: *" DISPLAY=:97 XDG_RUNTIME_DIR=
expect_one_line "a Wayland socket that is not there" "*: no display to open a window on: *" \
  WAYLAND_DISPLAY=oxbyte-nowhere XDG_RUNTIME_DIR=/tmp
exit $((failures > 0))
