"""Time from starting a program to its window being shown, for the wizard and for
a bare Win32 program that only opens an empty 480x340 window, both under the
project's Wine set-up, in one run. Prints the median of several runs each.

    scripts/with-display.sh /usr/bin/python3 wizard/bench/startup.py BUILD_DIR [RUNS]
"""

import os
import statistics
import subprocess
import sys
import time

build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
source = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
wine_root = os.path.join(build, "wine-bench")
programs = {
    "wizard": (os.path.join(build, "wizard", "Tavrimo - 安装向导.exe"), "Tavrimo1.1 - 安装向导"),
    "bare window": (os.path.join(build, "wizard", "bench", "bare_window.exe"), "Bare window"),
}


def shown(title):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def time_start(exe, title):
    started = time.monotonic()
    process = subprocess.Popen([os.path.join(source, "scripts", "wine-run.sh"), "--wine-root", wine_root, exe],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not shown(title):
        time.sleep(0.01)
    elapsed = time.monotonic() - started
    process.kill()
    process.wait()
    time.sleep(0.5)
    return elapsed


# The first start of a prefix sets it up; it is not counted.
time_start(*programs["bare window"])
times = {name: [] for name in programs}
for _ in range(runs):
    for name, (exe, title) in programs.items():
        times[name].append(time_start(exe, title))
for name, values in times.items():
    print(f"{name}: median {statistics.median(values):.3f} s over {runs} runs "
          f"(min {min(values):.3f}, max {max(values):.3f})")
subprocess.run(["wineserver", "-k"], env={**os.environ, "WINEPREFIX": os.path.join(wine_root, "prefix")})
