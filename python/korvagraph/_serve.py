"""The browser workbench of korvagraph, served from a notebook."""

import html

from korvagraph import _data, _native


class Workbench:
    """The workbench served in the background on 127.0.0.1.

    Made by serve. Attributes:
        url: its address, "http://127.0.0.1:PORT/".
        port: the port it listens on.
        running: False once stopped.

    In a notebook it shows as the page in a frame. The server runs in a
    process of its own (the chart library draws in one thread at a time),
    which ends with stop(), with this object, or with the Python process.
    """

    def __init__(self, native, height):
        self._native = native
        self._height = height
        self.port = native.port
        self.url = f"http://127.0.0.1:{self.port}/"

    def __repr__(self):
        state = "running" if self.running else "stopped"
        return f"<korvagraph.Workbench {self.url} {state}>"

    @property
    def running(self):
        """True until stop()."""
        return self._native.running

    def stop(self):
        """Stops the server (at most 2 s); does nothing the second time."""
        self._native.stop()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    def _repr_html_(self):
        url = html.escape(self.url, quote=True)
        return (f'<iframe src="{url}" width="100%" height="{self._height}" '
                'style="border: 1px solid #ccc"></iframe>'
                f'<p><a href="{url}" target="_blank">{url}</a></p>')


def serve(data, col=None, port=0, height=900, **options):
    """Serves the variogram workbench of data on 127.0.0.1 in the background.

    The page of ``korvagraph serve``: the variogram of a direction with its
    model, the variograms of every direction, the cloud, its pair map and
    the location map, each drawn by the library on request, with picking,
    box selection and model fitting.

    Args:
        data: a DataFrame, a Series, a mapping of names to arrays, or an
            array of values (as the chart functions take it).
        col: the attribute: a column name or 1-based number (default: the
            first column that is not a coordinate, an ID or the weight).
        port: the port, 0 (default) for any free one.
        height: the frame's height in pixels in a notebook (default 900).
        **options: where the page starts: the chart functions' keywords
            (x, y, tmin, tmax, transform, lag, lags, dirs, atol, model_type,
            ...).

    Returns:
        A Workbench: .url, .stop(); shown as the page in a notebook.

    Raises:
        ColumnError, TypeError, ValueError: as the chart functions; also
        ValueError when the port cannot be listened on.
    """
    if isinstance(port, bool) or not isinstance(port, int):
        raise TypeError(f"serve: port: expected an int, got "
                        f"{type(port).__name__}")
    table, options = _data.table_input("serve", data, col, options)
    native = _native.serve(table.names, table.columns, table.source(),
                           options, port)
    return Workbench(native, height)
