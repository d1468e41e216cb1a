"""KorvaGraphLib for Python: charts of spatial statistics and the numbers
behind them, from pandas DataFrames and numpy arrays.

The module calls the analysis library and the chart library that the
korvagraph command line uses, so a chart shows the same picture and the
same numbers as ``korvagraph NAME --json`` on the same data.

    import korvagraph as kg
    df = kg.read_table("data/sample.dat")        # GeoEAS or CSV
    h = kg.hist(df, "Copper", classes=20)        # shown inline in a notebook
    h.stats["mean"], h.warnings
    v = kg.vario(df, "Copper", dirs=(0, 45, 90, 135), dir=45)
    v.table                                      # lags of every direction
    m = kg.fit(v, model_type="exponential")
    kg.vario(df, "Copper", model=m).save("vario.png")
    kg.serve(df, "Copper")                       # the browser workbench

Charts: hist, cumhist, prob, nqq, qq, scatter, cross, vario, mvario,
varmap, cloud, cloudmap, locmap, one function each, named as the command
line's commands; their keyword arguments are named as its options
(--model-type is model_type). Data: read_table, read_geoeas. Models: Model,
Structure, fit, model_curve. Transforms: nscore, log_transform. The
workbench: serve. Variograms in pieces, for running them elsewhere:
variogram_pieces, tile_sums, VariogramSums, mvario_of_sums; on a Dask
cluster: korvagraph.dask.variograms.

Units: distances and ranges in the coordinates' units, angles in degrees
(azimuths clockwise from north), semivariances in the attribute's units
squared, picture sizes in pixels.

Threads: every call releases the GIL while it computes or draws. The chart
library is single-threaded: one lock in the module lets one call at a time
into it, so charts drawn from several threads draw one after the other. A
Chart is safe to use from one thread at a time.
"""

from korvagraph import _native
from korvagraph._charts import CHART_FUNCTIONS as _CHART_FUNCTIONS
from korvagraph._charts import Chart
from korvagraph._data import OPEN_LIMIT, read_geoeas, read_table
from korvagraph._models import Model, Structure, fit, model_curve
from korvagraph._pieces import (VariogramPieces, VariogramSums,
                                mvario_of_sums, tile_sums, variogram_pieces)
from korvagraph._serve import Workbench, serve
from korvagraph._transforms import log_transform, nscore

ColumnError = _native.ColumnError
for _public in (Chart, Model, Structure, VariogramPieces, VariogramSums,
                Workbench):
    _public.__module__ = __name__
del _public

globals().update(_CHART_FUNCTIONS)

__version__ = _native.__version__
__all__ = [
    *_CHART_FUNCTIONS, "Chart", "ColumnError", "Model", "OPEN_LIMIT",
    "Structure", "VariogramPieces", "VariogramSums", "Workbench", "fit",
    "log_transform", "model_curve", "mvario_of_sums", "nscore", "read_geoeas",
    "read_table", "serve", "tile_sums", "variogram_pieces"]
