"""Shared fixtures: the bundled sample and the build's korvagraph program,
whose --json output the module's numbers are compared with."""

import json
import os
import subprocess

import pytest

import korvagraph as kg

SAMPLE = os.environ.get("KORVAGRAPH_SAMPLE", "data/sample.dat")
PROGRAM = os.environ.get("KORVAGRAPH_PROGRAM", "korvagraph")


@pytest.fixture(scope="session")
def sample():
    return kg.read_table(SAMPLE)


@pytest.fixture
def cli(tmp_path):
    """Runs `korvagraph CHART --json` on a file; returns its chart's JSON
    object with the run's warnings."""
    def run(chart, *args, data=SAMPLE):
        out = subprocess.run(
            [PROGRAM, chart, "--data", str(data), "--json", "--quiet",
             "--out", str(tmp_path / f"{chart}.png"), *args],
            check=True, capture_output=True, text=True, timeout=120).stdout
        document = json.loads(out)
        result = document["charts"][0]
        result["run_warnings"] = document["warnings"]
        return result
    return run
