# Sourced by the terminal tests: runs the host program in a tmux server of its own for each run
# (a server being shut down cannot take a new session), and waits for what the screen shows.
# The sourcing script sets `work` (a temporary folder, removed at exit) and `session_name`.
run=0
socket() { echo "$session_name-$$-$run"; }
tmux_() { tmux -L "$(socket)" -f /dev/null "$@"; }
cleanup() {
  local last=$run
  for ((run = 1; run <= last; run++)); do
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

# Starts COMMAND (a shell line) on a 100 x 30 terminal; its exit status goes to $work/exit, and
# the line "(ended)" follows its output, where the shell's next output would go.
start_run() {
  rm -f "$work/exit"
  tmux_ kill-server 2>/dev/null || true
  run=$((run + 1))
  tmux_ new-session -d -x 100 -y 30 "TERM=xterm $1; echo \$? > '$work/exit'; echo '(ended)'; sleep 30"
}

wait_for_exit() {
  for _ in $(seq 300); do
    [ -s "$work/exit" ] && return 0
    sleep 0.1
  done
  fail "the program did not finish"
}
