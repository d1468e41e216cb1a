"""The chart library's transforms over numpy arrays and pandas Series."""

import pandas as pd

from korvagraph import _data, _native


def nscore(values, tmin=-_data.OPEN_LIMIT, tmax=_data.OPEN_LIMIT):
    """Returns the normal scores of values, through the library's _kvTranNcore.

    The score of a value is G^-1((r - 0.5) / n), G the standard normal
    distribution, r its rank among the n values inside [tmin, tmax], tied
    values sharing their average rank.

    Args:
        values: numbers (an array, a Series or a sequence); NaN is missing.
        tmin, tmax: the window of the values transformed, bounds included
            (default -1e21 and 1e21).

    Returns:
        A new float array of values' shape (a Series with its index for a
        Series): the scores, NaN for values outside the window or missing.
        values is not changed.
    """
    return _transformed(values, "nscore",
                        lambda array: _native.nscore(array, tmin, tmax),
                        tmin, tmax)


def log_transform(values, shift=0.0, tmin=-_data.OPEN_LIMIT,
                  tmax=_data.OPEN_LIMIT):
    """Returns ln(value + shift) of values, through the library's _kvTranLog.

    Args:
        values: numbers (an array, a Series or a sequence); NaN is missing.
        shift: added to each value before the logarithm (default 0);
            value + shift below 0.01 gives -2.2.
        tmin, tmax: the window of the values transformed, bounds included
            (default -1e21 and 1e21).

    Returns:
        A new float array of values' shape (a Series with its index for a
        Series), NaN for values outside the window or missing. values is not
        changed.
    """
    shift = _data._number(shift, "log_transform: shift")
    return _transformed(values, "log_transform",
                        lambda array: _native.log_transform(array, shift, tmin,
                                                            tmax),
                        tmin, tmax)


def _transformed(values, function, transform, tmin, tmax):
    _data._number(tmin, f"{function}: tmin")
    _data._number(tmax, f"{function}: tmax")
    result = transform(_data._floats(values, f"{function}: values"))
    if isinstance(values, pd.Series):
        return pd.Series(result, index=values.index, name=values.name)
    return result
