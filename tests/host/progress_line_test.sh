#!/bin/sh
# The progress line of postsift-filter: on a terminal, after the first few
# messages, never in the spoken text, and silenced by --quiet. script(1)
# gives the program a terminal for its standard error.
# Usage: progress_line_test.sh PROGRAM TEST_PLUGIN WORK_FOLDER
set -u
program=$1
plugin=$2
work=$3
command -v script >/dev/null || { echo "script(1) is missing: skipped"; exit 77; }
mkdir -p "$work" || exit 1
failures=0
check() {  # check DESCRIPTION COMMAND...
  description=$1
  shift
  if "$@"; then :; else echo "FAILED: $description"; failures=$((failures + 1)); fi
}
has() { grep -q "$2" "$1"; }
lacks() { ! grep -q "$2" "$1"; }

mailbox() {  # mailbox FILE COUNT
  : >"$1"
  i=1
  while [ "$i" -le "$2" ]; do
    printf 'From x@example.org Thu Mar  7 09:00:00 2024\nmessage %s\n\n' "$i" >>"$1"
    i=$((i + 1))
  done
}
on_terminal() {  # on_terminal NAME OPTIONS...: stdout to NAME.out, the terminal to NAME.tty
  name=$1
  shift
  script -qec "'$program' --plugin '$plugin' $* > '$work/$name.out'" /dev/null >"$work/$name.tty" 2>&1
}

mailbox "$work/eight.mbox" 8
mailbox "$work/three.mbox" 3

on_terminal many --mbox "'$work/eight.mbox'"
check "a progress line for eight messages" has "$work/many.tty" "messages filtered"
check "the spoken text has no progress line" lacks "$work/many.out" "filtered"
check "the spoken text has every message" has "$work/many.out" "message 8"

on_terminal quiet --quiet --mbox "'$work/eight.mbox'"
check "--quiet silences the progress line" lacks "$work/quiet.tty" "filtered"

on_terminal few --mbox "'$work/three.mbox'"
check "no progress line for three messages" lacks "$work/few.tty" "filtered"

[ "$failures" -eq 0 ] && echo "progress line: all checks passed"
exit "$failures"
