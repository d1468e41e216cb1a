// WorkbenchRequest: what one request of the workbench page asks for, read
// from its query parameters: the data view (trimming, transform, lags and
// directions), the direction shown, the model drawn, the selection and the
// picture size. Everything is checked here; the drawing code trusts it.
#ifndef TOOLS_KORVAGRAPH_SERVE_WORKBENCH_REQUEST_H_
#define TOOLS_KORVAGRAPH_SERVE_WORKBENCH_REQUEST_H_

#include <string>

#include "tools/korvagraph/options.h"
#include "tools/korvagraph/serve/query_params.h"
#include "tools/korvagraph/variogram_fit.h"

// Picture sides a request may ask for.
constexpr int kMinSide = 64;
constexpr int kMaxSide = 1600;

// A model of one structure, as the page's inputs give it: the major range
// along the anisotropy azimuth, the minor range across it.
struct WorkbenchModel {
  VariogramModel model;  // range: the major range (power: the exponent)
  double minor_range = 1.0;
  double azimuth = 0.0;  // of the major axis, degrees clockwise from north
};

// A box in the cloud's data units: distances and semivariances.
struct CloudBox {
  double distance_min = 0.0, distance_max = 0.0;
  double gamma_min = 0.0, gamma_max = 0.0;
};

struct WorkbenchRequest {
  Options view;       // the run's options with the view's settings
  int direction = 0;  // variogram row: 0 every direction, d the d-th azimuth
  bool model_given = false;  // false: the fitted model of the view
  WorkbenchModel model;
  int pick = -1;  // entry of the row picked, or -1
  bool box_given = false;
  CloudBox box;
  int width = 560;
  int height = 560;
};

// Reads request from params over the run's options base. Fails with a
// message for the client on the first bad parameter.
Status ReadWorkbenchRequest(QueryParams* params, const Options& base,
                            WorkbenchRequest* request);

// Returns the view's part of options as one text: requests with equal keys
// see the same data, variograms and cloud.
std::string ViewKey(const Options& options);

#endif  // TOOLS_KORVAGRAPH_SERVE_WORKBENCH_REQUEST_H_
