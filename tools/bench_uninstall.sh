#!/usr/bin/env bash
# Benchmark (not a test): removing the browser-shaped benchmark payload (tools/bench_payload.py)
# under Wine, the uninstaller against deleting the same tree with "rd /s /q":
#   - the registered uninstall entry run silently: from its start until its private copy has
#     ended and deleted itself (the whole run a user waits for);
#   - cmd.exe's "rd /s /q" of the application folder of the same installation.
# Each round installs silently first. Prints the medians and the ratio (target: at most 1.2).
#   bash tools/bench_uninstall.sh [ROUNDS] [MB] [FILES]   (default 3 rounds, 300 MB, 400 files)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/bench_build.sh
local_app_data="$VIREO_WINEPREFIX/drive_c/users/${USER:-root}/AppData/Local"
[ -d "$local_app_data" ] || local_app_data="$(find "$VIREO_WINEPREFIX/drive_c/users" -maxdepth 3 -path '*AppData/Local' | head -n1)"
app="$local_app_data/Vireo/Application"
temp="$(dirname "$(dirname "$local_app_data")")/Temp"
now_ms() { date +%s%3N; }

install() {
  "$wine_exec" "$installer" --silent >/dev/null
  [ -f "$app/vireo.exe" ] || { echo "the install did not complete" >&2; exit 1; }
  sync
}
copies() { find "$temp" -maxdepth 2 -path '*/vun*.tmp/uninstaller.exe' 2>/dev/null | wc -l; }

results=()
for round in $(seq 1 "$rounds"); do
  install
  before="$(copies)"
  command="$("$wine_exec" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireo' /v UninstallString |
             tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
  start="$(now_ms)"
  eval "\"$wine_exec\" $command --silent" >/dev/null
  # The registered command hands over to its copy and ends; the run ends with the copy.
  while [ -d "$app" ] || [ "$(copies)" -gt "$before" ]; do sleep 0.02; done
  uninstaller=$(( $(now_ms) - start ))

  install
  start="$(now_ms)"
  "$wine_exec" cmd /c rd /s /q "$(win "$app")" >/dev/null
  rd=$(( $(now_ms) - start ))
  "$wine_exec" "$installer" --uninstall --silent >/dev/null || true
  results+=("$uninstaller $rd")
  echo "round $round: uninstaller $uninstaller ms, rd /s /q $rd ms"
done

printf '%s\n' "${results[@]}" | python3 -c '
import statistics, sys
rows = [tuple(map(int, line.split())) for line in sys.stdin if line.strip()]
u = statistics.median(r[0] for r in rows)
d = statistics.median(r[1] for r in rows)
print(f"\n| | median | uninstaller ÷ it |\n|---|---:|---:|")
print(f"| uninstaller, silent, registered entry | {u / 1000:.2f} s | 1.00 |")
print(f"| rd /s /q of the application folder | {d / 1000:.2f} s | {u / d:.2f} |")
print(f"\ntarget: uninstaller ÷ rd at most 1.2 ({u / d:.2f}); medians of {len(rows)} rounds")
'
