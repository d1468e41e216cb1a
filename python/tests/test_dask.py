"""korvagraph.dask on a LocalCluster of two worker processes on loopback:
the same variograms as mvario, also when a worker dies mid-call."""

import os
import sys

import cloudpickle
import numpy as np
import pytest
from distributed import Client, LocalCluster
from distributed.diagnostics.plugin import SchedulerPlugin, WorkerPlugin

import korvagraph as kg
import korvagraph.dask as kd

# The workers do not import the tests: plugins travel by value.
cloudpickle.register_pickle_by_value(sys.modules[__name__])


@pytest.fixture(scope="module")
def samples():
    rng = np.random.default_rng(27)
    n = 20000
    return {"X": rng.uniform(0, 1000, n), "Y": rng.uniform(0, 1000, n),
            "Cu": rng.lognormal(1.0, 0.5, n), "Pb": rng.normal(5, 1, n)}


@pytest.fixture(scope="module")
def cluster():
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                      host="127.0.0.1", dashboard_address=None) as cluster, \
            Client(cluster, timeout=60) as client:
        yield cluster, client


def assert_same_variograms(distributed, single):
    a, b = distributed.table, single.table
    assert a[["direction", "lag", "pairs"]].equals(
        b[["direction", "lag", "pairs"]])
    # Sums added in another order: within 1e-12 of the largest (a cross
    # variogram is a difference of such sums).
    for column in ("distance", "semivariance"):
        np.testing.assert_allclose(a[column], b[column], rtol=1e-12,
                                   atol=1e-12 * np.abs(b[column]).max())
    assert distributed.stats == single.stats
    assert distributed.pictures == single.pictures


@pytest.mark.parametrize("block, options", [
    (5000, {}),                                         # 4 blocks, 10 tiles
    (3001, {}),                                         # the last smaller
    (7000, {"col2": "Pb", "cross": True, "lagtol": 20}),  # 3 parts a set
    (20000, {"indicator": [2.0, 3.5]}),                 # 1 block, 2 sets
])
def test_equals_mvario_whatever_the_blocks(samples, cluster, block, options):
    single = kg.mvario(samples, "Cu", **options)
    distributed = kd.variograms(samples, "Cu", client=cluster[1],
                                block=block, progress=False, **options)
    assert len(single.table["direction"].unique()) == 5
    assert_same_variograms(distributed, single)


class KillOnTile(WorkerPlugin):
    """Ends the worker process that starts the given tile, once."""

    name = "kill-on-tile"

    def __init__(self, tile, marker):
        self.tile, self.marker = tile, marker

    def transition(self, key, start, finish, **kwargs):
        if finish == "executing" and self.tile in str(key) and \
                not os.path.exists(self.marker):
            open(self.marker, "w").close()
            os._exit(1)


class TileStarts(SchedulerPlugin):
    """Counts how often the scheduler hands each tile to a worker."""

    name = "tile-starts"

    def __init__(self):
        self.starts = {}

    def transition(self, key, start, finish, *args, **kwargs):
        if finish == "processing":
            self.starts[key] = self.starts.get(key, 0) + 1


def test_a_worker_lost_mid_call_costs_a_retry_only(samples, cluster,
                                                   tmp_path):
    local, client = cluster
    single = kg.mvario(samples, "Cu")
    marker = str(tmp_path / "killed")
    starts = TileStarts()
    local.scheduler.add_plugin(starts)
    client.register_worker_plugin(KillOnTile("tile-2-7-", marker))
    try:
        distributed = kd.variograms(samples, "Cu", client=client, block=2000,
                                    progress=False)
    finally:
        local.scheduler.remove_plugin(name=starts.name)
        client.unregister_worker_plugin(KillOnTile.name)
    assert os.path.exists(marker)
    retried = [key for key, count in starts.starts.items()
               if "tile-2-7-" in key]
    assert len(retried) == 1 and starts.starts[retried[0]] >= 2
    assert_same_variograms(distributed, single)
    client.wait_for_workers(2, timeout=60)
