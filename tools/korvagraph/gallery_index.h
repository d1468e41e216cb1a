// Writes a gallery's index.html: every chart's picture with the statistics
// its compute step returned and its warnings, what the run read and chose,
// and the charts left out with the reason.
#ifndef TOOLS_KORVAGRAPH_GALLERY_INDEX_H_
#define TOOLS_KORVAGRAPH_GALLERY_INDEX_H_

#include <string>
#include <vector>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/statistic.h"
#include "korvagraph/analysis/status.h"

namespace korvagraph {

struct GalleryItem {
  std::string name;                   // subcommand
  std::string title;                  // heading
  std::string description;            // one line
  std::vector<std::string> pictures;  // file names beside index.html
  analysis::Statistics stats;
  std::vector<std::string> warnings;    // shown beside the pictures
  std::vector<std::string> links = {};  // further files (other formats)
  analysis::ChartTable table = {};      // the lags or cells drawn
};

// A chart that could not be drawn from the data, and why.
struct SkippedChart {
  std::string name;
  std::string reason;
};

// What the page says about the whole run besides the charts.
struct GalleryNotes {
  std::vector<std::string> lines;     // columns used, trimming, transform
  std::vector<std::string> warnings;  // about the whole run
  std::vector<SkippedChart> skipped;
};

// Returns the item's pictures and then its linked files.
std::vector<std::string> GalleryFiles(const GalleryItem& item);

// Returns text for an HTML page: &, <, > and " escaped, and every byte a
// terminal would act on (controls, NUL, invalid UTF-8) shown as \xNN, as
// Printable shows it.
std::string EscapeHtml(const std::string& text);

// Returns the gallery's statistics as a JSON document: the run's notes and
// warnings, each chart's pictures, statistics and warnings, and the charts
// left out.
std::string StatsJson(const std::vector<GalleryItem>& items,
                      const GalleryNotes& notes);

// Returns the page for the items; heading and source describe the data.
std::string GalleryPage(const std::string& heading, const std::string& source,
                        const std::vector<GalleryItem>& items,
                        const GalleryNotes& notes = {});

// Writes text to the file at path, replacing it.
analysis::Status WriteTextFile(const std::string& path,
                               const std::string& text);

// Writes the page to path.
analysis::Status WriteGalleryPage(const std::string& path,
                                  const std::string& heading,
                                  const std::string& source,
                                  const std::vector<GalleryItem>& items,
                                  const GalleryNotes& notes = {});

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_GALLERY_INDEX_H_
