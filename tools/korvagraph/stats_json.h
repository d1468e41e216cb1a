// The numbers each chart's compute step returned, in JSON for programs:
// one object per chart (statistics, warnings, pictures), the run's notes
// and warnings, and the charts left out with their reasons.
#ifndef TOOLS_KORVAGRAPH_STATS_JSON_H_
#define TOOLS_KORVAGRAPH_STATS_JSON_H_

#include <string>
#include <vector>

#include "tools/korvagraph/gallery_index.h"

// Returns text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// Returns the document: {"notes": [...], "warnings": [...], "charts":
// [{"name", "pictures", "stats": {NAME: number or text}, "warnings"}],
// "skipped": [{"name", "reason"}]}. Numbers are written in full precision;
// a number that is not finite is written as null.
std::string StatsJson(const std::vector<GalleryItem>& items,
                      const GalleryNotes& notes);

#endif  // TOOLS_KORVAGRAPH_STATS_JSON_H_
