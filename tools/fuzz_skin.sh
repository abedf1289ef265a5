#!/bin/bash
# Runs the skin readers' robustness tool under Wine: `tools/fuzz_skin.sh [cases] [seed]`
# (default 100,000 cases of each input kind). Builds the tool first; exits non-zero when
# the tool crashes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
[ -f "$build/build.ninja" ] || cmake --preset default -S "$root" >/dev/null
cmake --build "$build" --target skin_fuzz -j2
source "$root/tools/wine_session.sh"
vireo_wine_session_start "$build"
"$build/wine_exec.sh" "$build/tests/ui/markup/skin_fuzz.exe" "${1:-100000}" "${2:-}"
