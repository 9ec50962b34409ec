#!/usr/bin/env bash
# Unpacks build/dist/aircraft-VERSION.zip and checks its tree, and that the module inside
# exports the eight callbacks under their plain names.
set -euo pipefail
cd "$(dirname "$0")/../.."

version=$(sed -n 's/^project(aircraft_module VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zipfile=build/dist/aircraft-$version.zip
[ -f "$zipfile" ] || { echo "FAIL: $zipfile is missing (make dist)"; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zipfile" -d "$unpacked"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

expected=$(
  {
    echo INSTALL.txt
    echo LICENSE.txt
    echo Modules/aircraft.dll
    for f in examples/Config/Aircraft/*.ini; do echo "Config/Aircraft/$(basename "$f")"; done
    for f in examples/Config/Aircraft/FlightPlans/*.ini; do
      echo "Config/Aircraft/FlightPlans/$(basename "$f")"
    done
    for f in examples/Scenarios/*.scn; do echo "Scenarios/Aircraft/$(basename "$f")"; done
  } | sort
)
actual=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | sort)
if [ "$actual" = "$expected" ]; then
  echo "ok: $zipfile holds $(echo "$actual" | wc -l) files in the installation's folders"
else
  fail "the tree differs from the expected one:"
  diff <(echo "$expected") <(echo "$actual") || true
fi

for f in examples/Config/Aircraft/*.ini examples/Config/Aircraft/FlightPlans/*.ini; do
  cmp -s "$f" "$unpacked/${f#examples/}" || fail "${f#examples/} differs from $f"
done
grep -q "aircraft $version" "$unpacked/INSTALL.txt" || fail "INSTALL.txt does not name version $version"

names="vvcConsumeBufferedKey vvcConsumeKey vvcExit vvcInit vvcLoadStateEx vvcSaveState vvcSetClassCaps vvcTimestep"
dll="$unpacked/Modules/aircraft.dll"
i686-w64-mingw32-objdump -f "$dll" | grep -q 'file format pei-i386' || fail "aircraft.dll is not a 32-bit Windows library"
exports=$(scripts/windows/dll-exports.sh "$dll")
if [ "$exports" = "$names" ]; then
  echo "ok: the aircraft.dll inside exports $exports"
else
  fail "the aircraft.dll inside exports '$exports', expected '$names'"
fi

[ "$failures" = 0 ] || { echo "$failures dist check(s) failed"; exit 1; }
