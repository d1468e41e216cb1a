"""The chart functions and the Chart they return.

Every chart of the analysis library's chart table has a function of its
name here, made from one entry of _CHARTS: the options it reads and whether
it holds variograms (a table of lags and a model).
"""

import json
import textwrap
from typing import NamedTuple

import pandas as pd

from korvagraph import _data, _models, _native

# Options every chart reads: the data's trimming, transform and picture.
_COMMON = "tmin tmax transform shift size"
_VARIOGRAM = "x y lag lags lagtol dirs atol bandwidth indicator cross col2"
_MODEL = "model_type nugget sill range model fit fit_weights"


class _ChartEntry(NamedTuple):
    options: str       # the keywords it reads besides col and _COMMON
    variograms: bool   # Chart.table and Chart.model hold its variograms


# One entry per chart, named as the library's chart table names it (and the
# command line's command). A chart the library adds without an entry here
# still gets its function, documented with every option.
_CHARTS = {
    "hist": _ChartEntry("weight classes cumulative", False),
    "cumhist": _ChartEntry("weight", False),
    "prob": _ChartEntry("", False),
    "nqq": _ChartEntry("", False),
    "qq": _ChartEntry("col2", False),
    "scatter": _ChartEntry("col2", False),
    "cross": _ChartEntry("col2", False),
    "vario": _ChartEntry(f"{_VARIOGRAM} dir {_MODEL}", True),
    "mvario": _ChartEntry(f"{_VARIOGRAM} {_MODEL}", True),
    "varmap": _ChartEntry("x y lag lags colours", False),
    "cloud": _ChartEntry("x y lag highlight cloud_max", False),
    "cloudmap": _ChartEntry("x y lag highlight cloud_max", False),
    "locmap": _ChartEntry("x y colours", False),
}


class Chart:
    """A chart the library drew, with the numbers behind it.

    Made by the chart functions (hist, vario, ...), never directly.
    Attributes and methods:
        name: the chart's name, as the command line's command.
        stats: dict of what the chart's compute step returned, as
            ``korvagraph NAME --json`` writes it (numbers as numbers).
        warnings: list of the analysis library's warnings for this chart:
            those about the whole data first, then the chart's own.
        table: the numbers behind the chart as a DataFrame: a variogram
            chart's lags, the variogram map's cells; None for others.
        model: variogram charts: the Model drawn; None otherwise.
        pictures: names of the pictures drawn: "" the chart, "legend" a
            map's legend, "2", "3", ... the further indicator variograms.
        png(), svg(), pdf(), save(), pixels(): the pictures.

    Threads: a Chart is safe to use from one thread at a time. Its calls
    release the GIL, and every call of the module into the chart library
    takes one lock, so charts drawn in several threads draw one at a time.
    """

    def __init__(self, name, native, variograms):
        self.name = name
        self._native = native
        self._variograms = variograms
        self._stats = None
        self._table = None

    def __repr__(self):
        return f"<korvagraph.Chart {self.name}>"

    @property
    def stats(self):
        """The chart's numbers, as the command line's --json writes them."""
        if self._stats is None:
            self._stats = json.loads(self._native.stats_json)
        return dict(self._stats)

    @property
    def warnings(self):
        """The analysis library's warnings: the data's, then the chart's."""
        return list(self._native.warnings)

    @property
    def pictures(self):
        """Names of the pictures: "" the chart, "legend" a map's legend."""
        return list(self._native.pictures)

    @property
    def table(self):
        """The numbers behind the chart as a DataFrame, or None.

        Variogram charts: direction ("omni" or the azimuth), lag (1, 2, ...),
        distance (the mean distance of its pairs), semivariance, pairs; with
        several variograms (indicators) a first column, variogram, names
        each. ``attrs`` holds what fit needs besides: lag (spacing), lags,
        lagtol, variance (the sill line), atol, bandwidth. The variogram
        map: dx, dy, semivariance, pairs, a row per cell.
        """
        if self._table is None:
            columns = self._native.table()
            if not columns:
                return None
            self._table = pd.DataFrame(columns)
            if self._variograms:
                self._table.attrs.update(self._native.variogram_attrs())
        table = self._table.copy()
        table.attrs = dict(self._table.attrs)
        return table

    @property
    def model(self):
        """Variogram charts: the Model drawn (fitted or given); else None."""
        if not self._variograms:
            return None
        return _models.model_of_fit(self._native.fitted_model())

    def png(self, scale=1.0, picture=""):
        """Returns the picture as PNG bytes.

        Args:
            scale: pixels per pixel of the window, 0.25 to 8 (default 1:
                the window's own raster; others draw the picture anew).
            picture: "" the chart (default), "legend" a map's legend.
        """
        return self._native.picture(picture, "png", scale)

    def svg(self, picture=""):
        """Returns the picture as SVG bytes: text as text, sharp at any zoom.

        Args:
            picture: "" the chart (default), "legend" a map's legend.
        """
        return self._native.picture(picture, "svg", 1.0)

    def pdf(self, picture=""):
        """Returns the picture as PDF bytes, drawn as the SVG is.

        Args:
            picture: "" the chart (default), "legend" a map's legend.
        """
        return self._native.picture(picture, "pdf", 1.0)

    def save(self, path, scale=1.0):
        """Saves every picture; returns the paths written.

        Args:
            path: the file, whose extension (.png, .svg, .pdf) chooses the
                format; a map's legend goes beside it (map-legend.png).
            scale: PNG only: pixels per pixel, 0.25 to 8 (default 1).
        """
        return self._native.save(str(path), scale)

    def pixels(self, picture=""):
        """Returns the picture's pixels as an (height, width, 3) uint8 array.

        Args:
            picture: "" the chart (default), "legend" a map's legend.
        """
        return self._native.pixels(picture)

    def _repr_png_(self):
        return self.png()

    def _repr_svg_(self):
        return self.svg().decode("utf-8")


def option_help(names=None):
    """Returns the help of the options named (default: all), wrapped."""
    helps = {name: text for name, text, _ in _native.option_helps()}
    wanted = list(helps) if names is None else names.split()
    return "\n".join(textwrap.fill(f"{name}: {helps[name]}", 76,
                                   initial_indent=" " * 8,
                                   subsequent_indent=" " * 12)
                     for name in wanted)


def _chart_doc(name, title, description, entry):
    variograms = (", .table (the lags of every direction) and .model"
                  if entry is not None and entry.variograms else
                  ", .table (a row per cell)" if name == "varmap" else "")
    if entry is None:
        reads = "every option:\n" + option_help()
    elif entry.options:
        reads = "these:\n" + option_help(entry.options)
    else:
        reads = "no other option;"
    summary = textwrap.fill(
        f"Draws the chart through the analysis library, as ``korvagraph "
        f"{name}`` does, and returns a Chart: .stats (the numbers as "
        f"``--json`` writes them), .warnings, the pictures (.png(), .svg(), "
        f".pdf(), .save(), .pixels()){variograms}.", 76)
    return f"""{textwrap.fill(f"{title}: {description}.", 76)}

{summary}

Args:
    data: a pandas DataFrame, a Series, a mapping of column names to
        arrays, or an array of values. Missing values are NaN; values at
        or below -999 are missing too.
    col: the attribute: a column name (the whole name or its first word,
        in any case) or a 1-based column number (default: the first column
        that is not a coordinate, an ID or the weight). The keywords that
        name columns (col2, x, y, z, weight) may instead hold arrays.
    **options: keyword arguments named as the command line's options
        (--model-type is model_type); the chart reads {reads}
        and, as every chart:
{option_help(_COMMON)}
        None leaves an option at its default; other options are accepted and
        not used, as the command line does.

Raises:
    ColumnError: a named column is not there (a KeyError; the message
        lists the columns).
    TypeError: data or an option of the wrong type.
    ValueError: an option out of range, or data that cannot give the chart
        (the message says why).
"""


def _chart_function(name, title, description):
    entry = _CHARTS.get(name)

    def chart(data, col=None, **options):
        table, options = _data.table_input(name, data, col, options)
        native = _native.draw(name, table.names, table.columns,
                              table.source(), options)
        return Chart(name, native, entry is not None and entry.variograms)

    chart.__name__ = chart.__qualname__ = name
    chart.__module__ = "korvagraph"
    chart.__doc__ = _chart_doc(name, title, description, entry)
    return chart


#: The chart functions, by name, in the library's gallery order.
CHART_FUNCTIONS = {name: _chart_function(name, title, description)
                   for name, title, description, _ in _native.chart_kinds()}
