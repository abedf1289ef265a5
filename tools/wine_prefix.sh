#!/usr/bin/env bash
# Creates a Wine prefix once (WINEPREFIX), sandboxed so that nothing lands in the real home:
# the profile folders Wine links into $HOME become real folders. Safe to call from many
# processes at once; fast when the prefix is ready.
set -euo pipefail
cmd="${1:-ensure}"
: "${WINEPREFIX:?WINEPREFIX must be set}"
stamp="$WINEPREFIX/.vireo-ready"
# Names the prefix's settings: a prefix made with older ones is set up again.
settings="$WINEPREFIX/.vireo-settings-fonts3"
ready() { [ -f "$stamp" ] && [ -f "$settings" ]; }

init_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")" "${HOME:-/tmp}"
  WINEDEBUG=-all wineboot -i >/dev/null 2>&1 9>&- || true
  wineserver -w 9>&- || true
  local users="$WINEPREFIX/drive_c/users"
  for user_dir in "$users"/*; do
    [ -d "$user_dir" ] || continue
    for link in Desktop Documents Downloads Music Pictures Videos \
                "AppData/Roaming/Microsoft/Windows/Templates"; do
      local p="$user_dir/$link"
      if [ -L "$p" ]; then rm -f "$p"; mkdir -p "$p"; fi
    done
  done
  # Fonts: no face the skins name is mapped, so the tests see the toolkit's own fallback as a
  # user without those faces does. One alias only: WenQuanYi Micro Hei under its Chinese name,
  # for tests/ui/render/gdiplus_text_test.cc, which needs an installed face with a CJK name
  # and the same metrics as the face it stands for (UTF-16 .reg file, since `wine reg add`
  # garbles non-ASCII arguments under the C locale).
  local reg; reg="$(mktemp --suffix=.reg)"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[-HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"文泉驿微米黑"="WenQuanYi Micro Hei"\r\n\r\n'
    # As on Windows, where the message font links to the system's CJK faces, the dialogs the
    # system draws (message boxes) show Chinese: Wine's message font ("MS Shell Dlg", drawn in
    # Tahoma) links to the installed Noto Sans CJK. The window's own text is drawn by the
    # toolkit with GDI+, which follows no links.
    local link; link="$(printf 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC\0\0' |
      iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')"
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    printf '"Tahoma"=hex(7):%s\r\n"MS Shell Dlg"=hex(7):%s\r\n\r\n' "$link" "$link"
  } | iconv -f UTF-8 -t UTF-16 > "$reg"
  WINEDEBUG=-all wine regedit /S "$(winepath -w "$reg" 2>/dev/null 9>&-)" >/dev/null 2>&1 9>&- || true
  wineserver -w 9>&- || true
  rm -f "$reg"
  touch "$stamp" "$settings"
}

# Signal 0 only asks whether the prefix's server is alive.
server_running() { wineserver -k0 2>/dev/null; }

# Wine's helper processes (services, explorer) inherit the standard handles of the program
# that starts them and outlive it. Started here with null handles and kept by a persistent
# wineserver, they never hold a test's output pipe open.
start_server() {
  # fd 9 holds the lock; the long-lived processes must not inherit it.
  wineserver -p 9>&-
  wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
}

case "$cmd" in
  ensure)
    ready && exit 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    ready || init_prefix
    ;;
  up)
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    ready || init_prefix
    server_running || start_server
    ;;
  reset)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
    ;;
  *) echo "usage: $0 ensure|up|reset" >&2; exit 2 ;;
esac
