// ChartResult: one chart of the Python module, drawn from a table through
// the analysis library's session and chart recipes, with what a notebook
// asks of it afterwards: its statistics and warnings, its pictures as bytes
// or pixels, and the session's variograms for tables and fits. ChartRequest
// is what one call asks for: the analysis library's settings, the chart's
// options and the picture size.
//
// Functions that reach the chart library take the LibraryLock themselves.
// A ChartResult owns its session and windows; it is used from one thread
// at a time.
#ifndef PYTHON_SRC_CHART_RESULT_H_
#define PYTHON_SRC_CHART_RESULT_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/table.h"

namespace korvagraph::python {

struct ChartRequest {
  analysis::Settings settings;
  analysis::ChartOptions chart;
  // The variogram shown: every direction (omni) or one of the azimuths.
  bool omni = true;
  double azimuth = 0.0;
  int width = analysis::kDefaultPictureSide;
  int height = analysis::kDefaultPictureSide;
};

// Finds every column the request names by the library's rule (FindColumn);
// fails as FindColumn does, listing the columns.
analysis::Status FindRequestedColumns(const analysis::Table& table,
                                      const analysis::ColumnRequest& request);

// Checks what no single option shows (ValidateSettings) and turns the
// direction into the variogram row it names, as the command line's --dir.
analysis::Status ResolveRequest(ChartRequest* request);

class ChartResult {
 public:
  // Runs on the session before the chart is drawn (such as giving it
  // variograms computed elsewhere).
  using Prepare = std::function<analysis::Status(analysis::Session*)>;
  // Opens a session of table with the request's settings, prepares it and
  // draws kind. Fails, saying why, when the data cannot give the chart.
  static analysis::Status Draw(analysis::Table table,
                               const ChartRequest& request,
                               const analysis::ChartKind& kind,
                               std::unique_ptr<ChartResult>* result,
                               const Prepare& prepare = {});
  ChartResult(const ChartResult&) = delete;
  ChartResult& operator=(const ChartResult&) = delete;

  const analysis::Settings& settings() const { return session_->settings(); }
  const analysis::Statistics& stats() const { return drawn_.stats; }
  // The numbers behind the chart: variogram lags, variogram map cells.
  const analysis::ChartTable& table() const { return drawn_.table; }
  // Returns the session's warnings about the whole run, then the chart's.
  std::vector<std::string> Warnings() const;

  // Picture 0 is the main one; a chart may add more (the location map's
  // legend, suffix "legend").
  int PictureCount() const { return pictures_->count(); }
  const std::string& PictureSuffix(int i) const { return pictures_->suffix(i); }
  const CanvasWindow& Window(int i) const { return pictures_->window(i); }
  // Writes picture i as a file of format (a PNG of scale pixels per pixel)
  // into *bytes.
  analysis::Status Bytes(int i, analysis::ImageFormat format, double scale,
                         std::string* bytes) const;
  // Returns picture i's pixels: rows from the top, three bytes (red, green,
  // blue) per pixel.
  std::vector<uint8_t> Rgb(int i) const;
  // Saves every picture beside path, in the format its extension names
  // (picture i > 0 at PicturePath's name); appends the paths written.
  analysis::Status Save(const std::string& path, double scale,
                        std::vector<std::string>* written) const;

  // The session's variograms with their fitted model, worked out once.
  analysis::Status Variograms(const analysis::VariogramSet** set);

 private:
  ChartResult() = default;

  std::unique_ptr<analysis::Session> session_;
  std::unique_ptr<analysis::ChartPictures> pictures_;
  analysis::DrawnChart drawn_;
};

}  // namespace korvagraph::python

#endif  // PYTHON_SRC_CHART_RESULT_H_
