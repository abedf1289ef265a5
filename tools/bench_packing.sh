#!/usr/bin/env bash
# Benchmark helper (not a test): how the packing of chrome.7z trades size against extraction
# time on the benchmark payload. Packs the staged payload once per candidate and times, under
# Wine, 7-Zip's own command line extracting it with the 7-Zip module the installer carries.
# Run tools/bench_install.sh first (it stages the payload).
#   bash tools/bench_packing.sh [ROUNDS]   (default 2; the best round counts)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/wine_session.sh
rounds="${1:-2}"
bench="$PWD/build/bench"
payload="$bench/payload_stage/bench"
[ -d "$payload/Chrome-bin" ] || { echo "no staged payload: run tools/bench_install.sh first" >&2; exit 1; }
work="$bench/packing"
export VIREO_WINEPREFIX="$PWD/build/wineprefix"
vireo_wine_session_start "$PWD/build"
wine_exec="$bench/wine_exec.sh"
cache() { grep -E "^$1:" "$bench/CMakeCache.txt" | cut -d= -f2-; }
win() { winepath -w "$1" 2>/dev/null; }

# 7z.exe loads the 7z.dll beside it.
rm -rf "$work"; mkdir -p "$work/full"
cp "$(cache VIREO_7Z_EXE)" "$(cache VIREO_7Z_DLL)" "$work/full/"
unpacked=$(du -sb "$payload/Chrome-bin" | cut -f1)

bcj2="-m0=BCJ2 -mb0:1 -mb0s1:2 -mb0s2:3 -m2=LZMA:d19 -m3=LZMA:d19"
# The call and jump streams are 32-bit addresses: no literal context, two position bits.
streams25="-m0=BCJ2 -mb0:1 -mb0s1:2 -mb0s2:3 -m2=LZMA:d25:lc0:lp2 -m3=LZMA:d25:lc0:lp2"
streams26="-m0=BCJ2 -mb0:1 -mb0s1:2 -mb0s2:3 -m2=LZMA:d26:lc0:lp2 -m3=LZMA:d26:lc0:lp2"
# label | switches of the main pass | files stored as they are in a second pass (already
# compressed: they would cost decoder time and gain nothing)
candidates=(
  "BCJ2 + lzma2 mx5 d24, 32 MiB blocks, address streams d19|-mx=5 $bcj2 -m1=LZMA2:d24:c32m -mmt=2|"
  "BCJ2 + lzma2 mx9 d26, 64 MiB blocks, pak stored|-mx=9 $bcj2 -m1=LZMA2:d26:c64m:fb64 -mmt=2|resources.pak"
  "BCJ2 + lzma2 mx9 d26, 128 MiB blocks, address streams d25|-mx=9 $streams25 -m1=LZMA2:d26:c128m:fb64 -mmt=2|"
  "BCJ2 + lzma2 mx9 d24 fb273, 32 MiB blocks, address streams d25|-mx=9 $streams25 -m1=LZMA2:d24:c32m:fb273 -mmt=2|"
  "BCJ2 + lzma2 mx9 d25 fb273, 48 MiB blocks, address streams d26|-mx=9 $streams26 -m1=LZMA2:d25:c48m:fb273 -mmt=2|"
  "BCJ2 + lzma2 mx9 d25 fb273, 56 MiB blocks, address streams d26|-mx=9 $streams26 -m1=LZMA2:d25:c56m:fb273 -mmt=2|"
  "BCJ2 + lzma2 mx9 d26 fb273, 64 MiB blocks, address streams d26|-mx=9 $streams26 -m1=LZMA2:d26:c64m:fb273 -mmt=2|"
  "BCJ2 + lzma2 mx9 d27 fb273, 192 MiB blocks, address streams d25|-mx=9 $streams25 -m1=LZMA2:d27:c192m:fb273 -mmt=2|"
)
if [ -n "${VIREO_PACKING_ONLY:-}" ]; then
  mapfile -t candidates < <(printf '%s\n' "${candidates[@]}" | grep -F "$VIREO_PACKING_ONLY")
fi
printf '%-52s %9s %7s %11s\n' packing "MB" ratio "ms"
for candidate in "${candidates[@]}"; do
  label="${candidate%%|*}"
  rest="${candidate#*|}"
  read -r -a switches <<<"${rest%%|*}"
  stored="${rest#*|}"
  excluded=()
  for name in $stored; do excluded+=("-xr!$name"); done
  rm -f "$work/chrome.7z"
  (cd "$payload" && 7zz a -bd -bso0 -t7z "${switches[@]}" "${excluded[@]}" "$work/chrome.7z" Chrome-bin)
  for name in $stored; do
    (cd "$payload" && 7zz a -bd -bso0 -t7z -mx=0 "$work/chrome.7z" "-ir!Chrome-bin/$name" >/dev/null)
  done
  packed=$(stat -c %s "$work/chrome.7z")
  best=999999999
  for _ in $(seq 1 "$rounds"); do
    rm -rf "$work/out"; sync
    t0=$(date +%s%N)
    "$wine_exec" "$work/full/7z.exe" x -y -bso0 -bsp0 "-o$(win "$work/out")" "$(win "$work/chrome.7z")"
    ms=$(( ($(date +%s%N) - t0) / 1000000 ))
    [ "$ms" -lt "$best" ] && best=$ms
  done
  awk -v l="$label" -v p="$packed" -v u="$unpacked" -v f="$best" \
    'BEGIN { printf "%-52s %9.1f %6.1f%% %11d\n", l, p / 1048576, 100 * p / u, f }'
done
rm -rf "$work/out" "$work/chrome.7z"
