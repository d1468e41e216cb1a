// A minimal host: reads samples from a CSV file through the analysis
// library, draws their histogram, computes the omnidirectional variogram,
// fits a model and draws both through the chart exports, into hist.png and
// vario.png in the folder given. Without a CSV file it writes a made-up one.
//   host_example OUT_DIR [DATA.csv]
#include <korvagraph/KorvaGraphLib.h>
#include <korvagraph/analysis.h>
#include <korvagraph/canvas_window.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace kga = korvagraph::analysis;

// Writes 200 samples on a 20 x 10 grid, a smooth trend plus a little noise.
std::string WriteSample(const std::string& dir) {
  const std::string path = dir + "/samples.csv";
  std::ofstream out(path);
  out << "ID,X,Y,Grade\n";
  for (int i = 0; i < 200; ++i) {
    const double x = i % 20 * 10.0, y = i / 20 * 10.0;
    out << i + 1 << ',' << x << ',' << y << ','
        << 10 + 3 * std::sin(x / 40) * std::cos(y / 30) + (i * 37 % 11) / 5.0
        << '\n';
  }
  return path;
}

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  kga::Table table;
  kga::Status status = kga::ReadTable(argc > 2 ? argv[2] : WriteSample(dir),
                                      kga::TrimLimits(), &table);
  std::unique_ptr<kga::Session> session;
  if (status.ok()) status = kga::Session::Open(table, kga::Settings(), &session);
  const kga::VariogramSet* set = nullptr;
  const kga::AttributeSample* sample = nullptr;
  if (status.ok()) status = session->Variograms(&set);  // the ID is passed over
  if (status.ok()) status = session->PrimarySample(&sample);
  if (!status.ok()) {
    std::fprintf(stderr, "host_example: %s\n", status.ToString().c_str());
    return 1;
  }
  CanvasWindow window(480, 400);
  CKorvaGraph* hist = _kvCreateKvGraphObj(1);  // 1: histogram
  std::vector<KvDiscPnt> values = sample->records;  // the chart reads them
  _kvGraphLoadDiscPnts(hist, values.data(), static_cast<LONG>(values.size()));
  _kvGraphSetDataExtr(hist, sample->window.minimum, sample->window.maximum);
  _kvGraphSetHistNum(hist, kga::HistogramClassCount(values.size()));
  _kvGraphSetAxiName(hist, "Grade", "Frequency");
  LONG n = 0, left_out = 0;
  double r[10];  // mean, deviation, maximum, quartiles, ... (see the header)
  _kvGraphCptHistParam(hist, n, left_out, r[0], r[1], r[2], r[3], r[4], r[5],
                       r[6], r[7], r[8], r[9]);
  _kvGraphDrawHistPlt(hist, window.Wnd());
  _kvDeleteKvGraphObj(hist);
  bool saved = window.SavePng(dir + "/hist.png");

  // Row 0 takes every direction; the session fitted a spherical model to it.
  const int lags = set->lags.count;
  std::vector<Variogram> row = set->rows[0];
  std::vector<ModIndVrg> curve(2 * lags + 4);
  _kvCptVModel(kga::ModelRecord(set->fit.model, 0.0), set->lags.spacing, lags,
               0, curve.data());
  std::vector<CPoint> positions(lags + 2);
  std::vector<int> selected(lags + 2, 0);
  CKorvaGraph* vario = _kvCreateKvGraphObj(7);  // 7: variogram
  _kvGraphLoadVarmData(vario, row.data(), curve.data(), positions.data(),
                       selected.data(), lags, 1);
  _kvGraphSetCutOffNO(vario, 1, 0);
  _kvGraphSetAxiName(vario, "Distance", "Semivariance");
  _kvGraphSetVrgNug(vario, set->fit.model.nugget);
  _kvGraphSetIsDspSill(vario, 1, set->variance);
  _kvGraphDrawVarmPlt(vario, window.Wnd());
  _kvDeleteKvGraphObj(vario);
  saved = window.SavePng(dir + "/vario.png") && saved;
  std::printf("%d values, mean %.3f; model %s\n", static_cast<int>(n), r[0],
              kga::ModelDescription(set->fit).c_str());
  return saved ? 0 : 1;
}
