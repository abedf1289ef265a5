# Sourced by the README commands: a private X display and one long-lived wineserver for the
# build's prefix, both ended when the calling script exits.

vireo_wine_session_start() {
  local build="$1"
  export WINEPREFIX="${VIREO_WINEPREFIX:-$build/wineprefix}"
  export HOME_FOR_WINE="$build/wine-home"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  mkdir -p "$HOME_FOR_WINE"
  if [ -z "${VIREO_KEEP_DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 140); do
      if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    VIREO_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  # One persistent wineserver keeps per-test start-up cheap.
  HOME="$HOME_FOR_WINE" "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh" up
  trap vireo_wine_session_stop EXIT
}

vireo_wine_session_stop() {
  HOME="${HOME_FOR_WINE:-$HOME}" wineserver -k >/dev/null 2>&1 || true
  if [ -n "${VIREO_XVFB_PID:-}" ]; then kill "$VIREO_XVFB_PID" 2>/dev/null || true; fi
}
