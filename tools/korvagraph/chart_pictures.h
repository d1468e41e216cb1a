// ChartPictures: the windows that one chart draws into, each saved as a PNG,
// an SVG or a PDF. The main picture comes first and is sized by the caller;
// a chart that draws more (a map and its legend) adds further windows, each
// named by a suffix of the main picture's file name. The windows live as
// long as it. Also here: choosing the formats from the command line.
#ifndef TOOLS_KORVAGRAPH_CHART_PICTURES_H_
#define TOOLS_KORVAGRAPH_CHART_PICTURES_H_

#include <memory>
#include <string>
#include <vector>

#include "korvagraph/canvas_window.h"
#include "tools/korvagraph/gallery_index.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/status.h"

enum class ImageFormat { kPng, kSvg, kPdf };

// Returns ".png", ".svg" or ".pdf".
const char* Extension(ImageFormat format);

// Returns where the picture with suffix goes when the main picture goes to
// main_path: main_path itself for no suffix, else "dir/map.png" with suffix
// "legend" gives "dir/map-legend.png" (the format's extension).
std::string PicturePath(const std::string& main_path, const std::string& suffix,
                        ImageFormat format = ImageFormat::kPng);

// A single chart's main picture: where it goes and in which format.
struct ChartOutput {
  std::string path;
  ImageFormat format = ImageFormat::kPng;
};

// The format follows --format, else the extension of --out (.png, .svg,
// .pdf, in any case), else PNG; without --out the picture is NAME plus the
// format's extension. Fails on an unknown --format or one that contradicts
// the extension of --out.
Status ChooseChartOutput(const Options& options, const std::string& name,
                         ChartOutput* output);

// The gallery's formats: --formats (comma-separated), else --format, else
// PNG alone. Fails on an unknown or empty name.
Status ChooseGalleryFormats(const Options& options,
                            std::vector<ImageFormat>* formats);

class ChartPictures {
 public:
  ChartPictures(int width, int height);
  ChartPictures(const ChartPictures&) = delete;
  ChartPictures& operator=(const ChartPictures&) = delete;

  CanvasWindow* main() { return pictures_.front().window.get(); }
  // Adds a window of width x height saved under suffix; returns it.
  CanvasWindow* Add(const std::string& suffix, int width, int height);

  int count() const { return static_cast<int>(pictures_.size()); }
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

// Saves every picture of the gallery chart `name` in each format into
// staging_dir (which becomes out_dir) and lists the files in item: the SVGs
// (else the PNGs) as the pictures the page shows, every other file as a link.
Status SaveGalleryPictures(const ChartPictures& pictures,
                           const std::string& name,
                           const std::vector<ImageFormat>& formats,
                           double scale, const std::string& staging_dir,
                           const std::string& out_dir, GalleryItem* item);

#endif  // TOOLS_KORVAGRAPH_CHART_PICTURES_H_
