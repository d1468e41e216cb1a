#include "tools/korvagraph/chart_pictures.h"

#include <algorithm>
#include <cctype>
#include <utility>

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

// Returns the format of a name such as "svg" (any case), or false.
bool ParseFormat(const std::string& name, ImageFormat* format) {
  for (ImageFormat candidate : kFormats) {
    if (Lower(name) == Extension(candidate) + 1) {
      *format = candidate;
      return true;
    }
  }
  return false;
}

// Returns the format a path's extension names (any case), or false.
bool FormatOfPath(const std::string& path, ImageFormat* format) {
  for (ImageFormat candidate : kFormats) {
    if (EndsWith(Lower(path), Extension(candidate))) {
      *format = candidate;
      return true;
    }
  }
  return false;
}

Status UnknownFormat(const char* option, const std::string& value) {
  return Status::Error(std::string(option) +
                       ": expected png, svg or pdf, found \"" + value + "\"");
}

}  // namespace

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

Status ChooseChartOutput(const Options& options, const std::string& name,
                         ChartOutput* output) {
  const bool has_format = !options.format.empty();
  if (has_format && !ParseFormat(options.format, &output->format)) {
    return UnknownFormat("--format", options.format);
  }
  if (options.out.empty()) {
    output->path = name + Extension(output->format);
    return Status::Ok();
  }
  output->path = options.out;
  ImageFormat named = ImageFormat::kPng;
  if (!FormatOfPath(options.out, &named)) return Status::Ok();
  if (has_format && named != output->format) {
    return Status::Error("--out " + options.out + " names " +
                         (Extension(named) + 1) + " but --format asks for " +
                         options.format);
  }
  output->format = named;
  return Status::Ok();
}

Status ChooseGalleryFormats(const Options& options,
                            std::vector<ImageFormat>* formats) {
  formats->clear();
  const std::string& list =
      options.formats.empty() ? options.format : options.formats;
  if (list.empty()) {
    formats->push_back(ImageFormat::kPng);
    return Status::Ok();
  }
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, comma - start);
    ImageFormat format = ImageFormat::kPng;
    if (!ParseFormat(name, &format)) return UnknownFormat("--formats", name);
    if (std::find(formats->begin(), formats->end(), format) == formats->end()) {
      formats->push_back(format);
    }
    start = comma + 1;
  }
  return Status::Ok();
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

Status SaveGalleryPictures(const ChartPictures& pictures,
                           const std::string& name,
                           const std::vector<ImageFormat>& formats,
                           double scale, const std::string& staging_dir,
                           const std::string& out_dir, GalleryItem* item) {
  auto has = [&](ImageFormat f) {
    return std::find(formats.begin(), formats.end(), f) != formats.end();
  };
  const ImageFormat shown =
      has(ImageFormat::kSvg) ? ImageFormat::kSvg : ImageFormat::kPng;
  for (ImageFormat format : formats) {
    for (int i = 0; i < pictures.count(); ++i) {
      const std::string file =
          pictures.Path(i, name + Extension(format), format);
      if (!pictures.Save(i, staging_dir + "/" + file, format, scale)) {
        return Status::Error(out_dir + "/" + file +
                             ": cannot write the picture");
      }
      (format == shown ? item->pictures : item->links).push_back(file);
    }
  }
  return Status::Ok();
}
