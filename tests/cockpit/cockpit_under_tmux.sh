#!/usr/bin/env bash
# The live cockpit driven as a pilot would, in an 80x24 tmux terminal: full throttle and the
# gear key change what the panel shows, an input box is answered by typing, and quitting saves
# the state. Usage: cockpit_under_tmux.sh VANTOR_SIM EXAMPLE_ROOT
set -euo pipefail
sim=$1
root=$2
work=$(mktemp -d)
server="vantor-cockpit-$$"
cleanup() {
  tmux -L "$server" kill-server 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $1"
  echo "--- screen ---"
  tmux -L "$server" capture-pane -p 2>/dev/null || true
  exit 1
}

# Waits up to 10 s for the screen to match the extended regular expression.
wait_for() {
  for _ in $(seq 100); do
    if tmux -L "$server" capture-pane -p 2>/dev/null | grep -Eq -- "$1"; then
      return 0
    fi
    sleep 0.1
  done
  fail "the screen never showed /$1/"
}

# Not a terminal: one clear line and a failure.
if message=$("$sim" fly --interactive </dev/null 2>&1); then
  fail "--interactive ran without a terminal"
fi
[ "$(printf '%s\n' "$message" | wc -l)" = 1 ] || fail "more than one line: $message"
printf '%s\n' "$message" | grep -q "needs a terminal" || fail "unclear message: $message"

tmux -L "$server" new-session -d -x 80 -y 24 \
  "TERM=screen '$sim' fly --interactive '$root/Scenarios/Runway.scn' --save '$work/live.scn' \
   2> '$work/errors.txt'"
wait_for "THR +0 %"
wait_for "Gear +1\.00"

# The flight starts paused: the clock stands; the time keys step through the accelerations.
wait_for "PAUSED"
paused_at=$(tmux -L "$server" capture-pane -p | head -1)
sleep 0.5
[ "$(tmux -L "$server" capture-pane -p | head -1)" = "$paused_at" ] || fail "time ran while paused"
tmux -L "$server" send-keys '*' '*'
wait_for "time x5 +PAUSED"
tmux -L "$server" send-keys / / C-p
wait_for "time x1 *$"

# A capital reaches the aircraft with Shift held, which the aircraft ignores.
tmux -L "$server" send-keys K
wait_for "key shift\+k"
sleep 0.5  # a canopy that had started to open would show 0.10 by now
wait_for "Canopy +0\.00"

tmux -L "$server" send-keys PPage g
wait_for "THR 100 %"
wait_for "Gear +0\.[0-9]+"

tmux -L "$server" send-keys 8
wait_for "Altitude in Metres: _"
tmux -L "$server" send-keys 2 5 0 0
wait_for "Altitude in Metres: 2500_"
tmux -L "$server" send-keys Enter
wait_for "Altitude in Metres: 2500$"

tmux -L "$server" send-keys C-c
for _ in $(seq 100); do
  [ -f "$work/live.scn" ] && ! tmux -L "$server" has-session 2>/dev/null && break
  sleep 0.1
done
[ -f "$work/live.scn" ] || fail "no scenario saved on quit"
grep -q "^THROTTLE 1.000000" "$work/live.scn" || fail "throttle not saved: $(cat "$work/live.scn")"
grep -q "^ALTITUDE 2500" "$work/live.scn" || fail "altitude target not saved"
grep -q "^SEQ 0 -1" "$work/live.scn" || fail "gear not moving up in the saved scenario"
echo "cockpit under tmux: ok"
