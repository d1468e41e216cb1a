// Writes the bundled sample data set in GeoEAS form.
// Usage: generate_sample [OUTPUT]   (default data/sample.dat)
#include <cstdio>
#include <string>

#include "tools/korvagraph/geoeas_writer.h"
#include "tools/sample_data/sample_generator.h"

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "data/sample.dat";
  const DataSet data = GenerateSample(SampleModel());
  const Status status = WriteGeoEasFile(data, SampleDecimals(), path);
  if (!status.ok()) {
    std::fprintf(stderr, "generate_sample: %s\n", status.message().c_str());
    return 1;
  }
  std::printf("generate_sample: %d samples written to %s\n", data.RowCount(),
              path.c_str());
  return 0;
}
