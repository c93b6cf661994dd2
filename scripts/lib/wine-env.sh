# Sourced by the scripts: a display for Wine (Xvfb when none is set) and a
# Wine prefix of the build's own. Expects BUILD_DIR; leaves both running
# until the calling script exits.

zor_start_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  ZOR_XVFB_PID=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
}

# Optional argument: the prefix folder (default: $BUILD_DIR/wineprefix).
zor_fresh_prefix() {
  export WINEPREFIX="${1:-$(cd "$BUILD_DIR" && pwd)/wineprefix}"
  export WINEDEBUG=-all
  # No Mono or Gecko download prompts: the program needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${ZOR_KEEP_PREFIX:-0}" != 1 ] || [ ! -d "$WINEPREFIX" ]; then
    rm -rf "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1
    # Windows not handed to an X window manager: Xvfb runs none, and Wine
    # would wait two seconds for one each time a window goes away.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # The caption buttons' symbol font, which this Wine build does not find by itself.
    local fonts=/usr/share/wine/fonts
    [ -f "$fonts/marlett.ttf" ] && cp "$fonts/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
  fi
  # One server for the whole run keeps each test program's start short. Its
  # background services start here, away from the tests' output pipes (which
  # they would otherwise hold open, and ctest would wait for ever).
  wineserver -p
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1
}

zor_stop_wine() {
  wineserver -k 2>/dev/null || true
  [ -n "${ZOR_XVFB_PID:-}" ] && kill "$ZOR_XVFB_PID" 2>/dev/null || true
}
