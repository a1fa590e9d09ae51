#!/usr/bin/env bash
# A person at a terminal runs `qarntash-host options computation edit` on a demo practice: the
# personal tax program's screen shows the practice's values and the employment lock; they tick
# the date stamp, choose Final and press Enter, and the practice keeps it. The business tax
# program's screen shows the suppress ticks instead of the lock, and Esc saves nothing. The tax
# return screen keeps a tight group's radio buttons inside its borders.
# Runs the program inside its own tmux server.
#   options_edit_test.sh HOST_PROGRAM
set -euo pipefail

host=$1
work=$(mktemp -d)
session_name=qarntash-options-test
source "$(dirname "$0")/terminal_session.sh"

run_edit() {
  start_run "'$host' options computation edit --data '$work/practice' --product $1"
  wait_for "Computation Options"
}

"$host" demo-practice "$work/practice" >/dev/null

# The personal tax program: the practice's values, the lock shown, the suppress ticks hidden.
run_edit RUVO
wait_for "[ ] Date and time stamp on all computations"
screen=$(tmux_ capture-pane -p)
grep -qF "(*) Interim" <<<"$screen" || fail "the practice's status (interim) is not chosen"
grep -qF "[x] Lock the employment section" <<<"$screen" || fail "the employment lock is not shown ticked"
grep -qF "Suppress Agent details" <<<"$screen" && fail "the personal tax program sees the suppress ticks"
tmux_ send-keys Space Right Space  # the arrows move between ticks and radio buttons too
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
wait_for "(ended)"
# What the program printed after its screen closed stays where it was printed, above what follows.
after=$(tmux_ capture-pane -p | grep -v '^$')
[ "$(head -1 <<<"$after")" = "Cancelled; nothing was saved:" ] || fail "the program's last words were overwritten"
[ "$(tail -1 <<<"$after")" = "(ended)" ] || fail "the cursor did not stay below the program's output"
[ "$("$host" options computation show --data "$work/practice")" = "$shown" ] || fail "Cancel changed the options"
# A group as tight as its one row of radio buttons keeps them inside its borders.
start_run "'$host' options tax-return edit --data '$work/practice'"
wait_for "Tax Return Options"
tmux_ capture-pane -p | grep -qE '^\|  \| \( \) Client ID +\(\*\) Client UTR' || fail "the radio buttons are drawn over a border"
tmux_ send-keys Escape
wait_for_exit
echo "PASS"
