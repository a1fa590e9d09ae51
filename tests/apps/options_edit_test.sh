#!/usr/bin/env bash
# A person at a terminal runs `qarntash-host options computation edit` on a demo practice: the
# personal tax program's screen shows the practice's values and the employment lock; they tick
# the date stamp, choose Final and press Enter, and the practice keeps it. The business tax
# program's screen shows the suppress ticks instead of the lock, and Esc saves nothing.
# Runs the program inside its own tmux server.
#   options_edit_test.sh HOST_PROGRAM
set -euo pipefail

host=$1
work=$(mktemp -d)
# Each run has a tmux server of its own, so a run never meets the previous one shutting down.
run=0
tmux_() { tmux -L "qarntash-options-test-$$-$run" -f /dev/null "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; echo "--- screen ---"; tmux_ capture-pane -p || true; exit 1; }

# Waits until the screen shows `text` (at most 30 s: the machine may be busy).
wait_for() {
  for _ in $(seq 300); do
    if tmux_ capture-pane -p | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  fail "the screen never showed: $1"
}

run_edit() {
  rm -f "$work/exit"
  tmux_ kill-server 2>/dev/null || true
  run=$((run + 1))
  tmux_ new-session -d -x 100 -y 30 \
    "TERM=xterm '$host' options computation edit --data '$work/practice' --product $1; echo \$? > '$work/exit'; sleep 30"
  wait_for "Computation Options"
}

wait_for_exit() {
  for _ in $(seq 300); do
    [ -s "$work/exit" ] && return 0
    sleep 0.1
  done
  fail "the program did not finish"
}

"$host" demo-practice "$work/practice" >/dev/null

# The personal tax program: the practice's values, the lock shown, the suppress ticks hidden.
run_edit RUVO
wait_for "[ ] Date and time stamp on all computations"
screen=$(tmux_ capture-pane -p)
grep -qF "(*) Interim" <<<"$screen" || fail "the practice's status (interim) is not chosen"
grep -qF "[x] Lock the employment section" <<<"$screen" || fail "the employment lock is not shown ticked"
grep -qF "Suppress Agent details" <<<"$screen" && fail "the personal tax program sees the suppress ticks"
tmux_ send-keys Space Tab Space
wait_for "(*) Final"
wait_for "[x] Date and time stamp on all computations"
tmux_ send-keys Enter
wait_for_exit
[ "$(cat "$work/exit")" = 0 ] || fail "the program failed"
wait_for "date-time-stamp: yes"
shown=$("$host" options computation show --data "$work/practice")
grep -qx "status: final" <<<"$shown" || fail "Final was not saved: $shown"
grep -qx "date-time-stamp: yes" <<<"$shown" || fail "the date stamp was not saved: $shown"
grep -qx "suppress-agent-details: yes" <<<"$shown" || fail "a hidden tick changed: $shown"

# The business tax program: the suppress ticks instead of the lock; Esc leaves the practice as it was.
run_edit ZORVBTAX
wait_for "[x] Suppress Agent details"
tmux_ capture-pane -p | grep -qF "Lock the employment section" && fail "the business tax program sees the lock"
tmux_ send-keys Escape
wait_for_exit
wait_for "Cancelled; nothing was saved"
[ "$("$host" options computation show --data "$work/practice")" = "$shown" ] || fail "Cancel changed the options"
echo "PASS"
