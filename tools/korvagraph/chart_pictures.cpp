#include "tools/korvagraph/chart_pictures.h"

#include <utility>

namespace {

constexpr char kPngExtension[] = ".png";

}  // namespace

std::string PicturePath(const std::string& main_path,
                        const std::string& suffix) {
  if (suffix.empty()) return main_path;
  std::string base = main_path;
  const std::string extension = kPngExtension;
  if (base.size() > extension.size() &&
      base.compare(base.size() - extension.size(), extension.size(),
                   extension) == 0) {
    base.resize(base.size() - extension.size());
  }
  return base + "-" + suffix + extension;
}

ChartPictures::ChartPictures(int width, int height) { Add("", width, height); }

CanvasWindow* ChartPictures::Add(const std::string& suffix, int width,
                                 int height) {
  pictures_.push_back({suffix, std::make_unique<CanvasWindow>(width, height)});
  return pictures_.back().window.get();
}

std::string ChartPictures::Path(int i, const std::string& main_path) const {
  return PicturePath(main_path, pictures_[i].suffix);
}

bool ChartPictures::Save(int i, const std::string& path) const {
  return pictures_[i].window->SavePng(path);
}
