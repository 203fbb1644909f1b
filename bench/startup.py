#!/usr/bin/env python3
"""Start-up timing of the real program: from process start to the title screen, and from the
title screen being answered to big.html ready to type, with the peak memory. Each figure is the
median of five runs, beside the floor of reading big.html."""
import os, statistics, subprocess, sys, tempfile, time

exe, files = sys.argv[1], sys.argv[2]
big = os.path.join(files, "big.html")

def run(args):
    with tempfile.TemporaryDirectory() as home:
        with open(os.path.join(home, "TOLVENRA.INI"), "wb") as f:
            f.write(b"[Start Options]\r\nTips=0\r\n[System]\r\nOpen Template=0\r\n")
        env = dict(os.environ, TOLVENRA_HOME=home, TOLVENRA_TIMING="exit")
        start = time.time() * 1000.0
        out = subprocess.run([exe] + args, env=env, capture_output=True, text=True, timeout=300).stderr
    marks = {}
    for line in out.splitlines():
        if line.startswith("timing "):
            _, name, value = line.split()
            marks[name] = float(value)
    return start, marks

def floor():
    t = time.perf_counter()
    with open(big, "rb") as f:
        f.read()
    return (time.perf_counter() - t) * 1000.0

first, ready, peak = [], [], []
for _ in range(5):
    start, m = run([])
    first.append(m["title"] - start)
    start, m = run([big])
    ready.append(m["ready"] - m["answered"])
    peak.append(m["peak-kb"] / 1024.0)
fl = statistics.median(floor() for _ in range(3))
print("%-46s %10.2f ms   target < 70 ms" % ("start to the title screen", statistics.median(first)))
print("%-46s %10.2f ms   floor %8.2f ms  target < 180 ms" % ("big.html ready after the title screen", statistics.median(ready), fl))
print("%-46s %10.2f MB   target < 150 MB" % ("peak memory with big.html", statistics.median(peak)))
