#!/usr/bin/env bash
# The run command: builds the installer and runs its main job, a silent install of the
# built-in demo payload, in a throwaway Wine prefix inside build/, then shows the result.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/wine_session.sh

bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vireo_setup

build="$PWD/build"
run_dir="$build/run"
export VIREO_WINEPREFIX="$run_dir/prefix"
export HOME="$build/wine-home"
# The template prefix is made once; each run starts from a fresh copy of it.
WINEPREFIX="$build/wineprefix" tools/wine_prefix.sh ensure
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
WINEPREFIX="$build/wineprefix" wineserver -w 2>/dev/null || true
rm -rf "$run_dir"
mkdir -p "$run_dir"
cp -a "$build/wineprefix" "$VIREO_WINEPREFIX"
cp build/bin/vireo_setup.exe "$run_dir/vireo_setup.exe"

vireo_wine_session_start "$build"
echo "== running: vireo_setup.exe --silent"
start=$(date +%s%N)
set +e
"$build/wine_exec.sh" "$run_dir/vireo_setup.exe" --silent
status=$?
set -e
end=$(date +%s%N)
ms=$(( (end - start) / 1000000 ))
printf '== exit status: %d (%d.%03d s)\n' "$status" $((ms / 1000)) $((ms % 1000))

user_dir=$(find "$VIREO_WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
root="$user_dir/AppData/Local/Vireo"
echo "== installed tree: ${root#$VIREO_WINEPREFIX/drive_c/}"
if [ -d "$root" ]; then
  (cd "$root" && find . -mindepth 1 | sort | head -n 60)
else
  echo "(nothing installed)"
fi
echo "== shortcuts"
find "$user_dir" -name 'Vireo.lnk' | sed "s#^$VIREO_WINEPREFIX/drive_c/##"
echo "== registry (HKCU)"
for key in 'Software\Microsoft\Windows\CurrentVersion\App Paths\vireo.exe' \
           'Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireo' 'SOFTWARE\Vireo'; do
  "$build/wine_exec.sh" reg query "HKCU\\$key" 2>/dev/null | tr -d '\r' | grep -v '^$' || echo "(no key $key)"
done
echo "== log: vireo_setup.exe.log"
if [ -f "$run_dir/vireo_setup.exe.log" ]; then cat "$run_dir/vireo_setup.exe.log"; else echo "(no log written)"; fi
exit "$status"
