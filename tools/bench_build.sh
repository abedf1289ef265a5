# Sourced by the benchmark scripts: builds the installer over the browser-shaped benchmark
# payload (tools/bench_payload.py) in build/bench and starts the Wine session in the main
# build's prefix. Reads rounds, MB and files from the caller's arguments 1-3 (default 3
# rounds, 300 MB, 400 files); sets rounds, bench, installer, wine_exec and win().
source tools/wine_session.sh
rounds="${1:-3}"
mb="${2:-300}"
files="${3:-400}"

bash tools/setup.sh
bench="$PWD/build/bench"
cmake --preset default -B "$bench" -DVIREO_BENCH_PAYLOAD_MB="$mb" -DVIREO_BENCH_PAYLOAD_FILES="$files" >/dev/null
cmake --build "$bench" --target setup_bench -j 2

export VIREO_WINEPREFIX="$PWD/build/wineprefix"
vireo_wine_session_start "$PWD/build"
wine_exec="$bench/wine_exec.sh"
installer="$bench/installers/setup_bench/vireo_setup.exe"
win() { printf 'Z:%s' "$1" | tr / '\\'; }  # Wine's drive Z: is the root
