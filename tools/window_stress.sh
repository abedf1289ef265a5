#!/usr/bin/env bash
# Stress check (not part of CI) of the install window's start-up: starts the real window
# RUNS times in a row under Wine on the private X display, each run required to paint its
# start page within 10 s, and reports how many did. A start-up race shows as a missed run.
#   bash tools/window_stress.sh [RUNS]   (default 200)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/wine_session.sh
runs="${1:-200}"

bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build build --target vireo_setup window_tour
vireo_wine_session_start "$PWD/build"

work="$PWD/build/window_stress"
rm -rf "$work"
mkdir -p "$work"
cp build/bin/vireo_setup.exe "$work/"
"$PWD/build/wine_exec.sh" "$PWD/build/test_helpers/window_tour.exe" starts \
  "$(winepath -w "$work/vireo_setup.exe" 2>/dev/null)" "$runs" | tr -d '\r'
