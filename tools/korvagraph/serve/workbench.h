// Workbench: the data set a server holds and every answer the workbench
// page asks of it: pictures of the charts drawn through the library, the
// variogram point under a click, the cloud pairs in a box, a model fit and
// the model as text. Each call is independent and safe from any thread: one
// mutex covers the chart library, the platform's windows and the cache of
// data views (the data trimmed, transformed and with variograms and cloud
// worked out for one set of settings).
#ifndef TOOLS_KORVAGRAPH_SERVE_WORKBENCH_H_
#define TOOLS_KORVAGRAPH_SERVE_WORKBENCH_H_

#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas_window.h"
#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/data_set.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/serve/workbench_request.h"

// An answer: HTTP status, content type and body.
struct Reply {
  int status = 200;
  std::string content_type = "application/json";
  std::string body;

  // Returns a 400 reply holding {"error": message}.
  static Reply BadRequest(const std::string& message);
};

// A box in pixels of a picture: two corners, in any order.
struct PixelBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

class Workbench {
 public:
  // data: read with no trimming beyond the missing-value mark; options: the
  // run's, which requests start from.
  Workbench(DataSet data, Options options);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  // Builds the view of request's settings; fails when the data cannot be
  // shown with them.
  Status Prepare(const WorkbenchRequest& request);
  // The data, the columns, the view's lags, directions and variograms, and
  // the fitted model, as JSON.
  Reply Info(const WorkbenchRequest& request);
  // The chart named name ("vario", "cloud", ..., any chart of the chart
  // table, or "locmap-legend") as a PNG.
  Reply Chart(const std::string& name, const WorkbenchRequest& request);
  // The pixel position of every entry's point of the shown direction, as
  // the chart recorded it (null for entries it did not draw), and the
  // entry's numbers.
  Reply Points(const WorkbenchRequest& request);
  // The variogram entry whose point the chart drew nearest to (x, y) of
  // its picture, with the cloud points of its pairs.
  Reply Pick(const WorkbenchRequest& request, int x, int y);
  // The box of the cloud's data units under box (pixels of the cloud's
  // picture), the number of points inside and the samples most involved.
  Reply SelectBox(const WorkbenchRequest& request, const PixelBox& box);
  // The model fitted to the shown direction by weighted least squares.
  Reply Fit(const WorkbenchRequest& request);
  // The request's model as "json" or "gslib" text.
  Reply ModelText(const WorkbenchRequest& request, const std::string& format);

 private:
  // Finds or builds the view of request's settings. REQUIRES: mutex_ held.
  Status View(const WorkbenchRequest& request, ChartContext** view);
  // The request's model, else the view's fitted one.
  static WorkbenchModel ModelOf(const WorkbenchRequest& request,
                                const VariogramSet& set);
  // Draws the variogram of request with entry pick highlighted (none when
  // negative); returns the positions the chart recorded for the row.
  static std::vector<CPoint> DrawVariogram(const VariogramSet& set,
                                           const WorkbenchRequest& request,
                                           int pick, CanvasWindow* window);
  // Draws the request's variogram off screen; returns the positions the
  // chart recorded for the row, in the picture's pixels. REQUIRES: mutex_
  // held.
  std::vector<CPoint> RecordedPoints(const WorkbenchRequest& request,
                                     ChartContext* view);
  // The cloud points a chart shows for request: its box, else the pairs of
  // its picked lag, else none. REQUIRES: mutex_ held.
  std::vector<LONG> SelectedPoints(const WorkbenchRequest& request,
                                   ChartContext* view);
  Reply DrawToPng(const std::string& name, const WorkbenchRequest& request,
                  ChartContext* view);

  std::mutex mutex_;
  const DataSet data_;
  const Options options_;
  // Most recently used first.
  std::list<std::pair<std::string, std::unique_ptr<ChartContext>>> views_;
};

#endif  // TOOLS_KORVAGRAPH_SERVE_WORKBENCH_H_
