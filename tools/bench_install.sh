#!/usr/bin/env bash
# Benchmark (not a test): times a silent install of a browser-sized generated payload under
# Wine against 7-Zip's own command-line extraction of the same two archives, in one run.
#   bash tools/bench_install.sh [MB] [FILES]   (default 300 MB in 400 files)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/wine_session.sh
mb="${1:-300}"
files="${2:-400}"

bash tools/setup.sh
bench="$PWD/build/bench"
cmake --preset default -B "$bench" -DVIREO_BENCH_PAYLOAD_MB="$mb" -DVIREO_BENCH_PAYLOAD_FILES="$files" >/dev/null
cmake --build "$bench" --target setup_bench

export VIREO_WINEPREFIX="$PWD/build/wineprefix"
vireo_wine_session_start "$PWD/build"
wine_exec="$bench/wine_exec.sh"
payload="$bench/payload/setup_bench"
work="$bench/run"
seven_zip="$(grep -E '^VIREO_7Z_EXE:' "$bench/CMakeCache.txt" | cut -d= -f2-)"
win() { winepath -w "$1" 2>/dev/null; }

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
rounds=3
best_setup=999999999
best_7z=999999999
best_res=999999999
for round in $(seq 1 $rounds); do
  rm -rf "$work"; mkdir -p "$work/installer" "$work/7z"
  cp "$bench/installers/setup_bench/vireo_setup.exe" "$work/installer/"
  sync
  t0=$(now_ms)
  "$wine_exec" "$work/installer/vireo_setup.exe" --portable --installpath="$(win "$work/installed")" --silent
  t1=$(now_ms)
  # 7-Zip itself on the same archives: the package to a temp folder, then chrome.7z into
  # the target.
  "$wine_exec" "$seven_zip" x -y -bso0 -bsp0 "-o$(win "$work/7z/tmp")" "$(win "$payload/package.7z")"
  "$wine_exec" "$seven_zip" x -y -bso0 -bsp0 "-o$(win "$work/7z/out")" "$(win "$work/7z/tmp/chrome.7z")"
  t2=$(now_ms)
  # The same job as the installer's: the package comes out of the executable's resources
  # first (7-Zip reads PE resources too), then the two archives.
  rm -rf "$work/7z"
  "$wine_exec" "$seven_zip" e -y -bso0 -bsp0 -tPE "-o$(win "$work/7z/res")" \
      "$(win "$work/installer/vireo_setup.exe")" .rsrc/PACKAGE/IDR_ZIP_PACKAGE
  "$wine_exec" "$seven_zip" x -y -bso0 -bsp0 "-o$(win "$work/7z/tmp")" "$(win "$work/7z/res/IDR_ZIP_PACKAGE")"
  "$wine_exec" "$seven_zip" x -y -bso0 -bsp0 "-o$(win "$work/7z/out")" "$(win "$work/7z/tmp/chrome.7z")"
  t3=$(now_ms)
  s=$((t1 - t0)); z=$((t2 - t1)); r=$((t3 - t2))
  echo "round $round: installer ${s} ms, 7-Zip on the archives ${z} ms, 7-Zip from the exe ${r} ms"
  [ $s -lt $best_setup ] && best_setup=$s
  [ $z -lt $best_7z ] && best_7z=$z
  [ $r -lt $best_res ] && best_res=$r
  [ -f "$work/installed/vireo.exe" ] || { echo "install did not complete"; exit 1; }
done
unpacked=$(du -sm "$work/installed" | cut -f1)
echo "payload: ${unpacked} MB unpacked, $(find "$work/installed" -type f | wc -l) files"
echo "best of $rounds: installer ${best_setup} ms, 7-Zip on the archives ${best_7z} ms, 7-Zip from the exe ${best_res} ms"
awk -v s="$best_setup" -v z="$best_7z" -v r="$best_res" 'BEGIN {
  printf "ratio installer / 7-Zip on the archives: %.3f\n", s / z
  printf "ratio installer / 7-Zip from the exe:    %.3f\n", s / r }'
