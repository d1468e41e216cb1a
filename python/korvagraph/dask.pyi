# Type stubs of korvagraph.dask.
from typing import Any

from typing_extensions import Unpack

from korvagraph import Chart, Column, Data, Options

DEFAULT_BLOCK: int

def variograms(data: Data, col: Column = ..., *, client: Any = ...,
               block: int = ..., progress: bool = ...,
               **options: Unpack[Options]) -> Chart: ...
