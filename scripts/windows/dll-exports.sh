#!/usr/bin/env bash
# Prints the names a Windows library exports, sorted, on one line separated by blanks: the
# names between objdump's name-pointer table header and the next blank line.
set -euo pipefail
i686-w64-mingw32-objdump -p "$1" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/{/Table/d;p}' | sed -n 's/.*\] //p' | sort |
  tr '\n' ' ' | sed 's/ $//'
