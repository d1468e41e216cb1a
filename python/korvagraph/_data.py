"""Data in and out: DataFrames, Series, mappings and numpy arrays turned into
the analysis library's tables, and GeoEAS or CSV files read into DataFrames.
"""

import errno
import os
from collections.abc import Mapping

import numpy as np
import pandas as pd

from korvagraph import _native

#: The open trimming limit: no value is trimmed by -OPEN_LIMIT or OPEN_LIMIT.
OPEN_LIMIT = 1e21

# Keywords that name a column and may instead hold the column's values, with
# the name such values get when they have none of their own.
_COLUMN_KEYWORDS = {"col": "value", "col2": "value2", "x": "x", "y": "y",
                    "z": "z", "weight": "weight"}


def read_table(path, tmin=-OPEN_LIMIT, tmax=OPEN_LIMIT):
    """Reads a GeoEAS or CSV file into a DataFrame, as korvagraph reads it.

    Args:
        path: the file (str or path-like). A .csv or .tsv name is CSV; any
            other name is told by its content (a second line holding one
            whole number is GeoEAS).
        tmin: trimming limit: values below it are missing (default -1e21).
        tmax: trimming limit: values at or above it are missing, such as
            1e31 (default 1e21).

    Returns:
        A DataFrame of float columns in the file's order, missing values
        (empty fields, NA, -999 and below, values outside the limits) as
        NaN. ``df.attrs`` holds "title" (the GeoEAS title line, or the CSV
        file's name), "path", "format" ("geoeas" or "csv"), "warnings" (what
        the reader noticed) and "trimmed" (values each column's limits
        made missing); the chart functions read them back.

    Raises:
        FileNotFoundError: no file at path.
        ValueError: the file is not a table; the message names the line.
    """
    return _read(path, "auto", tmin, tmax)


def read_geoeas(path, tmin=-OPEN_LIMIT, tmax=OPEN_LIMIT):
    """Reads a GeoEAS file into a DataFrame, whatever its name.

    A title line, the number of columns, one name per line, then rows of
    whitespace-separated numbers; -999 and below are missing. Arguments,
    result and errors as read_table's.
    """
    return _read(path, "geoeas", tmin, tmax)


def _read(path, form, tmin, tmax):
    path = os.fspath(path)
    if not os.path.exists(path):
        raise FileNotFoundError(errno.ENOENT, os.strerror(errno.ENOENT), path)
    limits = [_number(tmin, "tmin"), _number(tmax, "tmax")]
    names, columns, title, where, fmt, warnings, trimmed = _native.read_table(
        path, form, *limits)
    frame = pd.DataFrame(dict(enumerate(columns)))
    frame.columns = names
    frame.attrs.update(title=title, path=where, format=fmt,
                       warnings=list(warnings),
                       trimmed=dict(zip(names, trimmed)))
    return frame


def _number(value, name):
    if isinstance(value, bool) or not isinstance(value, (int, float,
                                                         np.number)):
        raise TypeError(f"{name}: expected a number, got "
                        f"{type(value).__name__}")
    return float(value)


def _floats(values, what):
    """Returns values as a 1-D float array (NaN for missing values)."""
    if isinstance(values, (str, bytes)) or values is None:
        raise TypeError(f"{what}: expected numbers, got "
                        f"{type(values).__name__}")
    try:
        if isinstance(values, (pd.Series, pd.Index)):
            array = values.to_numpy(dtype=np.float64, na_value=np.nan)
        else:
            array = np.asarray(values, dtype=np.float64)
    except (TypeError, ValueError):
        held = getattr(values, "dtype", "other values")
        raise TypeError(f"{what}: expected numbers, got "
                        f"{type(values).__name__} of {held}") from None
    if array.ndim != 1:
        raise TypeError(f"{what}: expected one dimension of values, got "
                        f"{array.ndim}")
    return np.ascontiguousarray(array)


def _is_numeric(column):
    return (pd.api.types.is_numeric_dtype(column.dtype)
            or pd.api.types.is_bool_dtype(column.dtype))


class _TableInput:
    """The columns of a call as the native module takes them."""

    def __init__(self, title, path):
        self.names = []
        self.columns = []
        self.title = title
        self.path = path
        self.warnings = []
        self.trimmed = []

    def add(self, name, values, what, trimmed=0):
        self.names.append(str(name))
        self.columns.append(_floats(values, what))
        self.trimmed.append(int(trimmed))

    def source(self):
        return (self.title, self.path, self.warnings, self.trimmed)


def table_input(function, data, col, options):
    """Returns the table input and the options of a call.

    data is a DataFrame, a mapping of names to arrays, a Series or an array
    of values; the column keywords (col, col2, x, y, z, weight) name its
    columns or hold values of their own, which are added as columns.
    """
    options = dict(options)
    if col is not None:
        options["col"] = col
    if isinstance(data, pd.DataFrame):
        attrs = data.attrs
        table = _TableInput(str(attrs.get("title", "")),
                            str(attrs.get("path", "DataFrame")))
        table.warnings.extend(str(w) for w in attrs.get("warnings", ()))
        trimmed = attrs.get("trimmed", {})
        for position, name in enumerate(data.columns):
            column = data.iloc[:, position]
            if _is_numeric(column):
                table.add(name, column, f"{function}: column {name!r}",
                          trimmed.get(name, 0))
            else:
                table.warnings.append(
                    f'column "{name}" holds {column.dtype}, not numbers: '
                    "left out")
    elif isinstance(data, Mapping):
        table = _TableInput("", "mapping")
        for name, values in data.items():
            table.add(name, values, f"{function}: data[{name!r}]")
    elif isinstance(data, (pd.Series, np.ndarray, list, tuple, pd.Index)):
        table = _TableInput("", "array")
        options["col"] = _values_column(table, data, "col", options.get("col"),
                                        function)
    else:
        raise TypeError(
            f"{function}: data: expected a pandas DataFrame, a Series, a "
            "mapping of column names to arrays, or an array of numbers; got "
            f"{type(data).__name__}")
    for keyword in _COLUMN_KEYWORDS:
        value = options.get(keyword)
        if _holds_values(value):
            options[keyword] = _values_column(table, value, keyword, None,
                                              function)
    return table, options


def _holds_values(value):
    return isinstance(value, (pd.Series, np.ndarray, list, tuple, pd.Index))


def _values_column(table, values, keyword, name, function):
    """Adds values as a column of table; returns the name that finds it."""
    if name is None:
        name = getattr(values, "name", None)
    name = _COLUMN_KEYWORDS[keyword] if name is None else str(name)
    while name in table.names:
        name += "'"
    table.add(name, values,
              f"{function}: {'data' if keyword == 'col' else keyword}")
    return name
