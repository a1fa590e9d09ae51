#!/usr/bin/env bash
# A person at a terminal runs `qarntash-host uitf40 sole-trader` over the example adjustment. On
# Enter the screen asks about the low profit of 2008-09; No keeps the instalments and the report
# prints them with the override of 2007-08. A second run left with Esc prints nothing. Runs the
# program inside its own tmux server.
#   uitf40_terminal_test.sh HOST_PROGRAM EXAMPLE_FILE
set -euo pipefail

host=$1
example=$2
work=$(mktemp -d)
run=0
socket="qarntash-uitf40-test-$$-$run"
tmux_() { tmux -L "$socket" -f /dev/null "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; echo "--- screen ---"; tmux_ capture-pane -p -S -60 || true; exit 1; }

# Waits until the screen (with what scrolled off it) shows `text` (at most 30 s: the machine may be busy).
wait_for() {
  for _ in $(seq 300); do
    if tmux_ capture-pane -p -S -60 | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  fail "the screen never showed: $1"
}

# Each run has a tmux server of its own, so that one shutting down never meets the next.
run_host() {
  tmux_ kill-server 2>/dev/null || true
  run=$((run + 1))
  socket="qarntash-uitf40-test-$$-$run"
  tmux_ new-session -d -x 120 -y 45 \
    "TERM=xterm '$host' uitf40 sole-trader '$example' --output '$work/reports'; status=\$?; echo; echo \"exit \$status\"; sleep 30"
  wait_for "Amount untaxed at 5 April 2009"
}

# First run: the rows as the example gives them, then Enter, the low-profit question, and No.
run_host
screen=$(tmux_ capture-pane -p)
grep -qE "2  2007-08 +1500.00 +\[x\] +2000.00 +500.00" <<<"$screen" || fail "2007-08 does not show its override"
# Each year's label, tick and amounts stand on one line, though the template sets them a few units apart.
for row in "1  2006-07" "3  2008-09" "4  2009-10" "5  2010-11"; do
  grep -qE "$row +1500.00 +\[ \] +1500.00 +0.00" <<<"$screen" || fail "$row is not on one line"
done
grep -qE "Total UITF 40 adjustment +9000.00" <<<"$screen" || fail "the total is not beside its label"
grep -qE "Amount untaxed at 5 April 2009 +4000.00" <<<"$screen" || fail "the untaxed amount is wrong"
tmux_ send-keys Enter
wait_for "A sixth of the business profit for the period is less than the"
tmux_ send-keys n
wait_for "exit 0"
wait_for "(report written to $work/reports/"
report=$(tmux_ capture-pane -p -S -60)
grep -qE "2007-08 +£1,500.00 +£2,000.00 +£500.00" <<<"$report" || fail "the report lacks the override of 2007-08"
grep -qE "2011-12 +£1,000.00 +£1,000.00" <<<"$report" || fail "the report lacks the balance in 2011-12"
ls "$work/reports"/* >/dev/null 2>&1 || fail "no report file was written"

# Second run: Esc leaves everything as it was.
rm -rf "$work/reports"
run_host
tmux_ send-keys Escape
wait_for "adjustment is unchanged."
wait_for "exit 0"
[ ! -e "$work/reports" ] || [ -z "$(ls -A "$work/reports")" ] || fail "Cancel wrote a report"
echo "PASS"
