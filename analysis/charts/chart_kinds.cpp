// The chart table and DrawChart: every chart a session can draw, with the
// recipe that draws it, and the checks every drawn chart passes.
#include <algorithm>

#include "analysis/charts/chart_parts.h"

namespace korvagraph::analysis {
namespace {

struct ChartEntry {
  ChartKind kind;
  ChartRecipe draw;
};

const std::vector<ChartEntry>& ChartEntries() {
  static const std::vector<ChartEntry> kCharts = {
      {{"hist", "Histogram",
        "frequency histogram of the primary attribute and its summary "
        "statistics",
        ColumnUse::kPrimary},
       DrawHistogram},
      {{"cumhist", "Cumulative histogram",
        "cumulative frequency curve of the primary attribute",
        ColumnUse::kPrimary},
       DrawCumulativeHistogram},
      {{"prob", "Probability plot",
        "the primary attribute's values against a normal probability scale",
        ColumnUse::kPrimary},
       DrawProbabilityPlot},
      {{"nqq", "Normal Q-Q plot",
        "normal scores of the primary attribute against its values",
        ColumnUse::kPrimary},
       DrawNormalQqPlot},
      {{"qq", "Q-Q plot",
        "quantiles of the primary attribute against those of the secondary, "
        "each with every value it has",
        ColumnUse::kBoth},
       DrawQqPlot},
      {{"scatter", "Scatter plot",
        "primary against secondary attribute at the samples holding both, "
        "each axis on its own scale",
        ColumnUse::kBoth},
       DrawScatterPlot},
      {{"cross", "Cross plot",
        "primary against secondary attribute on one shared scale, with the "
        "least-squares line",
        ColumnUse::kBoth},
       DrawCrossPlot},
      {{"vario", "Variogram",
        "experimental variogram of the primary attribute with a model "
        "fitted by weighted least squares and the sample variance as sill",
        ColumnUse::kLocated},
       DrawVariogramPlot},
      {{"mvario", "Directional variograms",
        "experimental variograms along the chosen azimuths (by default 0, "
        "45, 90 and 135 degrees, tolerance 22.5), one colour each",
        ColumnUse::kLocated},
       DrawMultipleVariogramPlot},
      {{"varmap", "Variogram map",
        "semivariance of the primary attribute on a grid of separation "
        "vectors (the lag each way), coloured blue (lowest) to red; its "
        "lowest valley runs along the direction of greatest continuity",
        ColumnUse::kLocated},
       DrawVariogramMap},
      {{"cloud", "Variogram cloud",
        "every pair of samples, distance against semivariance; in cyan the "
        "pairs of largest semivariance closer than one lag",
        ColumnUse::kLocated},
       DrawVariogramCloud},
      {{"cloudmap", "Variogram cloud location map",
        "the samples in the x-y plane, the cloud's cyan pairs linked",
        ColumnUse::kLocated},
       DrawCloudLocationMap},
      {{"locmap", "Location map",
        "the samples in the x-y plane coloured by the primary attribute, "
        "blue (lowest) to red (highest), and the colour legend beside it "
        "(NAME-legend.png)",
        ColumnUse::kLocated},
       DrawLocationMap},
  };
  return kCharts;
}

// Colour spread (largest minus smallest channel) above which a pixel is a
// mark: frames, grids and texts are black and grey.
constexpr int kMarkSpread = 40;

// What a drawn picture shows: anything but its background, and marks.
struct PictureContent {
  bool drawn = false;
  bool marks = false;
};

PictureContent ContentOf(const CanvasWindow& window) {
  PictureContent content;
  const COLORREF background = window.Pixel(0, 0);
  for (int y = 0; y < window.Height() && !content.marks; ++y) {
    for (int x = 0; x < window.Width(); ++x) {
      const COLORREF pixel = window.Pixel(x, y);
      const int r = pixel & 0xFF, g = (pixel >> 8) & 0xFF,
                b = (pixel >> 16) & 0xFF;
      content.drawn = content.drawn || pixel != background;
      if (std::max({r, g, b}) - std::min({r, g, b}) > kMarkSpread) {
        content.marks = true;
        break;
      }
    }
  }
  return content;
}

}  // namespace

const std::vector<ChartKind>& ChartKinds() {
  static const std::vector<ChartKind> kKinds = [] {
    std::vector<ChartKind> kinds;
    for (const ChartEntry& entry : ChartEntries()) kinds.push_back(entry.kind);
    return kinds;
  }();
  return kKinds;
}

const ChartKind* FindChartKind(const std::string& name) {
  for (const ChartKind& kind : ChartKinds()) {
    if (name == kind.name) return &kind;
  }
  return nullptr;
}

Status DrawChart(Session* session, const ChartKind& kind,
                 const ChartOptions& options, ChartPictures* pictures,
                 DrawnChart* drawn) {
  *drawn = DrawnChart();
  const auto entry =
      std::find_if(ChartEntries().begin(), ChartEntries().end(),
                   [&kind](const ChartEntry& e) {
                     return std::string(e.kind.name) == kind.name;
                   });
  if (entry == ChartEntries().end()) {
    return Status::Failure(std::string("unknown chart \"") + kind.name + "\"");
  }
  session->TakeWarnings();
  Status status =
      entry->draw(session, options, pictures, &drawn->stats, &drawn->table);
  drawn->warnings = session->TakeWarnings();
  if (!status.ok()) return status;
  const PictureContent content = ContentOf(*pictures->main());
  if (!content.drawn) {
    return Status::Failure(
        "the chart library drew nothing from these values (a chart needs "
        "values that differ)");
  }
  if (!content.marks) drawn->warnings.push_back("the chart shows no marks");
  AddText(&drawn->stats, "columns", session->ColumnsText(kind.uses));
  AddCount(&drawn->stats, "values trimmed", session->TrimmedFor(kind.uses));
  const bool weighted =
      std::any_of(drawn->stats.begin(), drawn->stats.end(),
                  [](const Statistic& stat) { return stat.name == "weights"; });
  if (session->columns().weight != kNoColumn && !weighted) {
    AddText(&drawn->stats, "weights",
            "not used: the library's compute step takes no weights");
  }
  return Status::Ok();
}

}  // namespace korvagraph::analysis
