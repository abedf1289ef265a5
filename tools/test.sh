#!/usr/bin/env bash
# The test command: installs prerequisites, builds everything and runs every test under
# Wine (window tests on a private Xvfb display), ending with CTest's summary.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/wine_session.sh

bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default

vireo_wine_session_start "$PWD/build"
ctest --preset default "$@"
