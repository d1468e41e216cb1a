"""Exact variograms on a Dask cluster.

    from dask.distributed import Client
    import korvagraph.dask
    chart = korvagraph.dask.variograms(df, "Cu", client=Client(address))

The samples are split into blocks of nearby samples, each sent once to
every worker; one task per tile of two blocks sums its pairs, one per row
of tiles merges them in tile order, and the rows are merged in order here,
so the chart equals korvagraph.mvario's on the same data and arguments
whatever the number of workers. Needs Debian's
python3-dask and python3-distributed.
"""

import uuid

from distributed import Client, LocalCluster, progress as dask_progress

from korvagraph import _pieces

#: Samples per block by default: a tile of two blocks holds 2 x 10^8 pairs,
#: about a second of one core, and a block of x, y, z and one value 640 kB.
DEFAULT_BLOCK = 20000


def variograms(data, col=None, *, client=None, block=DEFAULT_BLOCK,
               progress=True, **options):
    """Computes mvario's variograms on a Dask cluster; returns its Chart.

    Args:
        data, col, **options: as korvagraph.mvario's.
        client: a dask.distributed Client; None starts a LocalCluster of
            this machine's cores (a process each, on 127.0.0.1) for the call.
        block: samples per block; a call runs n (n + 1) / 2 tiles of n
            blocks per variogram set.
        progress: show Dask's progress bar while the tiles run.

    Returns:
        The Chart korvagraph.mvario returns on the same data and options:
        pair counts identical, semivariances equal to about 1e-12.

    A worker lost during the call costs its tiles, which Dask runs again on
    the others: every worker holds every block.
    """
    _pieces.check_block(block)
    pieces = _pieces.variogram_pieces(data, col, **options)
    own = client is None
    if own:
        client = Client(LocalCluster(threads_per_worker=1, processes=True,
                                     host="127.0.0.1",
                                     dashboard_address=None))
    try:
        sums = [_set_sums(client, piece, block, progress) for piece in pieces]
    finally:
        if own:
            cluster = client.cluster
            client.close()
            cluster.close()
    return _pieces.mvario_of_sums(data, sums, col, **options)


def _set_sums(client, piece, block, progress):
    """The merged sums of each part of one variogram set."""
    blocks = client.scatter(piece.blocks(block), broadcast=True)
    settings = piece.lag_settings()
    call = uuid.uuid4().hex
    tiles, rows = [], []
    for i in range(len(blocks)):
        row = [client.submit(_pieces.tile_sums, blocks[i],
                             None if i == j else blocks[j], settings,
                             key=f"korvagraph-tile-{i}-{j}-{call}")
               for j in range(i, len(blocks))]
        # Each row merged on the cluster as its tiles end, in tile order.
        rows.append(client.submit(_merged, *row,
                                  key=f"korvagraph-row-{i}-{call}"))
        tiles += row
    if progress:
        dask_progress(rows)
    try:
        return _merged(*client.gather(rows))
    finally:
        client.cancel(rows + tiles + blocks)


def _merged(*tiles):
    """The sums of each part over the tiles, added in their order: the same
    sums on any cluster."""
    totals = [_pieces.VariogramSums() for _ in tiles[0]]
    for parts in tiles:
        for total, part in zip(totals, parts):
            total.merge(part)
    return totals
