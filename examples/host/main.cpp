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
  std::vector<KvDiscPnt> samples(200, KvDiscPnt{});
  for (int i = 0; i < 200; ++i) {
    samples[i].x = i;
    samples[i].value = 10 + 3 * std::sin(i / 6.0) + (i * 37 % 11) / 5.0;
  }
  CanvasWindow window(480, 400);
  CKorvaGraph* hist = _kvCreateKvGraphObj(1);  // histogram
  _kvGraphLoadDiscPnts(hist, samples.data(), 200);
  _kvGraphSetDataExtr(hist, 0, 20);
  _kvGraphSetHistNum(hist, 20);
  _kvGraphSetAxiName(hist, "Value", "Frequency");
  LONG n = 0, out = 0;
  double mean, sd, max, uq, med, lq, min, cv, kurt, skew;
  _kvGraphCptHistParam(hist, n, out, mean, sd, max, uq, med, lq, min, cv, kurt,
                       skew);
  _kvGraphDrawHistPlt(hist, window.Wnd());
  _kvDeleteKvGraphObj(hist);
  bool saved = window.SavePng(dir + "/hist.png");

  // One row of 10 lags + 2: the host computes the experimental variogram.
  const int lags = 10;
  std::vector<Variogram> row(lags + 2, Variogram{});
  for (int h = 1; h <= lags; ++h) {
    Variogram& e = row[h + 1];
    for (int i = 0; i + h < 200; ++i, ++e.npairs) {
      const double d = samples[i + h].value - samples[i].value;
      e.gamma += d * d / 2;
    }
    e.h = h;
    e.gamma /= e.npairs;
  }
  Kt3dIntp model{};  // nugget 0.4 + spherical of sill 5, range 12
  model.nst = 1, model.nugget = 0.4, model.cc[0] = 5, model.it[0] = 1;
  model.p1[0] = model.p2[0] = model.p3[0] = 12;
  std::vector<ModIndVrg> curve(2 * lags + 4);
  _kvCptVModel(model, 1.0, lags, 0, curve.data());
  std::vector<CPoint> positions(lags + 2);
  std::vector<int> selected(lags + 2, 0);
  CKorvaGraph* vario = _kvCreateKvGraphObj(7);  // variogram
  _kvGraphLoadVarmData(vario, row.data(), curve.data(), positions.data(),
                       selected.data(), lags, 1);
  _kvGraphSetCutOffNO(vario, 1, 0);
  _kvGraphSetIsDspSill(vario, 1, sd * sd);
  _kvGraphSetAxiName(vario, "Distance", "Semivariance");
  _kvGraphDrawVarmPlt(vario, window.Wnd());
  _kvDeleteKvGraphObj(vario);
  saved = window.SavePng(dir + "/vario.png") && saved;
  std::printf("%d values, mean %.3f\n", static_cast<int>(n), mean);
  return saved ? 0 : 1;
}
