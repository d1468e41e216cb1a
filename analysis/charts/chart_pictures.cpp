#include <algorithm>
#include <cctype>
#include <utility>

#include "korvagraph/analysis/charts.h"

namespace korvagraph::analysis {
namespace {

constexpr ImageFormat kFormats[] = {ImageFormat::kPng, ImageFormat::kSvg,
                                    ImageFormat::kPdf};

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() > end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool ParseImageFormat(const std::string& name, ImageFormat* format) {
  for (ImageFormat candidate : kFormats) {
    if (Lower(name) == Extension(candidate) + 1) {
      *format = candidate;
      return true;
    }
  }
  return false;
}

bool ImageFormatOfPath(const std::string& path, ImageFormat* format) {
  for (ImageFormat candidate : kFormats) {
    if (EndsWith(Lower(path), Extension(candidate))) {
      *format = candidate;
      return true;
    }
  }
  return false;
}

const char* Extension(ImageFormat format) {
  switch (format) {
    case ImageFormat::kSvg:
      return ".svg";
    case ImageFormat::kPdf:
      return ".pdf";
    case ImageFormat::kPng:
      break;
  }
  return ".png";
}

std::string PicturePath(const std::string& main_path, const std::string& suffix,
                        ImageFormat format) {
  if (suffix.empty()) return main_path;
  const std::string extension = Extension(format);
  std::string base = main_path;
  if (EndsWith(base, extension)) base.resize(base.size() - extension.size());
  return base + "-" + suffix + extension;
}

ChartPictures::ChartPictures(int width, int height) { Add("", width, height); }

CanvasWindow* ChartPictures::Add(const std::string& suffix, int width,
                                 int height) {
  pictures_.push_back({suffix, std::make_unique<CanvasWindow>(width, height)});
  return pictures_.back().window.get();
}

std::string ChartPictures::Path(int i, const std::string& main_path,
                                ImageFormat format) const {
  return PicturePath(main_path, pictures_[i].suffix, format);
}

bool ChartPictures::Save(int i, const std::string& path, ImageFormat format,
                         double scale) const {
  const CanvasWindow& window = *pictures_[i].window;
  switch (format) {
    case ImageFormat::kSvg:
      return window.SaveSvg(path);
    case ImageFormat::kPdf:
      return window.SavePdf(path);
    case ImageFormat::kPng:
      break;
  }
  return scale == 1.0 ? window.SavePng(path)
                      : window.SaveScaledPng(path, scale);
}

}  // namespace korvagraph::analysis
