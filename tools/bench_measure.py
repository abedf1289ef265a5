#!/usr/bin/env python3
"""Benchmark helper: runs one command and appends "LABEL MS KIB STATUS" to RESULTS, where MS
is the wall time and KIB the peak resident memory of the command's process tree (the largest
of its processes; under Wine, the Windows program's own process).

  bench_measure.py RESULTS LABEL COMMAND [ARGS...]
"""
import os
import subprocess
import sys
import time


def main():
    results, label, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    start = time.monotonic()
    child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed_ms = int((time.monotonic() - start) * 1000)
    code = os.waitstatus_to_exitcode(status)
    with open(results, "a") as f:
        f.write(f"{label} {elapsed_ms} {usage.ru_maxrss} {code}\n")  # ru_maxrss is in KiB on Linux
    return code


if __name__ == "__main__":
    sys.exit(main())
