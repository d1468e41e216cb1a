# Type stubs of korvagraph. A chart is one line among the chart functions
# below; an option one line of Options.
from collections.abc import Mapping, Sequence
from os import PathLike
from typing import Any, Literal, TypedDict, Union

import numpy as np
import numpy.typing as npt
import pandas as pd
from typing_extensions import Unpack

Data = Union[pd.DataFrame, pd.Series, Mapping[str, npt.ArrayLike],
             npt.ArrayLike]
Column = Union[str, int, npt.ArrayLike, None]
ModelType = Literal["spherical", "exponential", "gaussian", "power", "hole"]

class Options(TypedDict, total=False):
    tmin: float | None
    tmax: float | None
    transform: Literal["none", "log", "nscore"] | None
    shift: float | None
    col2: Column
    x: Column
    y: Column
    z: Column
    weight: Column
    classes: int | None
    cumulative: bool | None
    highlight: int | None
    cloud_max: int | None
    size: tuple[int, int] | None
    lag: float | None
    lags: int | None
    lagtol: float | None
    dirs: float | Sequence[float] | None
    atol: float | None
    bandwidth: float | None
    dir: Literal["omni"] | float | None
    indicator: float | str | Sequence[float | str] | None
    cross: bool | None
    colours: Literal["linear", "quantile"] | None
    model_type: ModelType | Sequence[ModelType] | None
    nugget: float | None
    sill: float | None
    range: float | None
    model: Model | str | None
    fit: Literal["omni", "directions"] | None
    fit_weights: Literal["pairs", "pairs/h2"] | None

OPEN_LIMIT: float
__version__: str

class ColumnError(KeyError): ...

class Structure:
    type: str
    contribution: float
    range: float
    minor_range: float
    azimuth: float
    def __init__(self, type: str = ..., contribution: float = ...,
                 range: float = ..., minor_range: float = ...,
                 azimuth: float = ...) -> None: ...

class Model:
    nugget: float
    structures: list[Structure]
    description: str
    warnings: list[str]
    def __init__(self, nugget: float = ...,
                 structures: list[Structure] = ..., description: str = ...,
                 warnings: list[str] = ...) -> None: ...
    @classmethod
    def single(cls, type: ModelType = ..., nugget: float = ...,
               sill: float = ..., range: float = ...) -> Model: ...
    @classmethod
    def parse(cls, text: str) -> Model: ...
    @property
    def sill(self) -> float: ...
    def to_json(self) -> str: ...
    def to_gslib(self) -> str: ...

class Chart:
    name: str
    @property
    def stats(self) -> dict[str, Any]: ...
    @property
    def warnings(self) -> list[str]: ...
    @property
    def pictures(self) -> list[str]: ...
    @property
    def table(self) -> pd.DataFrame | None: ...
    @property
    def model(self) -> Model | None: ...
    def png(self, scale: float = ..., picture: str = ...) -> bytes: ...
    def svg(self, picture: str = ...) -> bytes: ...
    def pdf(self, picture: str = ...) -> bytes: ...
    def save(self, path: str | PathLike[str],
             scale: float = ...) -> list[str]: ...
    def pixels(self, picture: str = ...) -> npt.NDArray[np.uint8]: ...
    def _repr_png_(self) -> bytes: ...
    def _repr_svg_(self) -> str: ...

class Workbench:
    url: str
    port: int
    @property
    def running(self) -> bool: ...
    def stop(self) -> None: ...
    def __enter__(self) -> Workbench: ...
    def __exit__(self, *exc: object) -> None: ...
    def _repr_html_(self) -> str: ...

def read_table(path: str | PathLike[str], tmin: float = ...,
               tmax: float = ...) -> pd.DataFrame: ...
def read_geoeas(path: str | PathLike[str], tmin: float = ...,
                tmax: float = ...) -> pd.DataFrame: ...

# The chart functions.
def hist(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def cumhist(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def prob(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def nqq(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def qq(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def scatter(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def cross(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def vario(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def mvario(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def varmap(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def cloud(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def cloudmap(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...
def locmap(
    data: Data, col: Column = ..., **options: Unpack[Options]) -> Chart: ...

def fit(variograms: Chart | pd.DataFrame,
        model_type: ModelType | Sequence[ModelType] = ...,
        nugget: float | None = ..., sill: float | None = ...,
        range: float | None = ..., **options: Unpack[Options]) -> Model: ...
def model_curve(model: Model | str, lag: float, count: int,
                azimuth: float = ...) -> pd.DataFrame: ...
def nscore(values: npt.ArrayLike, tmin: float = ...,
           tmax: float = ...) -> Any: ...
def log_transform(values: npt.ArrayLike, shift: float = ...,
                  tmin: float = ..., tmax: float = ...) -> Any: ...
def serve(data: Data, col: Column = ..., port: int = ..., height: int = ...,
          **options: Unpack[Options]) -> Workbench: ...

# Variograms in pieces.
Block = tuple[npt.NDArray[np.float64], npt.NDArray[np.float64],
              npt.NDArray[np.float64], npt.NDArray[np.float64]]
Direction = tuple[float, float, float]
LagSettings = tuple[float, int, float, list[Direction]]

class VariogramSums:
    directions: int
    entries: int
    def __init__(self, directions: int = ..., entries: int = ...) -> None: ...
    @property
    def pairs(self) -> npt.NDArray[np.int64]: ...
    @property
    def distance(self) -> npt.NDArray[np.float64]: ...
    @property
    def squared(self) -> npt.NDArray[np.float64]: ...
    def merge(self, other: VariogramSums) -> None: ...

class VariogramPieces:
    name: str
    x: npt.NDArray[np.float64]
    y: npt.NDArray[np.float64]
    z: npt.NDArray[np.float64]
    values: npt.NDArray[np.float64]
    weights: list[float]
    lag: float
    lags: int
    lagtol: float
    directions: list[Direction]
    def __len__(self) -> int: ...
    def block(self, start: int, stop: int) -> Block: ...
    def blocks(self, size: int) -> list[Block]: ...
    def lag_settings(self) -> LagSettings: ...

def variogram_pieces(data: Data, col: Column = ...,
                     **options: Unpack[Options]) -> list[VariogramPieces]: ...
def tile_sums(first: Block, second: Block | None,
              settings: LagSettings) -> list[VariogramSums]: ...
def mvario_of_sums(data: Data, sums: Sequence[Sequence[VariogramSums]],
                   col: Column = ...,
                   **options: Unpack[Options]) -> Chart: ...
