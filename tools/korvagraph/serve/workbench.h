// Workbench: the data set a server holds and every answer the workbench
// page asks of it: pictures of the charts drawn through the analysis
// library, the warnings and statistics each picture raised, the variogram
// point under a click, the cloud pairs in a box, a model fit, the model as
// text and a model read back from its text. Each
// call is independent and safe from any thread: one mutex covers the chart
// library, the platform's windows and the cache of sessions (the data
// trimmed, transformed and with variograms and cloud worked out for one set
// of settings).
#ifndef TOOLS_KORVAGRAPH_SERVE_WORKBENCH_H_
#define TOOLS_KORVAGRAPH_SERVE_WORKBENCH_H_

#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/table.h"
#include "tools/korvagraph/serve/workbench_request.h"

namespace korvagraph {

// An answer: HTTP status, content type and body.
struct Reply {
  int status = 200;
  std::string content_type = "application/json";
  std::string body;

  // Returns a 400 reply holding {"error": message}.
  static Reply BadRequest(const std::string& message);
};

class Workbench {
 public:
  // table: read with no trimming beyond the missing-value mark; each
  // request trims it as it asks.
  explicit Workbench(analysis::Table table);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  // Opens the session of request's settings; fails when the data cannot be
  // shown with them.
  analysis::Status Prepare(const WorkbenchRequest& request);
  // The data, the attributes to choose from and those chosen, the samples
  // excluded, the view's lags, directions and variograms, the fitted model
  // and the session's warnings, as JSON.
  Reply Info(const WorkbenchRequest& request);
  // The chart named name (any chart of the library's table, or a map's
  // legend: "locmap-legend", "varmap-legend") as a PNG or SVG picture.
  Reply Chart(const std::string& name, analysis::ImageFormat format,
              const WorkbenchRequest& request);
  // The warnings the chart named name raises when drawn for request, and
  // the statistics it returns (the maps: the values of their legend).
  Reply Warnings(const std::string& name, const WorkbenchRequest& request);
  // The pixel position of every entry's point of the shown direction, as
  // the chart recorded it (null for entries it did not draw), and the
  // entry's numbers.
  Reply Points(const WorkbenchRequest& request);
  // The variogram entry whose point the chart drew nearest to (x, y) of
  // its picture, with the cloud points of its pairs.
  Reply Pick(const WorkbenchRequest& request, int x, int y);
  // The box of the cloud's data units under box (pixels of the cloud's
  // picture), the number of points inside and the samples most involved.
  Reply SelectBox(const WorkbenchRequest& request,
                  const analysis::PixelBox& box);
  // The model fitted by weighted least squares as request.fit says: one
  // structure to the shown direction, or nested structures to every
  // direction's rows; with the warnings the fit deserves.
  Reply Fit(const WorkbenchRequest& request);
  // The request's model as "json" or "gslib" text.
  Reply ModelText(const WorkbenchRequest& request, const std::string& format);
  // The model read from text (its JSON, its GSLIB block or written out as a
  // sum), as JSON with its written-out form.
  static Reply LoadModel(const std::string& text);

 private:
  // What a request's answer draws from: the session of its settings.
  struct View {
    analysis::Session* session = nullptr;
    const analysis::VariogramSet* variograms = nullptr;
    const analysis::CloudSet* cloud = nullptr;
    const analysis::Samples* samples = nullptr;
  };
  // A chart drawn for a request, with the warnings it raised and the
  // statistics its compute step returned (none for the pictures the
  // workbench draws itself: vario, cloud, cloudmap).
  struct DrawnPictures {
    std::unique_ptr<analysis::ChartPictures> pictures;
    std::vector<std::string> warnings;
    analysis::Statistics stats;
  };

  // Finds or opens the session of request's settings. REQUIRES: mutex_
  // held.
  analysis::Status FindView(const WorkbenchRequest& request, View* view);
  // Holds mutex_ and answers with body(view), or with the 400 of a view
  // that cannot be built.
  template <typename Body>
  Reply Answer(const WorkbenchRequest& request, Body body);

  // The cloud points a chart shows for request: its box, else the pairs of
  // its picked lag, else none.
  static std::vector<LONG> SelectedPoints(const WorkbenchRequest& request,
                                          const View& view);
  static analysis::Status Draw(const std::string& name,
                               const WorkbenchRequest& request,
                               const View& view, DrawnPictures* drawn);

  std::mutex mutex_;
  const analysis::Table table_;
  // Most recently used first.
  std::list<std::pair<std::string, std::unique_ptr<analysis::Session>>> views_;
};

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_SERVE_WORKBENCH_H_
