// The normal-score transform: every sample's value becomes its normal score.
#include <cmath>
#include <limits>
#include <new>

#include "base/buffer.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

LONG _kvTranNcore(KvDiscPnt* samples, LONG count, double maximum,
                  double minimum, double& score_max, double& score_min) {
  EngineHandle engine(kNormalScoreEngine);
  if (samples == nullptr || engine.get() == 0) return 1;
  const size_t size = count > 0 ? static_cast<size_t>(count) : 0;
  if (size == 0) {
    score_max = kKvNoValue;
    score_min = kKvNoValue;
    return 1;
  }
  // Only the scores are read: the engine's transformation table is not
  // asked for. The engine writes every entry or, short of memory, none, so
  // the array is not zeroed: entry 0 holds a NaN that a written score
  // replaces.
  kvbase::Buffer<double> scores;
  try {
    scores.resize(size);
  } catch (const std::bad_alloc&) {
    return 1;  // nothing computed; samples untouched
  }
  scores[0] = std::numeric_limits<double>::quiet_NaN();
  _kvLoadDiscPnts(engine.get(), samples, count, 1);
  _kvSetDataExtr(engine.get(), minimum, maximum);
  _kvSetUseWtFlag(engine.get(), 0, 1);
  _kvNscore(engine.get(), scores.data(), nullptr, nullptr);
  if (std::isnan(scores[0])) return 1;  // nothing computed; samples untouched
  // The extremes of the valid scores, taken in the same pass.
  bool any_valid = false;
  double high = kKvNoValue;
  double low = kKvNoValue;
  for (size_t i = 0; i < size; ++i) {
    const double score = scores[i];
    samples[i].value = score;
    if (score == kKvNoValue) continue;
    if (!any_valid || score > high) high = score;
    if (!any_valid || score < low) low = score;
    any_valid = true;
  }
  score_max = high;
  score_min = low;
  return 1;
}
