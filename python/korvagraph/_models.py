"""Variogram models: the Model and Structure classes, fits by the analysis
library's weighted least squares, and the chart library's model curve."""

import dataclasses

import pandas as pd

from korvagraph import _native


@dataclasses.dataclass
class Structure:
    """One structure of a variogram model.

    Attributes:
        type: "spherical", "exponential" (1 - exp(-3h/a): a is the practical
            range), "gaussian" (1 - exp(-3(h/a)^2)), "power" (h^w) or "hole"
            (1 - cos(pi h/a)).
        contribution: its part of the sill, in the attribute's units squared
            (power: the value at distance 1).
        range: along the major axis, in the coordinates' units (power: the
            exponent w, above 0 and below 2).
        minor_range: across the major axis; 0 means as range (isotropic).
        azimuth: of the major axis, degrees clockwise from north.
    """

    type: str = "spherical"
    contribution: float = 1.0
    range: float = 1.0
    minor_range: float = 0.0
    azimuth: float = 0.0


@dataclasses.dataclass
class Model:
    """A variogram model: a nugget and 1 to 3 nested structures.

    Attributes:
        nugget: the jump at distance 0, in the attribute's units squared.
        structures: list of Structure.
        description: how a fit made it ("spherical: nugget 0.1, sill 1,
            range 333 (fitted by weighted least squares to 11 lags)");
            empty for a model made by hand. Not compared.
        warnings: what the fit could not determine (too few lags, a range
            at the end of its search or beyond the lags). Not compared.

    Draw it with ``vario(data, model=m)``; save it with to_json or
    to_gslib and read it back with Model.parse.
    """

    nugget: float = 0.0
    structures: list = dataclasses.field(default_factory=list)
    description: str = dataclasses.field(default="", compare=False)
    warnings: list = dataclasses.field(default_factory=list, compare=False)

    @classmethod
    def single(cls, type="spherical", nugget=0.0, sill=1.0, range=1.0):
        """Returns a model of one isotropic structure reaching sill.

        Args:
            type: the structure's type (default "spherical").
            nugget: in the attribute's units squared (default 0).
            sill: nugget plus contribution (default 1).
            range: in the coordinates' units (power: the exponent)
                (default 1).

        Raises:
            ValueError: an unknown type, or values the library refuses.
        """
        return _model_of(_native.single_structure(type, nugget, sill, range))

    @classmethod
    def parse(cls, text):
        """Reads a model from its text.

        Args:
            text: a sum ("0.1 + 0.5 sph(120) + 0.4 exp(400, 150, 30)":
                contribution times type with its range, and optionally its
                minor range and azimuth), or what to_json or to_gslib wrote.

        Raises:
            ValueError: the text is none of these; the message says why.
        """
        return _model_of(_native.parse_model(text))

    @property
    def sill(self):
        """The nugget plus every contribution."""
        return self.nugget + sum(s.contribution for s in self.structures)

    def to_json(self):
        """Returns the model as the workbench saves it, in JSON."""
        return _native.model_json(self)

    def to_gslib(self):
        """Returns the model as a GSLIB variogram block."""
        return _native.model_gslib(self)


def _model_of(native, description="", warnings=()):
    nugget, structures = native
    return Model(nugget, [Structure(*s) for s in structures], description,
                 list(warnings))


def model_of_fit(fit):
    """Returns the Model of a native fit (model, description, warnings)."""
    return _model_of(fit[0], fit[1], fit[2])


def fit(variograms, model_type="spherical", nugget=None, sill=None,
        range=None, **options):
    """Fits a variogram model by the analysis library's weighted least squares.

    With no other option, one structure and a nugget fitted to the
    omnidirectional variogram, each lag weighted by its pairs (the fit the
    vario chart draws by default).

    Args:
        variograms: a Chart of vario or mvario, or its .table (a DataFrame
            of direction, lag, distance, semivariance and pairs, whose attrs
            give lag, lags, lagtol, variance, atol and bandwidth). A table
            holds the lags from 1 on: the pairs closer than half a lag,
            which a Chart's fit also uses, are not in it.
        model_type: the structure's type: "spherical" (default),
            "exponential", "gaussian", "power" or "hole"; or a sequence of
            up to 3 of them, fitted as nested structures.
        nugget, sill, range: fix these values (sill includes the nugget;
            range in the coordinates' units; power: the exponent); None
            (default) fits them.
        **options: fit ("directions": one major azimuth and the ranges
            along and across it, fitted to every direction at once),
            fit_weights ("pairs" or "pairs/h2"), model (a Model returned as
            it is).

    Returns:
        The Model, with .description and .warnings of the fit.

    Raises:
        TypeError: variograms is neither a variogram Chart nor a table.
        ValueError: fixed values the library refuses, or a table it cannot
            read (the message says why).
    """
    options.update(model_type=model_type, nugget=nugget, sill=sill,
                   range=range)
    from korvagraph._charts import Chart  # the charts import this module
    if isinstance(variograms, Chart) and variograms._variograms:
        return model_of_fit(variograms._native.fit(options))
    if isinstance(variograms, pd.DataFrame):
        return model_of_fit(_fit_table(variograms, options))
    raise TypeError("fit: expected a Chart of vario or mvario, or its table; "
                    f"got {type(variograms).__name__}")


def _fit_table(table, options):
    attrs = table.attrs
    missing = [name for name in ("lag", "lags", "variance")
               if name not in attrs]
    if missing:
        raise ValueError("fit: the table's attrs lack " + ", ".join(missing) +
                         ": fit a Chart's .table, or set them")
    if "variogram" in table and table["variogram"].nunique() > 1:
        raise ValueError("fit: the table holds several variograms: fit the "
                         "rows of one, such as "
                         "table[table.variogram == table.variogram[0]]")
    try:
        columns = [table[name] for name in
                   ("direction", "lag", "distance", "semivariance", "pairs")]
    except KeyError as error:
        raise ValueError(f"fit: the table has no column {error}") from None
    return _native.fit_table(
        [str(d) for d in columns[0]], columns[1].to_numpy(),
        columns[2].to_numpy(float), columns[3].to_numpy(float),
        columns[4].to_numpy(), float(attrs["lag"]), int(attrs["lags"]),
        float(attrs.get("lagtol", 0.0)), float(attrs["variance"]),
        float(attrs.get("atol", 22.5)), float(attrs.get("bandwidth", 0.0)),
        options)


def model_curve(model, lag, count, azimuth=0.0):
    """Returns the model's curve from the chart library (_kvCptVModel).

    Args:
        model: a Model, or its text (see Model.parse).
        lag: the lag spacing of the variogram it goes with, in the
            coordinates' units.
        count: its number of lags, 1 to 1000.
        azimuth: the direction, degrees clockwise from north (default 0).

    Returns:
        A DataFrame of 2 count + 4 rows, distance and semivariance: at 0, just
        after 0 (the nugget's jump), then every half lag up to count + 1
        lags.
    """
    distance, semivariance = _native.model_curve(model, lag, count, azimuth)
    return pd.DataFrame({"distance": distance, "semivariance": semivariance})
