// Writes the bundled sample data set in GeoEAS form, or a larger one of the
// same model for benchmarks.
// Usage: generate_sample [--count N] [OUTPUT]   (default data/sample.dat)
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "korvagraph/analysis/table.h"
#include "tools/sample_data/sample_generator.h"

int main(int argc, char** argv) {
  SampleModel model;
  std::string path = "data/sample.dat";
  CLI::App app{"Writes the sample data set of the KorvaGraph gallery."};
  app.add_option("--count", model.count, "samples to write")
      ->check(CLI::Range(2, 10000000));
  app.add_option("output", path, "the GeoEAS file to write");
  CLI11_PARSE(app, argc, argv);
  const korvagraph::analysis::Table data = GenerateSample(model);
  const korvagraph::analysis::Status status =
      korvagraph::analysis::WriteGeoEasFile(data, SampleDecimals(), path);
  if (!status.ok()) {
    std::fprintf(stderr, "generate_sample: %s\n", status.ToString().c_str());
    return 1;
  }
  std::printf("generate_sample: %lld samples written to %s\n",
              static_cast<long long>(data.RowCount()), path.c_str());
  return 0;
}
