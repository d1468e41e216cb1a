// Choosing variogram-cloud points (sample pairs) for the workbench: the
// pairs behind one lag of one direction, the pairs in a box of the cloud,
// and the samples that most often take part in a selection.
#ifndef TOOLS_KORVAGRAPH_SERVE_PAIR_SELECTION_H_
#define TOOLS_KORVAGRAPH_SERVE_PAIR_SELECTION_H_

#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "tools/korvagraph/experimental_variogram.h"
#include "tools/korvagraph/serve/workbench_request.h"
#include "tools/korvagraph/variogram_cloud.h"

// Returns the numbers of the cloud's points whose pair counts in variogram
// entry `entry` of direction, by the rules that the experimental variograms
// count pairs with (distance to the nearest lag within the tolerance, angle
// within the direction's tolerance, offset within its bandwidth).
std::vector<LONG> LagPairs(const std::vector<KvDiscPnt>& samples,
                           const VariogramCloud& cloud, const LagSettings& lags,
                           const VariogramDirection& direction, int entry);

// Returns the numbers of the cloud's points inside box (edges included).
std::vector<LONG> BoxPairs(const VariogramCloud& cloud, const CloudBox& box);

// One sample and how many selected pairs it belongs to.
struct Involvement {
  LONG sample = 0;
  int pairs = 0;
};

// Returns the at most `count` samples in most of the selected points' pairs,
// most first (ties: lower sample number first).
std::vector<Involvement> MostInvolved(const VariogramCloud& cloud,
                                      const std::vector<LONG>& points,
                                      int count);

#endif  // TOOLS_KORVAGRAPH_SERVE_PAIR_SELECTION_H_
