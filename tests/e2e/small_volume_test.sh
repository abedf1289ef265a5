#!/bin/sh
# A full volume said plainly: a portable install onto a small tmpfs mounted inside the test
# prefix is refused before it writes anything when the program does not fit, naming what it
# needs and what is free; a reinstall whose volume fills up while it unpacks (filled here
# from outside while the run is held after its check) fails with the same kind of message
# and leaves the earlier installation byte for byte.
#   small_volume_test.sh WINE_EXEC INSTALLER VOLUME
# VOLUME is drive_c\vireo_small of the prefix. Mounting needs root: skipped (77) without it.
set -u
wine_exec="$1"; installer="$2"; volume="$3"
work="$volume.work"
target='C:\vireo_small\app'
message='磁盘空间不足：需要 [0-9]+ MB，可用 [0-9]+ MB。'
status=0
fail() { echo "FAIL: $*"; status=1; }
cleanup() { umount -l "$volume" 2>/dev/null; rm -rf "$work" "$volume"; }
mount_small() { mkdir -p "$volume" && mount -t tmpfs -o "size=$1" tmpfs "$volume"; }
# Runs a fresh copy of the installer (its own log beside it) portably into the volume.
run_copy() {
  name="$1"; shift
  cp "$installer" "$work/$name.exe"
  "$wine_exec" "$work/$name.exe" --silent --portable --pending_restart "--installpath=$target" "$@"
}
image() { (cd "$volume/app" && find . -type f -exec sha256sum {} + && find . -type d) | sort; }

cleanup
mkdir -p "$work"
if ! mount_small 512k 2>/dev/null; then
  echo "skipped: mounting a tmpfs was refused (needs root)"
  rm -rf "$work" "$volume"
  exit 77
fi
trap cleanup EXIT

# 1. The program does not fit: refused before anything is written there.
run_copy refused; code=$?
[ "$code" -eq 1 ] || fail "a run onto a full volume ended with $code"
grep -qE "$message" "$work/refused.exe.log" || fail "no disk-space message: $(cat "$work/refused.exe.log")"
[ -z "$(ls -A "$volume")" ] || fail "the refused run left: $(ls -A "$volume")"

# 2. Room for one installation: it installs.
umount -l "$volume"
mount_small 16m || fail "remount"
run_copy first; code=$?
[ "$code" -eq 0 ] || fail "the first install ended with $code: $(cat "$work/first.exe.log" 2>/dev/null)"
image > "$work/before.txt"

# 3. A reinstall passes its check, then the volume fills up under it.
hold="Z:$(printf '%s' "$work/hold" | tr / '\\')"
VIREO_TEST_HOLD_AT=4 VIREO_TEST_HOLD_FILE="$hold" run_copy filled &
run_pid=$!
waited=0
while [ ! -e "$work/hold.reached" ] && [ "$waited" -lt 600 ]; do sleep 0.1; waited=$((waited + 1)); done
[ -e "$work/hold.reached" ] || fail "the reinstall never reached its space check"
dd if=/dev/zero of="$volume/filler" bs=4k 2>/dev/null
touch "$work/hold.go"
wait "$run_pid"; code=$?
[ "$code" -eq 1 ] || fail "a reinstall onto a volume that filled up ended with $code"
grep -qE "$message" "$work/filled.exe.log" || fail "no disk-space message: $(cat "$work/filled.exe.log")"
grep -q '错误码' "$work/filled.exe.log" && fail "an extraction code instead of the disk-space message"
rm -f "$volume/filler"
image > "$work/after.txt"
diff "$work/before.txt" "$work/after.txt" >/dev/null || fail "the earlier installation changed: $(diff "$work/before.txt" "$work/after.txt")"

[ "$status" -eq 0 ] && echo "passed"
exit "$status"
