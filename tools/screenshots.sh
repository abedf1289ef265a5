#!/usr/bin/env bash
# Regenerates the README's pictures of the windows, each page at 100 % and at 150 % (144 DPI),
# on the private X display: docs/screenshots/start, progress and complete[_150].png from a
# real window install of the built installer (uninstalled again afterwards); failure[_150].png
# and failure_box[_150].png from an installer whose package is damaged; and
# uninstall_{start,progress,complete}[_150].png, each from a silent install removed through
# its registered uninstall entry.
#   bash tools/screenshots.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/wine_session.sh

bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build build --target vireo_setup setup_damaged window_tour
vireo_wine_session_start "$PWD/build"

wine_exec="$PWD/build/wine_exec.sh"
work="$PWD/build/screenshots"
rm -rf "$work"
mkdir -p "$work" docs/screenshots
cp build/bin/vireo_setup.exe "$work/"
win() { winepath -w "$1" 2>/dev/null; }

for scale in 96: 144:_150; do
  "$wine_exec" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${scale%%:*}" /f >/dev/null
  "$wine_exec" "$PWD/build/test_helpers/window_tour.exe" shots "$(win "$work/vireo_setup.exe")" "$(win "$work")" \
    "${scale#*:}" || echo "the install window at ${scale%%:*} DPI was not toured" >&2
  "$wine_exec" "$work/vireo_setup.exe" --uninstall --silent || true
  "$wine_exec" "$PWD/build/test_helpers/window_tour.exe" failure-shots \
    "$(win "$PWD/build/installers/setup_damaged/vireo_setup.exe")" "$(win "$work")" "${scale#*:}" ||
    echo "the failing install at ${scale%%:*} DPI was not toured" >&2
  # The uninstall window.
  "$wine_exec" "$PWD/build/test_helpers/window_tour.exe" uninstall-shots "$(win "$work/vireo_setup.exe")" \
    "$(win "$work")" "${scale#*:}" || echo "the uninstall window at ${scale%%:*} DPI was not toured" >&2
done
"$wine_exec" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null

for name in start progress complete failure failure_box uninstall_start uninstall_progress uninstall_complete; do
  for page in "$name" "${name}_150"; do
    if [ -f "$work/$page.bmp" ]; then
      /usr/bin/python3 -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).convert("RGB").save(sys.argv[2], optimize=True)' \
        "$work/$page.bmp" "docs/screenshots/$page.png"
      echo "docs/screenshots/$page.png"
    else
      echo "the $page page was not captured" >&2
    fi
  done
done
