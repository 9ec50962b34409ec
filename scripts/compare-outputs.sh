#!/bin/sh
# Flies the examples with two builds of vantor-sim and compares everything a user sees: the
# printed status lines, host logs, traces and saved scenarios, with and without physics, plus
# the class set-up logs of every example aircraft. For changes that must not change a byte.
#
#   scripts/compare-outputs.sh OLD_SIM NEW_SIM [SECONDS]
#
# Each build flies with the module built beside it. Exits non-zero when anything differs.
set -eu

old=$(realpath "$1")
new=$(realpath "$2")
seconds=${3:-300}
examples=$(realpath "$(dirname "$0")/../examples")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every run happens in the same folder, so that paths printed by the program are equal.
run_all() {
  sim=$1
  out=$2
  mkdir -p "$out"
  for aircraft in "$examples"/Config/Aircraft/*.ini; do
    name=$(basename "$aircraft" .ini)
    "$sim" setup "$name" >"$out/setup-$name.log" 2>&1
  done
  for scenario in "$examples"/Scenarios/*.scn; do
    name=$(basename "$scenario" .scn)
    for mode in physics no-physics; do
      flag=""
      [ "$mode" = no-physics ] && flag=--no-physics
      rm -rf "$work/run" && mkdir "$work/run"
      (cd "$work/run" && "$sim" fly "$scenario" --duration "$seconds" --status-every 0 $flag \
        --host-log host.log --trace trace.csv --save saved.scn >stdout.txt 2>&1) || true
      for file in host.log trace.csv saved.scn stdout.txt; do
        mv "$work/run/$file" "$out/$name-$mode-$file" 2>/dev/null || true
      done
    done
  done
  # Keys and input boxes: brakes, the autopilot and its boxes, skipping a waypoint.
  rm -rf "$work/run" && mkdir "$work/run"
  (cd "$work/run" && "$sim" fly "$examples/Scenarios/Runway.scn" --duration 60 --status-every 0 \
    --key 1:b --key 2:b --key 3:1 --key 4:8 --input 4:2500 --key 5:7 --input 5:45 \
    --host-log host.log --save saved.scn >stdout.txt 2>&1) || true
  (cd "$work/run" && "$sim" fly "$examples/Scenarios/Airborne.scn" --duration 120 \
    --status-every 0 --key 10:s --key 20:9 --input 20:-15 --key 30:j --key 40:2 \
    --host-log host2.log --save saved2.scn >stdout2.txt 2>&1) || true
  # Hand flying: the autopilot switched off, the pilot on every surface and the throttle.
  (cd "$work/run" && "$sim" fly "$examples/Scenarios/Airborne.scn" --duration 60 \
    --status-every 0 --key 0:1 --control 0:throttle=0.8 --control 5:aileron=0.3 \
    --control 10:elevator=-0.2 --control 15:rudder=0.4 --control 20:trim=0.1 \
    --control 25:aileron=0 --host-log host3.log --trace trace3.csv --save saved3.scn \
    >stdout3.txt 2>&1) || true
  for file in host.log saved.scn stdout.txt host2.log saved2.scn stdout2.txt host3.log \
    trace3.csv saved3.scn stdout3.txt; do
    mv "$work/run/$file" "$out/keys-$file" 2>/dev/null || true
  done
  # The example as `make fly` flies it.
  rm -rf "$work/run" && mkdir "$work/run"
  (cd "$work/run" && "$sim" fly --trace trace.csv --save saved.scn >stdout.txt 2>&1) || true
  for file in trace.csv saved.scn stdout.txt; do
    mv "$work/run/$file" "$out/example-$file" 2>/dev/null || true
  done
}

run_all "$old" "$work/old"
run_all "$new" "$work/new"
if diff -r "$work/old" "$work/new" >"$work/diff.txt"; then
  echo "identical: $(ls "$work/old" | wc -l) files, $(cat "$work"/old/* | wc -c) bytes"
else
  head -40 "$work/diff.txt"
  exit 1
fi
