"""Variograms in pieces: the pair loop of a call's variogram sets split into
tiles of sample blocks that can run anywhere, their sums merged in a fixed
order and drawn as the chart mvario draws from the whole data.
"""

import math

import numpy as np

from korvagraph import _charts, _data, _native

VariogramSums = _native.VariogramSums


class VariogramPieces:
    """The pair loop of one variogram set, to be run in tiles.

    Made by variogram_pieces, never directly. Attributes:
        name: what the variograms are of ("Cu", "Cu <= 12.5 (q25)").
        x, y, z: the samples' coordinates (float arrays).
        values: the values of each part, a row per part (the values; an
            indicator; the three parts of a cross variogram).
        weights: how the parts' semivariances add up.
        lag, lags, lagtol: the lag spacing, count and tolerance (0: not set).
        directions: (azimuth, angle tolerance, bandwidth) of each variogram
            row, the first taking every pair.
    """

    def __init__(self, piece):
        self.name = piece["name"]
        self.x, self.y, self.z = piece["x"], piece["y"], piece["z"]
        self.values = piece["values"]
        self.weights = list(piece["weights"])
        self.lag, self.lags = piece["lag"], piece["lags"]
        self.lagtol = piece["lagtol"]
        self.directions = [tuple(d) for d in piece["directions"]]

    def __len__(self):
        return len(self.x)

    def __repr__(self):
        return (f"<korvagraph.VariogramPieces {self.name}: {len(self)} "
                f"samples, {len(self.weights)} part(s), {self.lags} lags of "
                f"{self.lag:g}, {len(self.directions)} directions>")

    def block(self, start, stop):
        """Returns the samples start .. stop - 1 as a block: a tuple of
        x, y, z and values (a row per part), contiguous arrays."""
        return self._block_of(slice(start, stop))

    def blocks(self, size):
        """Returns the samples in blocks of size (the last may be smaller),
        each a compact patch of the plane: a tile of two patches farther
        apart than the largest lag is skipped at once."""
        check_block(size)
        order = _patch_order(self.x, self.y, size)
        return [self._block_of(order[start:start + size])
                for start in range(0, len(self), size)]

    def _block_of(self, index):
        return tuple(np.ascontiguousarray(a[..., index])
                     for a in (self.x, self.y, self.z, self.values))

    def lag_settings(self):
        """Returns (lag, lags, lagtol, directions): what tile_sums takes."""
        return self.lag, self.lags, self.lagtol, self.directions


def _patch_order(x, y, size):
    """Orders samples by strips of x, then by y within each strip; a strip
    holds whole blocks, about as many strips as blocks a strip."""
    count = len(x)
    blocks = -(-count // size)
    strips = max(1, round(math.sqrt(blocks)))
    per_strip = -(-blocks // strips) * size
    strip = np.empty(count, dtype=np.int64)
    strip[np.argsort(x, kind="stable")] = np.arange(count) // per_strip
    return np.lexsort((y, strip))


def check_block(size):
    """Raises ValueError unless size is a whole number of samples, 1 up."""
    if isinstance(size, bool) or not isinstance(size, (int, np.integer)) \
            or size < 1:
        raise ValueError(f"block: expected a whole number of samples of 1 "
                         f"or more, found {size!r}")


def variogram_pieces(data, col=None, **options):
    """Returns the pieces of each variogram set mvario would compute.

    Args:
        data, col, **options: as mvario's (data, col2, x, y, lag, lags,
            lagtol, dirs, atol, bandwidth, indicator, cross, ...).

    Returns:
        A list of VariogramPieces, one per variogram set (one per indicator
        threshold, else one).
    """
    table, options = _data.table_input("variogram_pieces", data, col, options)
    return [VariogramPieces(piece) for piece in _native.variogram_pieces(
        table.names, table.columns, table.source(), options)]


def tile_sums(first, second, settings):
    """Returns the VariogramSums of each part over one tile of pairs.

    Args:
        first, second: blocks (VariogramPieces.block); second None for the
            pairs within first, else the pairs of a sample of each.
        settings: VariogramPieces.lag_settings().

    Every tile (i, j), i <= j, of the blocks, merged in one fixed order,
    gives the same sums on any number of machines.
    """
    lag, lags, lagtol, directions = settings
    return _native.tile_sums(first, second, lag, lags, lagtol, directions)


def mvario_of_sums(data, sums, col=None, **options):
    """Draws mvario from variogram sums computed elsewhere.

    Args:
        data, col, **options: those the pieces were made of.
        sums: for each variogram set, the merged VariogramSums of each part.

    Returns:
        The Chart mvario draws of the data, its variograms those of sums.
    """
    table, options = _data.table_input("mvario", data, col, options)
    native = _native.draw_from_sums("mvario", table.names, table.columns,
                                    table.source(), options, sums)
    return _charts.Chart("mvario", native, True)
