// The charts a host draws from a session, through the chart library's
// exports: for each chart the graph object set up from the session's data,
// drawn into the host's windows, with the statistics its compute step
// returned. Every host (the command line, the browser workbench, Python)
// draws through these, so that they show the same pictures and numbers.
// Also the pieces an interactive host redraws on its own: a variogram row
// with its model and a highlighted entry, the cloud with a selection, the
// cloud's pair map, and the cloud's pixel mapping.
//
// Threads: the chart library is single-threaded; call these from one
// thread at a time.
#ifndef KORVAGRAPH_ANALYSIS_CHARTS_H_
#define KORVAGRAPH_ANALYSIS_CHARTS_H_

#include <memory>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/cloud.h"
#include "korvagraph/analysis/model.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/statistic.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/canvas_window.h"

namespace korvagraph::analysis {

enum class ImageFormat { kPng, kSvg, kPdf };

// Returns ".png", ".svg" or ".pdf".
const char* Extension(ImageFormat format);
// Finds the format named name ("png", "svg", "pdf", in any case).
bool ParseImageFormat(const std::string& name, ImageFormat* format);
// Finds the format a path's extension names (in any case).
bool ImageFormatOfPath(const std::string& path, ImageFormat* format);
// Returns where the picture with suffix goes when the main picture goes to
// main_path: main_path itself for no suffix, else "dir/map.png" with suffix
// "legend" gives "dir/map-legend.png" (the format's extension).
std::string PicturePath(const std::string& main_path, const std::string& suffix,
                        ImageFormat format = ImageFormat::kPng);

// Picture sides a chart is drawn at: square pictures of the default side
// hold every axis title.
constexpr int kMinPictureSide = 16;
constexpr int kMaxPictureSide = 8192;
constexpr int kDefaultPictureSide = 560;

// ChartPictures: the windows one chart draws into, each saved as a PNG, an
// SVG or a PDF. The main picture comes first and is sized by the caller; a
// chart that draws more (a map and its legend) adds windows, each named by
// a suffix. The windows live as long as it.
class ChartPictures {
 public:
  ChartPictures(int width, int height);
  ChartPictures(const ChartPictures&) = delete;
  ChartPictures& operator=(const ChartPictures&) = delete;

  CanvasWindow* main() { return pictures_.front().window.get(); }
  const CanvasWindow& window(int i) const { return *pictures_[i].window; }
  // Adds a window of width x height saved under suffix; returns it.
  CanvasWindow* Add(const std::string& suffix, int width, int height);

  int count() const { return static_cast<int>(pictures_.size()); }
  const std::string& suffix(int i) const { return pictures_[i].suffix; }
  // Returns the path of picture i (0: the main one) beside main_path.
  std::string Path(int i, const std::string& main_path,
                   ImageFormat format = ImageFormat::kPng) const;
  // Saves picture i to path; false when it cannot be written. A PNG of
  // scale 1 is the window's raster; other scales draw the picture anew at
  // that many pixels per pixel.
  bool Save(int i, const std::string& path,
            ImageFormat format = ImageFormat::kPng, double scale = 1.0) const;

 private:
  struct Picture {
    std::string suffix;  // empty for the main picture
    std::unique_ptr<CanvasWindow> window;
  };
  std::vector<Picture> pictures_;
};

// How the maps' colours follow the values: evenly over the values' window,
// or by the values' ranks, so that each colour class holds as many samples
// (a skewed attribute then spreads over every colour).
enum class ColourScale { kLinear, kQuantile };

// Returns "linear" or "quantile"; parses the same names.
const char* ColourScaleName(ColourScale scale);
bool ParseColourScale(const std::string& name, ColourScale* scale);

// What a chart takes beyond its session.
struct ChartOptions {
  int classes = 0;          // histogram classes; 0: from the value count
  bool cumulative = false;  // "hist" draws the cumulative curve
  int direction = 0;        // "vario": the row shown; 0 every direction
  ColourScale colours = ColourScale::kLinear;  // "locmap", "varmap"
};

// The numbers behind a chart, a row each: the lags of its variograms
// (variogram, direction, lag from 1, distance, semivariance, pairs) or the
// cells of a variogram map (dx, dy, semivariance, pairs).
struct ChartTable {
  std::vector<std::string> label_names;          // the text columns, first
  std::vector<std::string> columns;              // the number columns
  std::vector<std::vector<std::string>> labels;  // a row's texts
  std::vector<std::vector<double>> rows;         // a row's numbers

  bool empty() const { return rows.empty(); }
  void Add(std::vector<std::string> row_labels, std::vector<double> numbers) {
    labels.push_back(std::move(row_labels));
    rows.push_back(std::move(numbers));
  }
};

// Returns the table as a JSON array of objects, a row each.
std::string ChartTableJson(const ChartTable& table);
// Returns the table as CSV: a header row, then a row each (texts quoted
// where they hold a comma or a quote).
std::string ChartTableCsv(const ChartTable& table);

struct ChartKind {
  const char* name;         // "hist", "vario", ...: a file's base name
  const char* title;        // a heading
  const char* description;  // one line
  ColumnUse uses;           // the columns it draws from
};

// Every chart, in gallery order: hist, cumhist, prob, nqq, qq, scatter,
// cross, vario, mvario, varmap, cloud, cloudmap, locmap. With several
// indicator thresholds, vario and mvario draw one picture per threshold
// (suffixes "2", "3", ...).
const std::vector<ChartKind>& ChartKinds();
// Returns the chart named name, or null.
const ChartKind* FindChartKind(const std::string& name);

struct DrawnChart {
  Statistics stats;  // the compute step's results, then "columns" and
                     // "values trimmed"
  std::vector<std::string> warnings;  // this chart's, from the session
  ChartTable table;  // the lags or cells drawn; empty for other charts
};

// Draws the chart into pictures->main() (and any picture it adds: the
// location map's legend, suffix "legend") and fills *drawn. Fails, saying
// why, when the data cannot give the chart or the library drew nothing.
Status DrawChart(Session* session, const ChartKind& kind,
                 const ChartOptions& options, ChartPictures* pictures,
                 DrawnChart* drawn);

// Returns name whole when it has at most chars characters (UTF-8), else its
// first chars - 1 characters and a period: "Copper", 4 gives "Cop.". For
// axis names that must fit a chart's fixed margins. REQUIRES: chars >= 2.
std::string Abbreviated(const std::string& name, size_t chars);

// An entry or point that is not there, and the position of a point that
// was not drawn.
constexpr int kNoEntry = -1;
constexpr LONG kNotDrawn = -2147483647 - 1;

// Draws row `row` of set with model's curve (along the row's direction;
// row 0: along the model's major axis) and the sample variance as sill,
// entry `selected` highlighted (kNoEntry: none). Returns where each entry
// of the row was drawn, in pixels of the window ({kNotDrawn, kNotDrawn}
// for entries not drawn); empty when no graph object could be made.
std::vector<CPoint> DrawVariogramRow(const VariogramSet& set, int row,
                                     const VariogramModel& model, int selected,
                                     CanvasWindow* window);

// Draws the cloud with the points numbered in selected in cyan.
Status DrawCloud(const CloudSet& set, const std::vector<LONG>& selected,
                 CanvasWindow* window);

// Draws the located samples with the pairs linked.
Status DrawCloudPairMap(Session* session, const std::vector<KVL_DOT>& pairs,
                        CanvasWindow* window);

// A box in pixels of a picture: two corners, in any order.
struct PixelBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Converts a box in pixels of the cloud's picture of width x height into
// the cloud's units, by the mapping the cloud chart draws with.
Status CloudBoxOf(const CloudSet& set, int width, int height,
                  const PixelBox& pixels, CloudBox* box);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_CHARTS_H_
