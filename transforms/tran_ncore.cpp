// The normal-score transform: every sample's value becomes its normal score.
#include <new>
#include <vector>

#include "frame/numeric.h"
#include "include/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

namespace {

constexpr double kNoScore = -999.0;
constexpr int kNormalScoreHandle = 1;

}  // namespace

LONG _kvTranNcore(KvDiscPnt* samples, LONG count, double maximum,
                  double minimum, double& score_max, double& score_min) {
  EngineHandle engine(kNormalScoreHandle);
  if (samples == nullptr || engine.get() == 0) return 1;
  const size_t size = count > 0 ? static_cast<size_t>(count) : 0;
  std::vector<double> scores;
  std::vector<double> sorted_values;
  std::vector<double> sorted_scores;
  try {
    scores.assign(size, 0.0);
    sorted_values.assign(size, 0.0);
    sorted_scores.assign(size, 0.0);
  } catch (const std::bad_alloc&) {
    return 1;  // nothing computed; samples and outputs untouched
  }
  _kvLoadDiscPnts(engine.get(), samples, count, 1);
  _kvSetDataExtr(engine.get(), minimum, maximum);
  _kvSetUseWtFlag(engine.get(), 0, 1);
  _kvNscore(engine.get(), scores.data(), sorted_values.data(),
            sorted_scores.data());
  // The valid scores are gathered at the front of the score array.
  LONG valid = 0;
  for (size_t i = 0; i < size; ++i) {
    const double score = scores[i];
    samples[i].value = score;
    if (score != kNoScore) scores[valid++] = score;
  }
  if (valid == 0) {
    score_max = kNoScore;
    score_min = kNoScore;
  } else {
    score_max = ArrayMax(scores.data(), valid);
    score_min = ArrayMin(scores.data(), valid);
  }
  return 1;
}
