// ChartPictures: the windows that one chart draws into, each saved as a PNG.
// The main picture comes first and is sized by the caller; a chart that
// draws more (a map and its legend) adds further windows, each named by a
// suffix of the main picture's file name. The windows live as long as it.
#ifndef TOOLS_KORVAGRAPH_CHART_PICTURES_H_
#define TOOLS_KORVAGRAPH_CHART_PICTURES_H_

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas_window.h"

// Returns where the picture with suffix goes when the main picture goes to
// main_path: main_path itself for no suffix, else "dir/map.png" with suffix
// "legend" gives "dir/map-legend.png".
std::string PicturePath(const std::string& main_path,
                        const std::string& suffix);

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
  std::string Path(int i, const std::string& main_path) const;
  // Saves picture i to path; false when it cannot be written.
  bool Save(int i, const std::string& path) const;

 private:
  struct Picture {
    std::string suffix;  // empty for the main picture
    std::unique_ptr<CanvasWindow> window;
  };
  std::vector<Picture> pictures_;
};

#endif  // TOOLS_KORVAGRAPH_CHART_PICTURES_H_
