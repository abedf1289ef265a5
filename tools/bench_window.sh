#!/usr/bin/env bash
# Benchmark (not a test) of the install window under Wine, in one run on the private X
# display: the time from process start to the first painted window of the installer against
# the demo browser's (target: at most 1.5x, and under 300 ms warm), and the installer's peak
# working set over a window install against 7-Zip's own extraction of the same program
# archive (target: at most 64 MiB more).
#   bash tools/bench_window.sh [ROUNDS]   (default 5; the first round warms Wine up)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/wine_session.sh
rounds="${1:-5}"

bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build build --target vireo_setup demo_browser window_tour
vireo_wine_session_start "$PWD/build"

wine_exec="$PWD/build/wine_exec.sh"
work="$PWD/build/bench_window"
seven_zip="$(grep -E '^VIREO_7Z_EXE:' build/CMakeCache.txt | cut -d= -f2-)"
archive="$PWD/build/payload/vireo_setup/chrome.7z"
win() { winepath -w "$1" 2>/dev/null; }

results="$work/results.txt"
rm -rf "$work"
mkdir -p "$work"
for round in $(seq 1 "$rounds"); do
  rm -rf "$work/run"
  mkdir -p "$work/run"
  cp build/bin/vireo_setup.exe "$work/run/"
  "$wine_exec" "$PWD/build/test_helpers/window_tour.exe" bench "$(win "$work/run/vireo_setup.exe")" \
    "$(win "$PWD/build/demo/demo_browser.exe")" "$(win "$seven_zip")" "$(win "$archive")" "$(win "$work/run")" \
    | tr -d "\r" | sed "s/^/round$round /" >>"$results" || echo "round $round: the tour failed" >&2
  "$wine_exec" "$work/run/vireo_setup.exe" --uninstall --silent >/dev/null || true
done

# Warm figures: the best of the rounds after the first.
best() { grep -v '^round1 ' "$results" | awk -v k="$1" '$2 == k { if (min == "" || $3 < min) min = $3 } END { print min }'; }
most() { awk -v k="$1" '$2 == k { if ($3 > max) max = $3 } END { print max }' "$results"; }
setup_ms="$(best installer_first_paint_ms)"
demo_ms="$(best demo_browser_first_paint_ms)"
setup_kib="$(most installer_peak_working_set_kib)"
seven_kib="$(most seven_zip_peak_working_set_kib)"
echo "first painted window (warm, best of rounds 2-$rounds): installer ${setup_ms} ms, demo browser ${demo_ms} ms" \
     "($(awk -v a="$setup_ms" -v b="$demo_ms" 'BEGIN { printf "%.2f", a / b }')x; targets <= 1.5x and < 300 ms)"
echo "peak working set: installer $((setup_kib / 1024)) MiB over a window install, 7-Zip extraction" \
     "$((seven_kib / 1024)) MiB (difference $(((setup_kib - seven_kib) / 1024)) MiB; target <= 64 MiB)"
