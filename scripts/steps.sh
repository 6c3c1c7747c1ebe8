# shellcheck shell=bash
# Sourced by the scripts whose steps are long (the demo, the tests, the
# release, the guest). bash acts on a TERM only between commands, so a step
# run in the foreground held a TERM until it ended. run_step runs one in the
# background, in a process group of its own, and waits for it; stop_step,
# called from a script's trap, ends that group: TERM, then KILL after a grace
# of step_grace tenths of a second (50 unless the script sets it), and waits
# for it.
step_pid= step_grace=50
run_step() {
  local status=0
  setsid "$@" &
  step_pid=$!
  wait "$step_pid" || status=$?
  step_pid=
  return "$status"
}
stop_step() {
  [ -n "$step_pid" ] || return 0
  kill -TERM -- "-$step_pid" 2>/dev/null || true
  for _ in $(seq "$step_grace"); do
    kill -0 -- "-$step_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL -- "-$step_pid" 2>/dev/null || true
  wait "$step_pid" 2>/dev/null || true
  step_pid=
}
