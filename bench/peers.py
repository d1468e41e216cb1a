"""The numpy / scipy / matplotlib equivalents of host_cold_call's calls.

Run as `peers.py nscore|hist|cloud COUNT`: makes the input, then times the
first call of the fresh process on the wall clock (imports excluded, as the
library's load is excluded on the other side) and prints the same line as
host_cold_call.
"""

import os
import resource
import sys
import tempfile
import time

import numpy as np

SEED = 20240611


def usage():
    u = resource.getrusage(resource.RUSAGE_SELF)
    return u.ru_maxrss / 1024.0, u.ru_minflt


def measure(name, call):
    peak0, faults0 = usage()
    start = time.perf_counter()
    call()
    wall = time.perf_counter() - start
    peak1, faults1 = usage()
    print(f"{name} seconds={wall:.4f} peak_mib={peak1 - peak0:.1f} "
          f"faults={faults1 - faults0}")


def samples(count):
    return np.random.default_rng(SEED).lognormal(0.0, 1.0, count)


def normal_scores(count):
    from scipy.special import ndtri
    from scipy.stats import rankdata
    x = samples(count)

    def call():
        return ndtri((rankdata(x) - 0.5) / x.size)
    measure("nscore", call)


def histogram_step(count):
    x = samples(count)
    low, high = float(x.min()), float(x.max())

    def call():
        np.histogram(x, bins=20, range=(low, high))
        x.mean(), x.std(), x.min(), x.max()
        np.percentile(x, [25.0, 50.0, 75.0])
    measure("hist", call)


def cloud_draw(count):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    rng = np.random.default_rng(SEED)
    lags = 370.0 * rng.random(count)
    trend = 37.0 * (1.0 - np.exp(-lags / 120.0))
    gammas = np.minimum(37.0, trend * (0.4 + 1.2 * rng.random(count)))
    fd, path = tempfile.mkstemp(suffix=".png")
    os.close(fd)

    def call():
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot()
        ax.scatter(lags, gammas, s=4, marker="o")
        ax.set_xlabel("Distance")
        ax.set_ylabel("Semivariance")
        fig.savefig(path)
        plt.close(fig)
    measure("cloud", call)
    os.remove(path)


def main():
    calls = {"nscore": normal_scores, "hist": histogram_step,
             "cloud": cloud_draw}
    if len(sys.argv) != 3 or sys.argv[1] not in calls:
        sys.exit("usage: peers.py nscore|hist|cloud COUNT")
    calls[sys.argv[1]](int(sys.argv[2]))


if __name__ == "__main__":
    main()
