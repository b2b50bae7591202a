#!/usr/bin/env python3
"""One summary line for a version lane of a CTest run, from its log.

Usage: lane_result.py CTEST_LOG LANE WINDOWS_VERSION BUILD
ok when every test of the lane (its prefix fixture and its groups) passed,
with the sum of their times: a lane runs its tests one at a time.
"""
import re
import sys

NAMES = {"win95": "Windows 95", "win98": "Windows 98", "winme": "Windows ME", "nt40": "NT 4",
         "win2k": "Windows 2000", "winxp": "Windows XP"}

log, lane, version, build = sys.argv[1:]
lane = re.escape(lane)
pattern = re.compile(r"Test +#\d+: e2e\.(?:prefix\.%s|%s\.\S+) \.*\** *(\S.*?) +([\d.]+) sec" % (lane, lane))
text = open(log, errors="replace").read()
runs = pattern.findall(text)
ok = bool(runs) and all(status == "Passed" for status, _ in runs)
# A lane of the real installer pair alone says so.
groups = set(re.findall(r"Test +#\d+: e2e\.%s\.(\S+) " % lane, text))
what = "real pair" if groups == {"RealPair"} else "end-to-end tests under Wine"
print("%-5s %s as %s (%s build; lane %s, %d tests) (%.0f s)" % (
    "ok" if ok else "FAIL", what, NAMES.get(version, version), build, sys.argv[2], len(runs),
    sum(float(seconds) for _, seconds in runs)))
