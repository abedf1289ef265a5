#!/bin/sh
# The signed installer still installs: a silent portable install into a fresh folder.
#   signed_install_test.sh WINE_EXEC INSTALLER WORK
set -eu
wine_exec="$1"; installer="$2"; work="$3"
rm -rf "$work"
mkdir -p "$work"
# Wine's drive Z: is the root of the file system.
target="Z:$(printf '%s' "$work/installed" | tr / '\\')"
"$wine_exec" "$installer" --silent --portable --pending_restart "--installpath=$target"
test -f "$work/installed/vireo.exe" || { echo "vireo.exe was not installed"; exit 1; }
rm -rf "$work"
