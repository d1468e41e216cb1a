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

#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/chart_pictures.h"
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
  // data: read with no trimming beyond the missing-value mark; each request
  // trims it as it asks.
  explicit Workbench(DataSet data);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  // Builds the view of request's settings; fails when the data cannot be
  // shown with them.
  Status Prepare(const WorkbenchRequest& request);
  // The data, the columns, the view's lags, directions and variograms, and
  // the fitted model, as JSON.
  Reply Info(const WorkbenchRequest& request);
  // The chart named name ("vario", "cloud", ..., any chart of the chart
  // table, or "locmap-legend") as a PNG or SVG picture.
  Reply Chart(const std::string& name, ImageFormat format,
              const WorkbenchRequest& request);
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
  // What a request's answer draws from: the view of its settings.
  struct View {
    ChartContext* context = nullptr;
    const VariogramSet* variograms = nullptr;
    CloudSet* cloud = nullptr;
    const std::vector<KvDiscPnt>* samples = nullptr;
  };

  // Finds or builds the view of request's settings. REQUIRES: mutex_ held.
  Status FindView(const WorkbenchRequest& request, View* view);
  // Holds mutex_ and answers with body(view), or with the 400 of a view
  // that cannot be built.
  template <typename Body>
  Reply Answer(const WorkbenchRequest& request, Body body);

  // The cloud points a chart shows for request: its box, else the pairs of
  // its picked lag, else none.
  static std::vector<LONG> SelectedPoints(const WorkbenchRequest& request,
                                          const View& view);
  static Reply DrawToPicture(const std::string& name, ImageFormat format,
                             const WorkbenchRequest& request, const View& view);

  std::mutex mutex_;
  const DataSet data_;
  // Most recently used first.
  std::list<std::pair<std::string, std::unique_ptr<ChartContext>>> views_;
};

#endif  // TOOLS_KORVAGRAPH_SERVE_WORKBENCH_H_
