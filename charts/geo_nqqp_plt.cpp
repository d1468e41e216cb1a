#include "charts/geo_nqqp_plt.h"

#include <algorithm>
#include <new>
#include <vector>

#include "frame/numeric.h"
#include "siblings/korvalib.h"

CGeoNqqpPlt::CGeoNqqpPlt() : frame_(kCrossPlotFrame) {}

CGeoNqqpPlt::~CGeoNqqpPlt() = default;

// Writes the normal scores of the samples, by the engine handle scorer,
// into the score records and their window.
bool CGeoNqqpPlt::WriteScores(int scorer, LONG n, LONG records) {
  // Only the scores are read; the engine's transformation table is not
  // asked for.
  std::vector<double> scores;
  try {
    scores.assign(static_cast<size_t>(n), 0.0);
  } catch (const std::bad_alloc&) {
    return false;  // the new pair array keeps its zeros and a count of 0
  }
  _kvLoadDiscPnts(scorer, samples_.samples, n, kPrimarySet);
  _kvSetDataExtr(scorer, value_window_.minimum, value_window_.maximum);
  _kvSetUseWtFlag(scorer, 0, 1);
  _kvNscore(scorer, scores.data(), nullptr, nullptr);

  // Valid scores (NaN included) are gathered at the front of `scores`.
  LONG valid = 0;
  for (LONG i = 0; i < n; ++i) {
    const double score = scores[static_cast<size_t>(i)];
    if (i < records) scores_.samples[i].value = score;
    if (score != kKvNoValue) scores[static_cast<size_t>(valid++)] = score;
  }
  if (valid > 0) {
    score_window_.Set(NumericMin(scores.data(), valid),
                      NumericMax(scores.data(), valid));
  } else {
    score_window_.Set(0.0, 0.0);
  }
  return true;
}

void CGeoNqqpPlt::CptNqqpParam() {
  if (scores_.samples == nullptr || samples_.samples == nullptr ||
      engine_.get() == 0) {
    return;
  }
  const LONG n = std::max<LONG>(samples_.count, 0);
  // Only records the host gave are written or handed to the engine.
  const LONG records = std::min(n, std::max<LONG>(scores_.count, 0));
  {
    // The scorer and its copies end before the quantile engine takes its
    // own: a large sample's memory goes to them.
    EngineHandle scorer(kNormalScoreEngine);
    if (scorer.get() == 0) return;
    if (!pairs_.Reset(n) || !WriteScores(scorer.get(), n, records)) return;
  }

  QuantileRequest request;
  request.first = scores_.samples;
  request.first_count = records;
  request.second = samples_.samples;
  request.second_count = n;
  request.point_count = n;
  request.selector = selector_;
  request.x_window = score_window_;
  request.y_window = value_window_;
  FormQuantilePairs(engine_.get(), request, pairs_);
}

void CGeoNqqpPlt::DrawNqqpPlt(CWnd* window) {
  frame_.window = window;
  frame_.CalcPlotRect();
  CalcQuantileScale(frame_, selector_, score_window_, value_window_);
  RedrawQuantilePlot(frame_, names_, pairs_, kTiny);
}
