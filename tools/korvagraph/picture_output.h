// Where korvagraph's pictures go: a single chart's file and format from
// --out and --format, the gallery's formats from --formats, and the
// gallery's pictures saved into its folder.
#ifndef TOOLS_KORVAGRAPH_PICTURE_OUTPUT_H_
#define TOOLS_KORVAGRAPH_PICTURE_OUTPUT_H_

#include <string>
#include <vector>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/status.h"
#include "tools/korvagraph/gallery_index.h"
#include "tools/korvagraph/options.h"

namespace korvagraph {

// A single chart's main picture: where it goes and in which format.
struct ChartOutput {
  std::string path;
  analysis::ImageFormat format = analysis::ImageFormat::kPng;
};

// The format follows --format, else the extension of --out (.png, .svg,
// .pdf, in any case), else PNG; without --out the picture is NAME plus the
// format's extension. Fails on an unknown --format or one that contradicts
// the extension of --out.
analysis::Status ChooseChartOutput(const Options& options,
                                   const std::string& name,
                                   ChartOutput* output);

// The gallery's formats: --formats (comma-separated), else --format, else
// PNG alone. Fails on an unknown or empty name.
analysis::Status ChooseGalleryFormats(
    const Options& options, std::vector<analysis::ImageFormat>* formats);

// Saves every picture of the gallery chart `name` in each format into
// staging_dir (which becomes out_dir) and lists the files in item: the SVGs
// (else the PNGs) as the pictures the page shows, every other file as a link.
analysis::Status SaveGalleryPictures(
    const analysis::ChartPictures& pictures, const std::string& name,
    const std::vector<analysis::ImageFormat>& formats, double scale,
    const std::string& staging_dir, const std::string& out_dir,
    GalleryItem* item);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_PICTURE_OUTPUT_H_
