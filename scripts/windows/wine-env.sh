# Sourced by the Windows scripts: which Wine runs the checks, and its environment.
# Some kernels are built or booted without 32-bit program support (ia32 emulation off); there
# the 32-bit Wine loader cannot start, and the checks run the 64-bit build under 64-bit Wine.

# True when this machine can start the 32-bit Wine loader.
wine32_runs() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Sets WINE (the loader to run), WINE_BUILD (the preset whose programs it runs) and the Wine
# environment: a private prefix under build/, no debug chatter, no desktop, no add-on installers.
select_wine() {
  if wine32_runs; then
    WINE=/usr/lib/wine/wine
    WINE_BUILD=windows
    export WINEARCH=win32
  else
    WINE=/usr/lib/wine/wine64
    WINE_BUILD=windows64
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
  fi
  export WINEPREFIX="$PWD/build/$WINE_BUILD/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  unset DISPLAY WAYLAND_DISPLAY
}
