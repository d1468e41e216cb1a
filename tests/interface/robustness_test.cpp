// Hostile input through every export of every chart: non-finite and huge
// values, empty and negative counts, degenerate windows, zero-size and tiny
// client areas. Nothing may crash, read out of bounds or leak a drawing
// object (the sanitizer build runs this too).
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"
#include "platform/ledger.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Window {
  const char* name;
  double minimum;
  double maximum;
};

const Window kWindows[] = {
    {"nan", kNaN, kNaN},     {"reversed infinite", kInf, -kInf},
    {"huge", -1e308, 1e308}, {"zero width", 3, 3},
    {"open", -1e21, 1e21},   {"ordinary", 0, 10},
};

const std::vector<double> kHostileValues = {kNaN,   kInf, -kInf, 1e308,
                                            -1e308, 0.0,  5.0,   -999.0};

std::vector<KvDiscPnt> HostileSamples() {
  std::vector<KvDiscPnt> samples(kHostileValues.size(), KvDiscPnt{});
  for (size_t i = 0; i < samples.size(); ++i) {
    const double v = kHostileValues[i];
    samples[i].x = v;
    samples[i].y = kHostileValues[(i + 3) % kHostileValues.size()];
    samples[i].z = v;
    samples[i].value = v;
    samples[i].value2 = kHostileValues[(i + 1) % kHostileValues.size()];
  }
  return samples;
}

// Every compute, output and draw export of one chart, into each window.
void ComputeOutputAndDraw(CKorvaGraph* graph, CanvasWindow* windows[],
                          int window_count) {
  LONG l1 = 0, l2 = 0;
  double d[10] = {};
  _kvGraphCptHistParam(graph, l1, l2, d[0], d[1], d[2], d[3], d[4], d[5], d[6],
                       d[7], d[8], d[9]);
  _kvGraphCptPropParam(graph);
  _kvGraphCptLocmParam(graph);
  _kvGraphCptNqqpParam(graph);
  _kvGraphCptQqppParam(graph, l1, d[0], d[1], l2, d[2], d[3]);
  _kvGraphCptScatParam(graph, d[0], l1, d[1], d[2], l2, d[3], d[4], d[5]);

  LONG count = 0;
  _kvGraphOutPutHistPntNum(graph, count);
  std::vector<double> a(static_cast<size_t>(std::max<LONG>(count, 0)) + 1);
  std::vector<double> b(a.size());
  _kvGraphOutPutHistPnt(graph, a.data(), b.data());
  count = 0;
  _kvGraphOutPutPropPntNum(graph, count);
  std::vector<double> positions(21);
  a.assign(static_cast<size_t>(std::max<LONG>(count, 0)) + 1, 0.0);
  b.assign(a.size(), 0.0);
  _kvGraphOutPutPropPnt(graph, positions.data(), a.data(), b.data());
  count = 0;
  _kvGraphOutPutNqqpPntNum(graph, count);
  a.assign(static_cast<size_t>(std::max<LONG>(count, 0)) + 1, 0.0);
  b.assign(a.size(), 0.0);
  _kvGraphOutPutNqqpPnt(graph, a.data(), b.data());

  for (int w = 0; w < window_count; ++w) {
    CWnd* wnd = windows[w]->Wnd();
    _kvGraphDrawHistPlt(graph, wnd);
    _kvGraphDrawPropPlt(graph, wnd);
    _kvGraphDrawLocmPlt(graph, wnd, wnd);
    _kvGraphDrawNqqpPlt(graph, wnd);
    _kvGraphDrawQqppPlt(graph, wnd);
    _kvGraphDrawScatPlt(graph, wnd);
    _kvGraphDrawVarmPlt(graph, wnd);
    _kvGraphDrawVrgLine(graph);
    _kvGraphDrawSelectPoint(graph);
    _kvGraphDrawCrosPlt(graph, wnd);
    _kvGraphDrawMVarmPlt(graph, wnd);
    _kvGraphDrawMVrgLine(graph);
    _kvGraphDrawVrgCldPlt(graph, wnd);
    _kvGraphDrawVrgCldLocmPlt(graph, wnd);
    int sx = 0, sy = 0;
    _kvGraphWorldtoScreen(graph, kNaN, kInf, sx, sy);
  }
}

TEST(RobustnessTest, HostileInputOnEveryChart) {
  CanvasWindow empty(0, 0), dot(1, 1), small(40, 30), normal(400, 300);
  CanvasWindow* windows[] = {&empty, &dot, &small, &normal};
  std::vector<KvDiscPnt> samples = HostileSamples();
  const LONG n = static_cast<LONG>(samples.size());
  std::vector<double> values = kHostileValues;
  std::vector<Variogram> entries(2 * (n + 2), Variogram{});
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].h = kHostileValues[i % kHostileValues.size()];
    entries[i].gamma = kHostileValues[(i + 2) % kHostileValues.size()];
    entries[i].npairs = 30 + static_cast<LONG>(i);
  }
  std::vector<ModIndVrg> model(2 * n + 4, ModIndVrg{});
  for (size_t k = 0; k < model.size(); ++k) {
    model[k].h = kHostileValues[k % kHostileValues.size()];
    model[k].value = kHostileValues[(k + 5) % kHostileValues.size()];
  }
  std::vector<CPoint> points(entries.size());
  std::vector<int> selected(entries.size(), 1);
  Variogram* rows[1] = {entries.data()};
  CPoint* point_rows[1] = {points.data()};
  LONG lag_counts[1] = {n};
  int show[1] = {1};
  ULONG colors[1] = {0xFF0000};
  LONG picks[3] = {0, n - 1, 2};
  KVL_DOT pairs[2] = {{0, n - 1}, {1, 2}};

  const GdiLedger before = CurrentGdiLedger();
  for (LONG type = 0; type <= 11; ++type) {
    for (const Window& window : kWindows) {
      for (LONG count : {n, LONG{0}, LONG{-5}}) {
        CKorvaGraph* graph = _kvCreateKvGraphObj(type);
        _kvGraphLoadDiscPnts(graph, samples.data(), count);
        _kvGraphLoadDiscPnts2(graph, samples.data(), count);
        _kvGraphLoadLocPnts(graph, values.data(), values.data() + 1,
                            count > 0 ? count - 1 : count);
        _kvGraphLoadCrosData(graph, values.data(), values.data(), count);
        _kvGraphLoadVarmData(graph, entries.data(), model.data(), points.data(),
                             selected.data(), count > 0 ? count : 0, 1);
        _kvGraphLoadMVarmData(graph, rows, lag_counts, point_rows, 1, show, 1);
        _kvGraphSetMColor(graph, colors, colors);
        _kvGraphSetCutOffNO(graph, 2, 1);
        _kvGraphSetMCutOffNO(graph, 1, 0);
        _kvGraphSetIsDspLine(graph, 1);
        _kvGraphSetMIsDspLine(graph, 1);
        _kvGraphSetIsDspSill(graph, 1, window.maximum);
        _kvGraphSetMIsDspSill(graph, 1, window.minimum);
        _kvGraphSetDataExtr(graph, window.minimum, window.maximum);
        _kvGraphSetDataExtr2(graph, window.minimum, window.maximum);
        _kvGraphSetCoordExtr(graph, {window.minimum, window.minimum, kNaN},
                             {window.maximum, window.maximum, kInf});
        _kvGraphSetHistNum(graph, type % 2 == 0 ? 0 : 7);
        _kvGraphSetHistType(graph, type % 3 == 0 ? 1 : 0);
        _kvGraphSetFitLine(graph, kInf, kNaN);
        _kvGraphSetCurPlane(graph, type % 4);
        _kvLoadVrgCldSelInfo(graph, picks, count > 0 ? 3 : 0);
        _kvLoadVrgCldLocSelInfo(graph, pairs, count > 0 ? 2 : 0);
        ComputeOutputAndDraw(graph, windows, 4);
        _kvDeleteKvGraphObj(graph);
        ASSERT_EQ(CurrentGdiLedger(), before)
            << "type " << type << ", window " << window.name << ", count "
            << count;
      }
    }
  }
}

TEST(RobustnessTest, TransformsTakeHostileInput) {
  for (const Window& window : kWindows) {
    for (LONG count : {LONG{8}, LONG{0}, LONG{-3}}) {
      std::vector<KvDiscPnt> samples = HostileSamples();
      double high = 0, low = 0;
      EXPECT_EQ(_kvTranNcore(samples.data(), count, window.maximum,
                             window.minimum, high, low),
                1);
      samples = HostileSamples();
      EXPECT_EQ(_kvTranLog(samples.data(), count, window.maximum,
                           window.minimum, kNaN, high, low),
                1);
    }
    double high = 7, low = 7;
    EXPECT_EQ(
        _kvTranNcore(nullptr, 5, window.maximum, window.minimum, high, low), 1);
    EXPECT_EQ(
        _kvTranLog(nullptr, 5, window.maximum, window.minimum, 0.0, high, low),
        1);
    EXPECT_EQ(high, 7) << "nothing to transform leaves the outputs";
  }
}

}  // namespace
