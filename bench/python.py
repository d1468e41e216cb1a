"""The Python module's cold calls side by side with the same calls from C++
and with numpy / scipy, in one run.

    /usr/bin/python3 bench/python.py [BUILD_DIR] [REPEATS]   (build, 5)

For the normal scores and the histogram of 1,000,000 values, each side runs
REPEATS times in a fresh process per call, interleaved so that all see the
same machine load:
    module   python_cold_call.py: korvagraph.nscore / korvagraph.hist from
             a numpy array
    C++      module_cold_call: the same code from a C++ array, no Python
    export   host_cold_call: the chart library's export alone, its records
             made before the clock starts (for reference)
    peer     peers.py: scipy's normal scores, numpy's histogram and
             quantiles
Prints the median wall time of each side and the two bars: module / C++ at
most 1.10, module / peer at most 1.0. Exits 1 when a bar is missed.
"""

import os
import re
import statistics
import subprocess
import sys

COUNT = 1000000
BARS = (("C++", 1.10), ("peer", 1.0))
HERE = os.path.dirname(os.path.abspath(__file__))
PYTHON = "/usr/bin/python3"  # Debian's numpy, scipy and pandas


def sides(build):
    """Returns each side's command line before its two arguments."""
    return {
        "module": [PYTHON, os.path.join(HERE, "python_cold_call.py")],
        "C++": [os.path.join(build, "bench", "module_cold_call")],
        "export": [os.path.join(build, "bench", "host_cold_call")],
        "peer": [PYTHON, os.path.join(HERE, "peers.py")],
    }


def seconds(command, call, env):
    """Runs one cold call; returns its wall time from the printed line."""
    line = subprocess.run(command + [call, str(COUNT)], check=True,
                          capture_output=True, text=True, env=env,
                          timeout=300).stdout
    found = re.search(r"seconds=([0-9.]+)", line)
    if found is None or "FAILED" in line:
        sys.exit(f"python.py: {' '.join(command)} {call}: {line.strip()}")
    return float(found.group(1))


def main():
    """Times every side of both calls and prints the bars."""
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                            os.path.join(HERE, "..", "build"))
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    env = dict(os.environ, PYTHONPATH=os.path.join(build, "python"))
    # Older OpenBLAS settings of this machine slow a current numpy.
    env.pop("OPENBLAS_CORETYPE", None)
    env.pop("OPENBLAS_L2_SIZE", None)
    print(f"load before: {os.getloadavg()}")
    missed = False
    for call in ("nscore", "hist"):
        times = {side: [] for side in sides(build)}
        for _ in range(repeats):
            for side, command in sides(build).items():
                times[side].append(seconds(command, call, env))
        median = {side: statistics.median(t) for side, t in times.items()}
        print(f"{call}: " + "  ".join(f"{side} {median[side]:.4f} s"
                                      for side in median))
        for side, bar in BARS:
            ratio = median["module"] / median[side]
            missed = missed or ratio > bar
            print(f"  module / {side} = {ratio:.2f} (bar <= {bar}) "
                  f"{'meets' if ratio <= bar else 'MISSES'}")
    print(f"load after: {os.getloadavg()}")
    sys.exit(1 if missed else 0)


if __name__ == "__main__":
    main()
