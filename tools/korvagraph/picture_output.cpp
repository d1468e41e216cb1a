#include "tools/korvagraph/picture_output.h"

#include <algorithm>

namespace korvagraph {
namespace {

using analysis::ChartPictures;
using analysis::Extension;
using analysis::ImageFormat;
using analysis::Status;

Status UnknownFormat(const char* option, const std::string& value) {
  return Status::Failure(std::string(option) +
                         ": expected png, svg or pdf, found \"" + value + "\"");
}

}  // namespace

Status ChooseChartOutput(const Options& options, const std::string& name,
                         ChartOutput* output) {
  const bool has_format = !options.format.empty();
  if (has_format &&
      !analysis::ParseImageFormat(options.format, &output->format)) {
    return UnknownFormat("--format", options.format);
  }
  if (options.out.empty()) {
    output->path = name + Extension(output->format);
    return Status::Ok();
  }
  output->path = options.out;
  ImageFormat named = ImageFormat::kPng;
  if (!analysis::ImageFormatOfPath(options.out, &named)) return Status::Ok();
  if (has_format && named != output->format) {
    return Status::Failure("--out " + options.out + " names " +
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
    if (!analysis::ParseImageFormat(name, &format))
      return UnknownFormat("--formats", name);
    if (std::find(formats->begin(), formats->end(), format) == formats->end()) {
      formats->push_back(format);
    }
    start = comma + 1;
  }
  return Status::Ok();
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
        return Status::Failure(out_dir + "/" + file +
                               ": cannot write the picture");
      }
      (format == shown ? item->pictures : item->links).push_back(file);
    }
  }
  return Status::Ok();
}

}  // namespace korvagraph
