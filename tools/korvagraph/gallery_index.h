// Writes a gallery's index.html: every chart's picture with the statistics
// its compute step returned.
#ifndef TOOLS_KORVAGRAPH_GALLERY_INDEX_H_
#define TOOLS_KORVAGRAPH_GALLERY_INDEX_H_

#include <string>
#include <vector>

#include "tools/korvagraph/statistic.h"
#include "tools/korvagraph/status.h"

struct GalleryItem {
  std::string name;                   // subcommand
  std::string title;                  // heading
  std::string description;            // one line
  std::vector<std::string> pictures;  // file names beside index.html
  Statistics stats;
};

// Returns text with &, <, > and " escaped for HTML.
std::string EscapeHtml(const std::string& text);

// Returns the page for the items; heading and source describe the data.
std::string GalleryPage(const std::string& heading, const std::string& source,
                        const std::vector<GalleryItem>& items);

// Writes the page to path.
Status WriteGalleryPage(const std::string& path, const std::string& heading,
                        const std::string& source,
                        const std::vector<GalleryItem>& items);

#endif  // TOOLS_KORVAGRAPH_GALLERY_INDEX_H_
