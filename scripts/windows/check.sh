#!/usr/bin/env bash
# Checks the Windows build under Wine against the Linux build:
#   1. aircraft.dll exports exactly the eight callbacks, undecorated, and imports nothing of the
#      host but its module face; the host's files need no DLL beyond the system's and each other;
#   2. `setup NAME` gives the same host log for every example aircraft;
#   3. `fly SCENARIO --no-physics` with scripted keys gives the same status lines, host log and
#      saved scenario for every example scenario;
#   4. the portable profile lookup agrees with the platform's on the corpus (tests/windows/corpus
#      and any folders given as arguments).
# Expects build/windows (cmake --preset windows) and build/default (make build) to be built.
# Where the kernel cannot run 32-bit programs, 2 to 4 run on the 64-bit build (built here).
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/windows/wine-env.sh

LINUX_SIM=build/default/bin/vantor-sim
OUT=build/windows/check
for f in build/windows/bin/aircraft.dll build/windows/bin/vantor.dll build/windows/bin/vantor_sim.dll \
  build/windows/bin/vantor-sim.exe build/windows/bin/profile_diff.exe "$LINUX_SIM"; do
  [ -e "$f" ] || { echo "windows check: $f is missing; build both presets first" >&2; exit 1; }
done
rm -rf "$OUT"
mkdir -p "$OUT"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# 1. The export table: the names between the name-pointer table header and the next blank line.
expected="vvcConsumeBufferedKey vvcConsumeKey vvcExit vvcInit vvcLoadStateEx vvcSaveState vvcSetClassCaps vvcTimestep"
exports=$(scripts/windows/dll-exports.sh build/windows/bin/aircraft.dll)
if [ "$exports" = "$expected" ]; then
  echo "ok: aircraft.dll exports $exports"
else
  fail "aircraft.dll exports '$exports', expected '$expected'"
fi

# The DLLs a file imports, and the names it takes from one of them.
imported_dlls() { i686-w64-mingw32-objdump -p "build/windows/bin/$1" | sed -n 's/.*DLL Name: //p'; }
imported_names() {
  i686-w64-mingw32-objdump -p "build/windows/bin/$1" |
    awk -v dll="$2" '/DLL Name:/ { inside = ($3 == dll); next } /^[[:space:]]*$/ { inside = 0 }
      inside && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print $3 }'
}
for file in aircraft.dll vantor.dll vantor_sim.dll vantor-sim.exe; do
  imports=$(imported_dlls "$file" | grep -vixE 'kernel32.dll|msvcrt.dll|vantor.dll|vantor_sim.dll' |
    tr '\n' ' ' || true)
  [ -z "$imports" ] || fail "$file needs DLLs beyond the system's: $imports"
done
# The module takes nothing from the host but its module face: VESSEL and the vapi functions of
# vantor.dll (the same rule as cmake/CheckModuleFace.cmake on Linux).
if imported_dlls aircraft.dll | grep -qix 'vantor_sim.dll'; then
  fail "aircraft.dll imports the simulation library vantor_sim.dll"
fi
face_names=$(imported_names aircraft.dll vantor.dll)
beyond=$(grep -vE '^_Z(N[KVr]*|T[VIS])6VESSEL|^_Z[0-9]+vapi' <<<"$face_names" | tr '\n' ' ' || true)
if [ -z "$face_names" ]; then
  fail "aircraft.dll imports nothing from vantor.dll"
elif [ -n "$beyond" ]; then
  fail "aircraft.dll imports from vantor.dll beyond the module face: $beyond"
else
  echo "ok: aircraft.dll takes $(wc -l <<<"$face_names") names from vantor.dll, all of the module face"
fi

select_wine
if [ "$WINE_BUILD" != windows ]; then
  echo "note: this kernel cannot run 32-bit programs (ia32 emulation is off); the Wine checks run" \
    "the 64-bit Windows build of the same sources"
  cmake --preset "$WINE_BUILD" >/dev/null
  cmake --build --preset "$WINE_BUILD"
fi
WIN_BIN="build/$WINE_BUILD/bin"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "windows check: wineboot made no prefix" >&2; exit 1; }
# Wine's services and the device drivers they start run in processes of their own, and what they
# print (a driver host that faults as it starts, on some machines) reaches the console of the
# program that started them. Started once here, under a server that outlives the pauses between
# runs (a minute; stopped on exit), they print into a log of their own, not into the outputs
# compared below. A server already running for the prefix serves as well.
services_log="$OUT/wine-services.log"
/usr/lib/wine/wineserver -p60 >>"$services_log" 2>&1 </dev/null || true
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
"$WINE" wineboot >>"$services_log" 2>&1 </dev/null || true
win_sim() { "$WINE" "$WIN_BIN/vantor-sim.exe" "$@"; }

# What a run printed, as the text to compare: Windows' console turns line ends into CR LF, and
# the lines naming the files written hold each system's own form of the path.
printed() { tr -d '\r' <"$1" | grep -vE '^(scenario|host log|summary|trace|plot): ' || true; }

# Host logs of a flight hold what the host computed with its own trigonometry, and the two C
# libraries may round that differently in the last digit. Lines must agree in every character
# outside numbers and in every number to 9 significant digits; prints the lines that do not,
# and how many agreed only that closely.
same_log() {
  awk -v other="$2" '
    function shape(text, numbers,    out, count) {
      out = ""
      count = 0
      while (match(text, /[-+]?[0-9]*\.?[0-9]+([eE][-+]?[0-9]+)?/)) {
        out = out substr(text, 1, RSTART - 1) "#"
        numbers[++count] = substr(text, RSTART, RLENGTH) + 0
        text = substr(text, RSTART + RLENGTH)
      }
      numbers[0] = count
      return out text
    }
    function magnitude(x) { return x < 0 ? -x : x }
    {
      if ((getline line < other) <= 0) { print "only in the first: " $0; bad = 1; exit }
      if ($0 == line) next
      delete a
      delete b
      if (shape($0, a) != shape(line, b)) { print FNR ": " $0 " | " line; bad = 1; next }
      for (i = 1; i <= a[0]; i++) {
        scale = magnitude(a[i]) > 1 ? magnitude(a[i]) : 1
        if (magnitude(a[i] - b[i]) > 1e-9 * scale) { print FNR ": " $0 " | " line; bad = 1; next }
      }
      close_lines++
    }
    END {
      if (!bad && (getline line < other) > 0) { print "only in the second: " line; bad = 1 }
      if (close_lines) print close_lines " lines agree to 9 digits only"
      exit bad
    }' "$1"
}

# 2. Class set-up of every example aircraft.
for ini in examples/Config/Aircraft/*.ini; do
  name=$(basename "$ini" .ini)
  "$LINUX_SIM" setup "$name" --root examples --host-log "$OUT/setup-$name.linux.log" >/dev/null
  win_sim setup "$name" --root examples --host-log "$OUT/setup-$name.windows.log" >/dev/null
  if cmp -s "$OUT/setup-$name.linux.log" "$OUT/setup-$name.windows.log"; then
    echo "ok: setup $name: same host log ($(wc -l <"$OUT/setup-$name.linux.log") lines)"
  else
    fail "setup $name: host logs differ:"
    diff "$OUT/setup-$name.linux.log" "$OUT/setup-$name.windows.log" | head -20 || true
  fi
done

# 3. Every example scenario flown without physics, with the autopilot switched on and off,
# the gear key and the brake key.
keys=(--key 0.1:1 --key 0.3:G --key 0.5:B --key 0.7:1 --key 0.9:G)
for scenario in examples/Scenarios/*.scn; do
  name=$(basename "$scenario" .scn)
  for build in linux windows; do
    if [ "$build" = linux ]; then run=("$LINUX_SIM"); else run=("$WINE" "$WIN_BIN/vantor-sim.exe"); fi
    "${run[@]}" fly "$scenario" --root examples --no-physics --duration 1.5 "${keys[@]}" \
      --save "$OUT/fly-$name.$build.scn" --host-log "$OUT/fly-$name.$build.log" \
      >"$OUT/fly-$name.$build.out" 2>&1 || echo "exit status $?" >>"$OUT/fly-$name.$build.out"
  done
  ok=1
  a="$OUT/fly-$name.linux"
  b="$OUT/fly-$name.windows"
  if ! cmp -s "$a.scn" "$b.scn"; then
    ok=0
    fail "fly $name: the saved scenarios differ:"
    diff "$a.scn" "$b.scn" | head -20 || true
  fi
  if ! cmp -s <(printed "$a.out") <(printed "$b.out"); then
    ok=0
    fail "fly $name: the status lines differ:"
    diff <(printed "$a.out") <(printed "$b.out") | head -20 || true
  fi
  if ! log_note=$(same_log "$a.log" "$b.log"); then
    ok=0
    fail "fly $name: the host logs differ:"
    echo "$log_note" | head -20
  fi
  [ $ok = 1 ] && echo "ok: fly $name: same saved scenario and status lines, same host log" \
    "${log_note:+($log_note)}"
done

# 4. The portable profile lookup against the platform's.
if "$WINE" "$WIN_BIN/profile_diff.exe" tests/windows/corpus "$@" >"$OUT/profile-diff.out" 2>&1; then
  tr -d '\r' <"$OUT/profile-diff.out" | tail -1 | sed 's/^/ok: /'
else
  fail "profile lookup differences:"
  tr -d '\r' <"$OUT/profile-diff.out" | tail -40
fi

if [ $failures = 0 ]; then
  echo "windows check: all passed"
else
  echo "windows check: $failures failed (outputs in $OUT)"
  exit 1
fi
