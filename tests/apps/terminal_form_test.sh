#!/usr/bin/env bash
# A person at a terminal runs `qarntash-host hmrc-options`, ticks two areas and presses Enter;
# the screen shows what they ticked and the file keeps it. A second run shows the saved ticks,
# and Esc leaves the file as it was. Runs the program inside its own tmux server.
#   terminal_form_test.sh HOST_PROGRAM [SCREEN_CAPTURE_FILE]
set -euo pipefail

host=$1
capture_file=${2:-}
work=$(mktemp -d)
session_name=qarntash-form-test
source "$(dirname "$0")/terminal_session.sh"

run_host() {
  start_run "'$host' hmrc-options --file '$work/hmrc.json'"
  wait_for "Retrieve HMRC Data Practice Options"
}

# First run: tick Class 2 National Insurance and Employment Benefits, then OK.
run_host
wait_for "[ ] Class 2 National Insurance"
tmux_ send-keys Space Tab Tab Space
wait_for "[x] Employment Benefits"
screen=$(tmux_ capture-pane -p)
grep -qF "[x] Class 2 National Insurance" <<<"$screen" || fail "Class 2 is not ticked"
grep -qF "[ ] Marriage Allowance" <<<"$screen" || fail "Marriage Allowance was ticked"
if [ -n "$capture_file" ]; then printf '%s\n' "$screen" > "$capture_file"; fi
tmux_ send-keys Enter
wait_for_exit
[ "$(cat "$work/exit")" = 0 ] || fail "the program failed"
wait_for "Saved $work/hmrc.json: class2_national_insurance employment_benefits"
grep -q '"class2_national_insurance": true' "$work/hmrc.json" || fail "Class 2 not saved"
grep -q '"employment_benefits": true' "$work/hmrc.json" || fail "Employment Benefits not saved"
grep -q '"tax": false' "$work/hmrc.json" || fail "Tax saved as ticked"
cp "$work/hmrc.json" "$work/saved.json"

# Second run: the saved ticks show; a change then Esc (and Yes to abandon it) saves nothing.
run_host
wait_for "[x] Employment Benefits"
tmux_ send-keys Tab Space
wait_for "[x] Marriage Allowance"
tmux_ send-keys Escape
wait_for "Abandon the changes made on this screen?"
tmux_ send-keys y
wait_for_exit
wait_for "Cancelled; $work/hmrc.json is unchanged"
cmp -s "$work/hmrc.json" "$work/saved.json" || fail "Cancel changed the file"
echo "PASS"
