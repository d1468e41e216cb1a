// WorkbenchRequest: what one request of the workbench page asks for, read
// from its query parameters: the view (the analysis library's settings:
// attributes, excluded samples, trimming, transform, what the variograms
// are of, lags and directions), the direction shown, the model drawn (one
// structure, or any model written out), the fit asked for, the selection,
// the maps' colours and the picture size. Everything is checked here, the
// model by the library's one rule; the drawing code trusts it.
#ifndef TOOLS_KORVAGRAPH_SERVE_WORKBENCH_REQUEST_H_
#define TOOLS_KORVAGRAPH_SERVE_WORKBENCH_REQUEST_H_

#include <string>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/cloud.h"
#include "korvagraph/analysis/model.h"
#include "korvagraph/analysis/model_fit.h"
#include "korvagraph/analysis/session.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/serve/query_params.h"

namespace korvagraph {

// Picture sides a request may ask for: smaller than the command line's, as
// the page shows them side by side and each is drawn on request.
constexpr int kMinServedSide = 64;
constexpr int kMaxServedSide = 1600;
// Table rows a request may exclude at most.
constexpr size_t kMaxExcludedRows = 1000;

struct WorkbenchRequest {
  analysis::Settings view;  // the run's settings with the view's
  int direction = 0;  // variogram row: 0 every direction, d the d-th azimuth
  bool model_given = false;        // false: the fitted model of the view
  analysis::VariogramModel model;  // one structure, or as written out
  analysis::FitSettings fit;       // what "fit" fits: types, rows, weights
  int pick = -1;                   // entry of the row picked, or -1
  bool box_given = false;
  analysis::CloudBox box;
  analysis::ColourScale colours = analysis::ColourScale::kLinear;  // maps
  int width = analysis::kDefaultPictureSide;
  int height = analysis::kDefaultPictureSide;
};

// Reads request from params over the run's options base. Fails with a
// message for the client on the first bad parameter.
analysis::Status ReadWorkbenchRequest(QueryParams* params, const Options& base,
                                      WorkbenchRequest* request);

// Returns the request's choices that the page shows as selections, as a
// JSON object under their parameters' names (model, kind, threshold,
// colours, nested, fit, fitweights): a page starts from the run's options.
std::string ChoicesJson(const WorkbenchRequest& request);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_SERVE_WORKBENCH_REQUEST_H_
