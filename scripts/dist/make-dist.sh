#!/usr/bin/env bash
# Packs the 32-bit module, the example aircraft, plans and scenarios, the licence and the install
# text into build/dist/aircraft-VERSION.zip, in the folders of a simulator installation
# (docs/installing.md). Needs build/windows/bin/aircraft.dll (make windows) and zip.
set -euo pipefail
cd "$(dirname "$0")/../.."

version=$(sed -n 's/^project(aircraft_module VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dll=build/windows/bin/aircraft.dll
if [ ! -f "$dll" ]; then
  echo "make dist: $dll is missing; build it first with: make windows" >&2
  exit 1
fi
if ! command -v zip >/dev/null; then
  echo "make dist: zip is missing; run: sudo apt-get install zip" >&2
  exit 1
fi

stage=build/dist/aircraft-$version
rm -rf "$stage"
mkdir -p "$stage/Modules" "$stage/Config/Aircraft/FlightPlans" "$stage/Scenarios/Aircraft"
cp "$dll" "$stage/Modules/"
# The build keeps debug information for the Wine checks; a user has no use for it.
i686-w64-mingw32-strip --strip-debug "$stage/Modules/aircraft.dll"
cp examples/Config/Aircraft/*.ini "$stage/Config/Aircraft/"
cp examples/Config/Aircraft/FlightPlans/*.ini "$stage/Config/Aircraft/FlightPlans/"
cp examples/Scenarios/*.scn "$stage/Scenarios/Aircraft/"
# Windows line ends for the texts a user opens with any editor.
sed "s/VERSION/$version/; s/\$/\r/" scripts/dist/INSTALL.txt > "$stage/INSTALL.txt"
sed 's/$/\r/' LICENSE > "$stage/LICENSE.txt"

zipfile=build/dist/aircraft-$version.zip
rm -f "$zipfile"
# A fixed time stamp on every entry, so that the same sources give the same archive.
find "$stage" -exec touch -h -d '2000-01-01 00:00:00' {} +
(cd "$stage" && zip -q -X -r "../$(basename "$zipfile")" .)
echo "dist: $zipfile"
