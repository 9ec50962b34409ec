#!/usr/bin/env bash
# Installs what the Windows build and its Wine checks need, if missing: the i686 MinGW-w64 cross
# compiler and Wine with its 32-bit part, and where the kernel cannot run 32-bit programs the
# 64-bit compiler and Wine as well (see wine-env.sh). Idempotent and non-interactive; installing
# needs root. Waits out another apt or dpkg that holds the lock.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/windows/wine-env.sh

export DEBIAN_FRONTEND=noninteractive

apt_retry() {
  local attempt
  for attempt in $(seq 1 30); do
    if "$@" -o DPkg::Lock::Timeout=120; then
      return 0
    fi
    echo "apt busy or failed (attempt $attempt); retrying in 10 s" >&2
    sleep 10
  done
  return 1
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'
}

# Installs the packages of the list that are not installed yet.
install_missing() {
  local need=() package
  for package in "$@"; do
    installed "$package" || need+=("$package")
  done
  [ ${#need[@]} = 0 ] && return 0
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages; as root run: scripts/windows/install-deps.sh (needs: ${need[*]})" >&2
    exit 1
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=0
  fi
  if [ "${updated:-0}" = 0 ]; then
    apt_retry apt-get update -qq
    updated=1
  fi
  echo "Installing ${need[*]}"
  apt_retry apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
}

install_missing g++-mingw-w64-i686 wine wine32:i386 libeigen3-dev
if ! wine32_runs; then
  echo "This kernel cannot run 32-bit programs; the Wine checks will use the 64-bit build."
  install_missing wine64 g++-mingw-w64-x86-64
fi
