#!/usr/bin/env bash
# A person at a terminal runs `qarntash-host hmrc-options`, ticks two areas and presses Enter;
# the screen shows what they ticked and the file keeps it. A second run shows the saved ticks,
# and Esc leaves the file as it was. Runs the program inside its own tmux server.
#   terminal_form_test.sh HOST_PROGRAM [SCREEN_CAPTURE_FILE]
set -euo pipefail

host=$1
capture_file=${2:-}
work=$(mktemp -d)
# Each run has a tmux server of its own: a server being shut down cannot take a new session.
run=0
socket() { echo "qarntash-form-test-$$-$run"; }
tmux_() { tmux -L "$(socket)" -f /dev/null "$@"; }
cleanup() {
  for ((run = 1; run <= 2; run++)); do
    tmux_ kill-server 2>/dev/null || true
    rm -f "${TMUX_TMPDIR:-/tmp}/tmux-$(id -u)/$(socket)"
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; echo "--- screen ---"; tmux_ capture-pane -p || true; exit 1; }

# Waits until the screen shows `text` (at most 30 s: the machine may be busy).
wait_for() {
  for _ in $(seq 300); do
    if tmux_ capture-pane -p | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  fail "the screen never showed: $1"
}

run_host() {
  rm -f "$work/exit"
  tmux_ kill-server 2>/dev/null || true
  run=$((run + 1))
  tmux_ new-session -d -x 100 -y 30 \
    "TERM=xterm '$host' hmrc-options --file '$work/hmrc.json'; echo \$? > '$work/exit'; sleep 30"
  wait_for "Retrieve HMRC Data Practice Options"
}

wait_for_exit() {
  for _ in $(seq 300); do
    [ -s "$work/exit" ] && return 0
    sleep 0.1
  done
  fail "the program did not finish"
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
