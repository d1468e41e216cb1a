"""One cold call of the Python module, as a notebook makes it.

Run as `python_cold_call.py nscore|hist COUNT` with the module on
PYTHONPATH: makes COUNT lognormal values with numpy (as peers.py does),
imports korvagraph, then times the first call of the fresh process on the
wall clock (imports excluded, as on the other sides) and prints the line
host_cold_call prints:

    nscore   korvagraph.nscore(values)
    hist     korvagraph.hist(values, classes=20): the table, the session,
             the compute step and the picture
"""

import resource
import sys
import time

import numpy as np

SEED = 20240611
CLASSES = 20


def peak_mib():
    """Returns the peak resident size of the process so far, in MiB."""
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0


def main():
    """Times the call named on the command line."""
    if len(sys.argv) != 3 or sys.argv[1] not in ("nscore", "hist"):
        sys.exit("usage: python_cold_call.py nscore|hist COUNT")
    call, count = sys.argv[1], int(sys.argv[2])
    import korvagraph as kg
    values = np.random.default_rng(SEED).lognormal(0.0, 1.0, count)
    calls = {"nscore": lambda: kg.nscore(values),
             "hist": lambda: kg.hist(values, classes=CLASSES)}
    peak = peak_mib()
    start = time.perf_counter()
    calls[call]()
    wall = time.perf_counter() - start
    print(f"{call} seconds={wall:.4f} peak_mib={peak_mib() - peak:.1f}")


if __name__ == "__main__":
    main()
