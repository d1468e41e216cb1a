// A minimal host: draws a histogram and a variogram of a made-up series
// into hist.png and vario.png in the folder given (default: here).
#include <korvagraph/KorvaGraphLib.h>
#include <korvagraph/canvas_window.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  const int count = 200, lags = 10;
  std::vector<KvDiscPnt> samples(count, KvDiscPnt{});
  for (int i = 0; i < count; ++i) {
    samples[i].value = 10 + 3 * std::sin(i / 6.0) + (i * 37 % 11) / 5.0;
  }
  CanvasWindow window(480, 400);
  CKorvaGraph* hist = _kvCreateKvGraphObj(1);  // 1: histogram
  _kvGraphLoadDiscPnts(hist, samples.data(), count);
  _kvGraphSetDataExtr(hist, 0, 20);
  _kvGraphSetHistNum(hist, 20);
  _kvGraphSetAxiName(hist, "Value", "Frequency");
  LONG n = 0, left_out = 0;
  double r[10];  // mean, deviation, maximum, quartiles, ... (see the header)
  _kvGraphCptHistParam(hist, n, left_out, r[0], r[1], r[2], r[3], r[4], r[5],
                       r[6], r[7], r[8], r[9]);
  _kvGraphDrawHistPlt(hist, window.Wnd());
  _kvDeleteKvGraphObj(hist);
  bool saved = window.SavePng(dir + "/hist.png");

  // The host computes the experimental variogram: one row of lags + 2.
  std::vector<Variogram> row(lags + 2, Variogram{});
  for (int h = 1; h <= lags; ++h) {
    Variogram& e = row[h + 1];
    for (e.h = h; e.npairs + h < count; ++e.npairs) {
      const double d = samples[e.npairs + h].value - samples[e.npairs].value;
      e.gamma += d * d / 2 / (count - h);
    }
  }
  Kt3dIntp model{};  // nugget 0.4 + spherical of sill 5, range 12
  model.nst = 1, model.nugget = 0.4, model.cc[0] = 5, model.it[0] = 1;
  model.p1[0] = model.p2[0] = model.p3[0] = 12;
  std::vector<ModIndVrg> curve(2 * lags + 4);
  _kvCptVModel(model, 1.0, lags, 0, curve.data());
  std::vector<CPoint> positions(lags + 2);
  std::vector<int> selected(lags + 2, 0);
  CKorvaGraph* vario = _kvCreateKvGraphObj(7);  // 7: variogram
  _kvGraphLoadVarmData(vario, row.data(), curve.data(), positions.data(),
                       selected.data(), lags, 1);
  _kvGraphSetCutOffNO(vario, 1, 0);
  _kvGraphSetAxiName(vario, "Distance", "Semivariance");
  _kvGraphSetIsDspSill(vario, 1, r[1] * r[1]);  // the sample variance
  _kvGraphDrawVarmPlt(vario, window.Wnd());
  _kvDeleteKvGraphObj(vario);
  saved = window.SavePng(dir + "/vario.png") && saved;
  std::printf("%d values, mean %.3f\n", static_cast<int>(n), r[0]);
  return saved ? 0 : 1;
}
