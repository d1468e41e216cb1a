"""korvagraph.dask.variograms on a LocalCluster of one and of two workers
(a process and a core each) against the single-process program, in one run.

    /usr/bin/python3 bench/dask_variograms.py [BUILD_DIR] [SAMPLES] [BLOCK]
    (defaults: build, 200000, 20000)

The samples are uniform on a 10 km square with a lognormal value; the
variograms mvario's defaults (omni and four directions). Prints, for each
side, the wall time of the call (the cluster started before the clock), the
peak resident memory of the calling process and of each worker, and for the
cluster the bytes scattered to the workers and the bytes of sums sent to
the row merges and to the client; then the speed-up of two workers over one and the overhead of each
against the program run on as many cores (taskset), whose pair counts the
cluster's must equal.
"""

import os
import resource
import subprocess
import sys
import tempfile
import time

import numpy as np
from distributed import Client, LocalCluster

HERE = os.path.dirname(os.path.abspath(__file__))


def samples(count):
    rng = np.random.default_rng(27)
    return {"X": rng.uniform(0, 10000, count),
            "Y": rng.uniform(0, 10000, count),
            "V": rng.lognormal(1.0, 0.5, count)}


def program_run(program, data, cores, out):
    """Runs korvagraph mvario on the first `cores` cores; returns its wall
    seconds and its peak resident MB."""
    command = ["taskset", "-c", f"0-{cores - 1}", program, "mvario",
               "--data", data, "--col", "V", "--quiet",
               "--out", os.path.join(out, "program.png")]
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    if status != 0:
        sys.exit(f"dask_variograms.py: {' '.join(command)} failed")
    return seconds, usage.ru_maxrss / 1024


def worker_peak_mb():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024


def cluster_run(data, workers, block):
    """Runs korvagraph.dask.variograms on `workers` one-core workers; returns
    the chart, its wall seconds and the workers' peak MB."""
    import korvagraph.dask as kd
    with LocalCluster(n_workers=workers, threads_per_worker=1,
                      processes=True, host="127.0.0.1",
                      dashboard_address=None) as cluster, \
            Client(cluster) as client:
        # One worker a core, as the program's taskset.
        pids = client.run(os.getpid)
        for core, pid in enumerate(pids.values()):
            os.sched_setaffinity(pid, {core})
        start = time.perf_counter()
        chart = kd.variograms(data, "V", client=client, block=block,
                              progress=False)
        seconds = time.perf_counter() - start
        peaks = sorted(client.run(worker_peak_mb).values())
    return chart, seconds, peaks


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                            os.path.join(HERE, "..", "build"))
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 200000
    block = int(sys.argv[3]) if len(sys.argv) > 3 else 20000
    sys.path.insert(0, os.path.join(build, "python"))
    import korvagraph as kg

    program = os.path.join(build, "tools", "korvagraph", "korvagraph")
    values = samples(count)
    blocks = -(-count // block)
    tiles = blocks * (blocks + 1) // 2
    # x, y, z and one value of float64 per sample, to every worker.
    block_bytes = count * 4 * 8
    print(f"{count} samples in {blocks} blocks of {block}: "
          f"{tiles} tiles, "
          f"{count * (count - 1) // 2:.3e} pairs")
    with tempfile.TemporaryDirectory() as out:
        data = os.path.join(out, "samples.csv")
        with open(data, "w") as f:
            f.write("X,Y,V\n")
            np.savetxt(f, np.column_stack(list(values.values())),
                       delimiter=",", fmt="%.17g")
        program_figures = {cores: program_run(program, data, cores, out)
                           for cores in (1, 2)}
    for cores, (seconds, peak) in program_figures.items():
        print(f"program, {cores} core(s): {seconds:8.2f} s, "
              f"peak {peak:7.1f} MB")

    reference = kg.mvario(values, "V").table
    piece = kg.variogram_pieces(values, "V")[0]
    # A tile's sums: pairs, distance and squared of every direction and
    # entry (the lags, pairs at one place, pairs closer than the first lag).
    sums_bytes = len(piece.directions) * (piece.lags + 2) * 3 * 8
    wall = {}
    for workers in (1, 2):
        chart, seconds, peaks = cluster_run(values, workers, block)
        if not (chart.table["pairs"] == reference["pairs"]).all():
            sys.exit("dask_variograms.py: the pair counts differ")
        wall[workers] = seconds
        print(f"dask, {workers} worker(s): {seconds:8.2f} s, client peak "
              f"{worker_peak_mb():7.1f} MB, worker peaks "
              f"{', '.join(f'{p:.1f}' for p in peaks)} MB, scattered "
              f"{workers * block_bytes / 1e6:.1f} MB, sums "
              f"{tiles * sums_bytes / 1e6:.2f} MB to the row merges and "
              f"{blocks * sums_bytes / 1e6:.3f} MB to the client")
    print(f"speed-up of two workers over one: {wall[1] / wall[2]:.2f}")
    for workers in (1, 2):
        overhead = wall[workers] / program_figures[workers][0] - 1
        print(f"overhead of {workers} worker(s) against the program on "
              f"{workers} core(s): {overhead * 100:+.1f}%")


if __name__ == "__main__":
    main()
