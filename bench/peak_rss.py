#!/usr/bin/env python3
"""Runs a command and prints the peak of the summed resident memory (KiB) of it and every process
below it, sampled every millisecond. Unlike `time -v`, which reports the largest single process,
this counts all workers of a batch together. Usage: peak_rss.py COMMAND..."""
import os
import subprocess
import sys
import time


def tree(root):
    pids, queue = [], [root]
    while queue:
        pid = queue.pop()
        pids.append(pid)
        try:
            for task in os.listdir(f"/proc/{pid}/task"):
                with open(f"/proc/{pid}/task/{task}/children") as f:
                    queue.extend(int(child) for child in f.read().split())
        except OSError:
            pass
    return pids


def rss_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


process = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
peak = 0
while process.poll() is None:
    peak = max(peak, sum(rss_kib(pid) for pid in tree(process.pid)))
    time.sleep(0.001)
if process.returncode != 0:
    sys.exit(f"peak_rss: failed: {' '.join(sys.argv[1:])}")
print(peak)
