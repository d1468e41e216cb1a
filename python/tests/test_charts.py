"""Every chart function against the korvagraph program on the same data."""

import struct
import threading
from xml.etree import ElementTree

import numpy as np
import pandas as pd
import pytest

import korvagraph as kg

CHARTS = ["hist", "cumhist", "prob", "nqq", "qq", "scatter", "cross",
          "vario", "mvario", "varmap", "cloud", "cloudmap", "locmap"]


def test_every_library_chart_has_a_function_and_a_stub():
    stub = open(kg.__file__.replace("__init__.py", "__init__.pyi")).read()
    for name, *_ in kg._native.chart_kinds():
        assert callable(getattr(kg, name)), name
        assert f"\ndef {name}(" in stub, name
    assert sorted(CHARTS) == sorted(n for n, *_ in kg._native.chart_kinds())


@pytest.mark.parametrize("name", CHARTS)
def test_chart_of_a_dataframe_equals_the_program(name, sample, cli):
    chart = getattr(kg, name)(sample, "Copper", col2="Zinc", dirs=(0, 90),
                              highlight=10)
    expected = cli(name, "--col", "Copper", "--col2", "Zinc", "--dirs",
                   "0,90", "--highlight", "10")
    assert chart.stats == expected["stats"]
    assert chart.warnings == expected["run_warnings"] + expected["warnings"]


@pytest.mark.parametrize("name,options,args", [
    ("vario", {"indicator": ["q25", 30]}, ["--indicator", "q25,30"]),
    ("mvario", {"cross": True}, ["--cross"]),
    ("vario", {"model_type": ["spherical", "exponential"]},
     ["--model-type", "spherical,exponential"]),
    ("mvario", {"fit": "directions", "fit_weights": "pairs/h2"},
     ["--fit", "directions", "--fit-weights", "pairs/h2"]),
    ("varmap", {"lags": 5}, ["--lags", "5"]),
    ("locmap", {"colours": "quantile"}, ["--colours", "quantile"]),
])
def test_options_and_tables_as_the_program(name, options, args, sample, cli):
    chart = getattr(kg, name)(sample, "Copper", col2="Zinc", **options)
    expected = cli(name, "--col", "Copper", "--col2", "Zinc", *args)
    assert chart.stats == expected["stats"]
    assert chart.pictures[1:] == [p.rsplit("-", 1)[-1].removesuffix(".png")
                                  for p in expected["pictures"][1:]]
    rows = expected.get("table", [])
    table = chart.table
    assert (table is None) == (not rows)
    if rows:
        assert table.to_dict("records") == pytest.approx(rows)


@pytest.mark.parametrize("name", CHARTS)
def test_chart_of_arrays_equals_the_dataframe(name, sample):
    columns = {c: sample[c].to_numpy() for c in sample.columns}
    of_frame = getattr(kg, name)(sample, "Copper", col2="Zinc")
    of_arrays = getattr(kg, name)(columns["Copper"], col2=columns["Zinc"],
                                  x=columns["X"], y=columns["Y"])
    # The file's -999 values count as trimmed, an array's NaN as missing.
    numbers = {k: v for k, v in of_frame.stats.items()
               if not isinstance(v, str) and "Copper" not in k
               and "Zinc" not in k and k != "values trimmed"}
    assert {k: of_arrays.stats[k] for k in numbers} == numbers


@pytest.mark.parametrize("kind,magic", [("png", b"\x89PNG\r\n\x1a\n"),
                                        ("svg", b"<?xml"),
                                        ("pdf", b"%PDF-")])
def test_pictures_are_files_of_their_format(kind, magic, sample, tmp_path):
    chart = kg.locmap(sample, "Copper", size=(300, 200))
    picture = getattr(chart, kind)()
    assert picture.startswith(magic)
    if kind == "png":  # the header's width and height
        assert struct.unpack(">II", picture[16:24]) == (300, 200)
    elif kind == "svg":
        assert ElementTree.fromstring(picture).tag.endswith("svg")
    else:
        assert picture.rstrip().endswith(b"%%EOF")
    assert chart.save(tmp_path / f"map.{kind}") == [
        str(tmp_path / f"map.{kind}"), str(tmp_path / f"map-legend.{kind}")]
    assert (tmp_path / f"map-legend.{kind}").read_bytes().startswith(magic)
    assert chart.pixels().shape == (200, 300, 3)
    assert chart.pixels().dtype == np.uint8
    assert chart._repr_png_() == chart.png()


def test_missing_and_trimmed_values_as_the_program(tmp_path, cli):
    path = tmp_path / "trimmed.dat"
    path.write_text("trimming\n2\nX\nV\n1 3.5\n2 -999\n3 1e31\n4 7.25\n"
                    "5 2.0\n6 4.0\n")
    expected = cli("hist", "--col", "V", "--tmax", "1e30", data=path)
    read = kg.read_table(path, tmax=1e30)
    assert read["V"].isna().sum() == 2
    assert kg.hist(read, "V").stats == expected["stats"]
    assert kg.hist(kg.read_table(path), "V", tmax=1e30).stats == \
        expected["stats"]


def test_lake_survey_id_column_passed_over_as_the_program(tmp_path, cli,
                                                          sample):
    lake = pd.DataFrame({
        "Identification Number": np.arange(1, len(sample) + 1),
        "Xlocation": sample["X"], "Ylocation": sample["Y"],
        "V": sample["Copper"], "U": sample["Zinc"]})
    path = tmp_path / "lake.csv"
    lake.to_csv(path, index=False)
    expected = cli("cloud", data=path)
    chart = kg.cloud(kg.read_table(path))
    assert chart.stats == expected["stats"]
    assert chart.warnings == expected["run_warnings"] + expected["warnings"]
    assert any("Identification" in w for w in chart.warnings)


def test_transform_as_the_program(sample, cli):
    expected = cli("hist", "--col", "Copper", "--transform", "nscore")
    assert kg.hist(sample, "Copper", transform="nscore").stats == \
        expected["stats"]
    scores = kg.nscore(sample["Copper"])
    assert kg.hist(scores).stats["mean"] == expected["stats"]["mean"]


def test_wrong_column_lists_the_columns(sample):
    with pytest.raises(kg.ColumnError) as raised:
        kg.hist(sample, "Gold")
    assert isinstance(raised.value, KeyError)
    for name in sample.columns:
        assert name in str(raised.value)


@pytest.mark.parametrize("call,words", [
    (lambda s: kg.hist("data.dat"), "data: expected a pandas DataFrame"),
    (lambda s: kg.hist(s, "Copper", classes="ten"), "classes: expected a"),
    (lambda s: kg.vario(s, "Copper", dirs="north"), "dirs: expected"),
    (lambda s: kg.hist(s, "Copper", colour=1), "unexpected keyword"),
    (lambda s: kg.hist(["a", "b"]), "data: expected numbers"),
])
def test_wrong_types_say_what_was_expected(call, words, sample):
    with pytest.raises(TypeError, match=words):
        call(sample)


def test_values_out_of_range_say_what_was_expected(sample):
    with pytest.raises(ValueError, match="expected a positive distance"):
        kg.vario(sample, "Copper", lag=-5)
    with pytest.raises(ValueError, match="the azimuths of dirs"):
        kg.vario(sample, "Copper", dir=30)


def test_charts_from_threads_equal_one_thread(sample):
    expected = kg.vario(sample, "Copper").stats
    results = []
    threads = [threading.Thread(
        target=lambda: results.append(kg.vario(sample, "Copper").stats))
        for _ in range(3)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join(timeout=120)
    assert results == [expected] * 3


def test_help_documents_every_option():
    text = kg.vario.__doc__
    for name in ("lag", "dirs", "model_type", "size", "tmin"):
        assert f"    {name}: " in text
    for name in kg.__all__:
        assert getattr(kg, name).__doc__, name
