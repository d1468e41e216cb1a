"""Models, fits, the model curve, transforms and the workbench."""

import urllib.error
import urllib.request

import numpy as np
import pytest

import korvagraph as kg


@pytest.fixture(scope="module")
def variogram(sample):
    return kg.vario(sample, "Copper", model_type="exponential", nugget=0)


def test_fit_of_the_chart_is_the_model_it_drew(variogram, cli):
    expected = cli("vario", "--col", "Copper", "--model-type", "exponential",
                   "--model", "0,,")["stats"]
    model = kg.fit(variogram, model_type="exponential", nugget=0)
    assert model == variogram.model
    assert model.description == expected["model"]
    assert model.sill == pytest.approx(expected["model sill"], rel=1e-12)
    assert model.structures[0].range == expected["model range"]


def test_fit_of_the_table_skips_only_the_closest_pairs(variogram):
    table = variogram.table
    assert list(table.columns) == ["direction", "lag", "distance",
                                   "semivariance", "pairs"]
    assert set(table["direction"]) == {"omni", "0", "45", "90", "135"}
    assert table["lag"].min() == 1
    model = kg.fit(table, model_type="exponential", nugget=0)
    assert model.structures[0].type == "exponential"
    assert "13 lags" in model.description


def test_given_model_is_drawn_and_texts_read_back(sample):
    model = kg.Model.parse("10 + 200 sph(300)")
    assert model == kg.Model.single("spherical", 10, 210, 300)
    assert kg.Model.parse(model.to_json()) == model
    assert kg.Model.parse(model.to_gslib()) == model
    chart = kg.vario(sample, "Copper", model=model)
    assert chart.model == model
    assert chart.stats["model nugget"] == 10


def test_model_curve_from_the_library():
    curve = kg.model_curve(kg.Model.single("spherical", 1, 3, 100), 50, 4)
    assert len(curve) == 12
    assert list(curve["distance"].iloc[[0, 2, -1]]) == [0, 25, 250]
    semivariance = curve["semivariance"]
    assert 1 < semivariance.iloc[2] < 3 == semivariance.iloc[-1]


def test_transforms_return_new_arrays():
    values = np.array([5.0, 1.0, 3.0, np.nan, 1e30])
    kept = values.copy()
    scores = kg.nscore(values, tmax=1e21)
    np.testing.assert_array_equal(values, kept)
    assert scores[1] < scores[2] < scores[0]
    assert np.isnan(scores[3]) and np.isnan(scores[4])
    logs = kg.log_transform(values, shift=1.0)
    assert logs[1] == np.log(2.0)


def test_serve_answers_on_loopback_and_stops(sample):
    workbench = kg.serve(sample, "Copper", port=0)
    try:
        assert workbench.url.startswith("http://127.0.0.1:")
        assert workbench.url in workbench._repr_html_()
        with urllib.request.urlopen(workbench.url, timeout=10) as page:
            assert page.status == 200
        with urllib.request.urlopen(workbench.url + "chart/vario.png",
                                    timeout=30) as picture:
            assert picture.read().startswith(b"\x89PNG")
    finally:
        workbench.stop()
    assert not workbench.running
    with pytest.raises(urllib.error.URLError):
        urllib.request.urlopen(workbench.url, timeout=5)
