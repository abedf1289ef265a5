#!/usr/bin/env bash
# Benchmark (not a test): the installer against the tools a user would pick instead, in one
# run on the same browser-shaped payload (tools/bench_payload.py), under Wine:
#   - the installer's silent install (portable, into a fresh folder, browser not started);
#   - 7-Zip's own command line doing the same two-archive flow: the package into a temporary
#     folder, then chrome.7z into the target;
#   - an NSIS per-user installer of the same tree (solid LZMA, 64 MB dictionary,
#     RequestExecutionLevel user), built here with Debian's makensis, run silently.
# The second 7-Zip step alone is the decoder's own limit on this machine. Prints the medians
# of the rounds, the ratios, each one's peak memory (resident set of its process) and the
# download sizes as a Markdown table.
#   bash tools/bench_install.sh [ROUNDS] [MB] [FILES]   (default 3 rounds, 300 MB, 400 files)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/bench_build.sh
measure="$PWD/tools/bench_measure.py"
tree="$bench/payload_stage/bench/Chrome-bin"
payload="$bench/payload/setup_bench"
seven_zip="$(grep -E '^VIREO_7Z_EXE:' "$bench/CMakeCache.txt" | cut -d= -f2-)"
work="$bench/run"

# The NSIS installer of the same files the installer puts on disk: the staged tree and the
# project's uninstaller that the installer's package adds to it. Rebuilt only when either
# changes.
nsis="$bench/nsis"
uninstaller="$bench/uninstaller/uninstaller.exe"
version_dir="$(basename "$(find "$tree" -mindepth 1 -maxdepth 1 -type d -name '[0-9]*.[0-9]*.[0-9]*.[0-9]*' | head -n 1)")"
nsis_tree="$nsis/tree/Chrome-bin"
listing="$(cat "$payload/chrome_bin.listing"; md5sum <"$uninstaller")"
if [ "$listing" != "$(cat "$nsis/payload.listing" 2>/dev/null)" ]; then
  echo "building the NSIS installer of the same tree (single-threaded LZMA, a few minutes)"
  rm -rf "$nsis"; mkdir -p "$nsis/tree"
  cp -al "$tree" "$nsis_tree"
  mkdir -p "$nsis_tree/$version_dir/Installer"
  cp "$uninstaller" "$nsis_tree/$version_dir/Installer/uninstaller.exe"
  cat >"$nsis/setup.nsi" <<EOF
Unicode true
Target amd64-unicode
Name "Vireo"
OutFile "$nsis/nsis_setup.exe"
RequestExecutionLevel user
SetCompressor /SOLID lzma
SetCompressorDictSize 64
SilentInstall silent
InstallDir "\$LOCALAPPDATA\\Vireo\\Application"
Section
  SetOutPath "\$INSTDIR"
  File /r "$nsis_tree/*"
SectionEnd
EOF
  makensis -V2 "$nsis/setup.nsi"
  printf '%s' "$listing" >"$nsis/payload.listing"
fi

results="$work/results.txt"
rm -rf "$work"; mkdir -p "$work"
for round in $(seq 1 "$rounds"); do
  rm -rf "$work/round"; mkdir -p "$work/round"
  cp "$installer" "$work/round/vireo_setup.exe"
  sync
  python3 "$measure" "$results" installer "$wine_exec" "$work/round/vireo_setup.exe" --silent --portable \
    --pending_restart "--installpath=$(win "$work/round/installer")"
  [ -f "$work/round/installer/vireo.exe" ] || { echo "round $round: the install did not complete" >&2; exit 1; }
  rm -rf "$work/round/installer"; sync

  python3 "$measure" "$results" 7zip_package "$wine_exec" "$seven_zip" x -y -bso0 -bsp0 \
    "-o$(win "$work/round/7z_tmp")" "$(win "$payload/package.7z")"
  python3 "$measure" "$results" 7zip_program "$wine_exec" "$seven_zip" x -y -bso0 -bsp0 \
    "-o$(win "$work/round/7z_out")" "$(win "$work/round/7z_tmp/chrome.7z")"
  rm -rf "$work/round/7z_tmp" "$work/round/7z_out"; sync

  python3 "$measure" "$results" nsis "$wine_exec" "$nsis/nsis_setup.exe" /S "/D=$(win "$work/round/nsis")"
  [ -f "$work/round/nsis/vireo.exe" ] || { echo "round $round: the NSIS install did not complete" >&2; exit 1; }
  rm -rf "$work/round/nsis"; sync

  rm -rf "$work/round"
  echo "round $round done"
done

python3 - "$results" "$rounds" "$nsis_tree" "$payload/chrome.7z" "$installer" "$nsis/nsis_setup.exe" <<'EOF'
import os, statistics, sys
results, rounds, tree, program, setup_exe, nsis_exe = sys.argv[1], int(sys.argv[2]), *sys.argv[3:]
runs = {}
for line in open(results):
    label, ms, kib, code = line.split()
    if code != "0":
        sys.exit(f"{label} failed with {code}")
    runs.setdefault(label, []).append((int(ms), int(kib)))
def median(label): return statistics.median(ms for ms, _ in runs[label])
def peak(label): return max(kib for _, kib in runs[label]) / 1024
sizes = [os.path.getsize(os.path.join(r, n)) for r, _, ns in os.walk(tree) for n in ns]
unpacked, packed = sum(sizes), os.path.getsize(program)
installer = median("installer")
# The 7-Zip flow is two processes: the sum of their round times, the larger peak.
seven = statistics.median(a[0] + b[0] for a, b in zip(runs["7zip_package"], runs["7zip_program"]))
seven_peak = max(peak("7zip_package"), peak("7zip_program"))
nsis = median("nsis")
print(f"\npayload: {unpacked / 1e6:.0f} MB in {len(sizes)} files; chrome.7z {packed / 1e6:.0f} MB "
      f"({100 * packed / unpacked:.1f} %); medians of {rounds} rounds\n")
decoder = median("7zip_program")
setup_size, nsis_size = os.path.getsize(setup_exe), os.path.getsize(nsis_exe)
print("| | median | installer ÷ it | peak memory | download |")
print("|---|---:|---:|---:|---:|")
print(f"| installer, silent portable install | {installer / 1000:.2f} s | 1.00 | {peak('installer'):.0f} MiB "
      f"| {setup_size / 1e6:.1f} MB |")
print(f"| 7-Zip command line, package then chrome.7z | {seven / 1000:.2f} s | {installer / seven:.2f} "
      f"| {seven_peak:.0f} MiB | |")
print(f"| 7-Zip command line, chrome.7z alone | {decoder / 1000:.2f} s | {installer / decoder:.2f} "
      f"| {peak('7zip_program'):.0f} MiB | |")
print(f"| NSIS installer, silent | {nsis / 1000:.2f} s | {installer / nsis:.2f} | {peak('nsis'):.0f} MiB "
      f"| {nsis_size / 1e6:.1f} MB |")
print(f"\ntargets: installer ÷ 7-Zip's flow at most 0.9 ({installer / seven:.2f}); installer ÷ chrome.7z alone "
      f"at most 1.1 ({installer / decoder:.2f}); NSIS ÷ installer at least 3.5 ({nsis / installer:.2f}); "
      f"download at most NSIS's ({setup_size / nsis_size:.3f} of it)")
EOF
