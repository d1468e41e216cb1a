#include "python/src/chart_result.h"

#include <utility>

#include "korvagraph/analysis/statistic.h"
#include "python/src/library_lock.h"
#include "tools/korvagraph/serve/picture_bytes.h"

namespace korvagraph::python {

using analysis::Status;

Status FindRequestedColumns(const analysis::Table& table,
                            const analysis::ColumnRequest& request) {
  for (const std::string* wanted :
       {&request.primary, &request.secondary, &request.x, &request.y,
        &request.z, &request.weight}) {
    int column = analysis::kNoColumn;
    if (wanted->empty()) continue;
    const Status status = analysis::FindColumn(table, *wanted, &column);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

Status ResolveRequest(ChartRequest* request) {
  const Status status = analysis::ValidateSettings(request->settings);
  if (!status.ok()) return status;
  request->chart.direction = 0;
  if (request->omni) return Status::Ok();
  const std::vector<double>& azimuths = request->settings.variogram.azimuths;
  std::string choices = "\"omni\"";
  for (size_t d = 0; d < azimuths.size(); ++d) {
    if (azimuths[d] == request->azimuth) {
      request->chart.direction = static_cast<int>(d) + 1;
      return Status::Ok();
    }
    choices += ", " + analysis::Formatted(azimuths[d]);
  }
  return Status::Failure("dir: expected " + choices +
                         " (the azimuths of dirs), found " +
                         analysis::Formatted(request->azimuth));
}

Status ChartResult::Draw(analysis::Table table, const ChartRequest& request,
                         const analysis::ChartKind& kind,
                         std::unique_ptr<ChartResult>* result,
                         const Prepare& prepare) {
  std::unique_ptr<ChartResult> chart(new ChartResult);
  chart->pictures_ =
      std::make_unique<analysis::ChartPictures>(request.width, request.height);
  const LibraryLock lock;
  Status status = analysis::Session::Open(std::move(table), request.settings,
                                          &chart->session_);
  if (status.ok() && prepare) status = prepare(chart->session_.get());
  if (status.ok()) {
    status = analysis::DrawChart(chart->session_.get(), kind, request.chart,
                                 chart->pictures_.get(), &chart->drawn_);
  }
  if (status.ok()) *result = std::move(chart);
  return status;
}

std::vector<std::string> ChartResult::Warnings() const {
  std::vector<std::string> warnings = session_->run_warnings();
  warnings.insert(warnings.end(), drawn_.warnings.begin(),
                  drawn_.warnings.end());
  return warnings;
}

Status ChartResult::Bytes(int i, analysis::ImageFormat format, double scale,
                          std::string* bytes) const {
  const LibraryLock lock;
  const bool saved = PictureBytes(
      [&](const std::string& path) {
        return pictures_->Save(i, path, format, scale);
      },
      bytes);
  return saved ? Status::Ok()
               : Status::Failure("the picture could not be written");
}

std::vector<uint8_t> ChartResult::Rgb(int i) const {
  const LibraryLock lock;
  const CanvasWindow& window = pictures_->window(i);
  const int width = window.Width(), height = window.Height();
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  const auto* rows = reinterpret_cast<const uint8_t*>(window.Pixels());
  uint8_t* out = rgb.data();
  // A pixel is 0x00BBGGRR: the bytes red, green, blue, 0 in memory.
  for (int y = 0; y < height; ++y) {
    const uint8_t* pixel = rows + static_cast<size_t>(y) * window.RowStride();
    for (int x = 0; x < width; ++x, pixel += 4) {
      *out++ = pixel[0];
      *out++ = pixel[1];
      *out++ = pixel[2];
    }
  }
  return rgb;
}

Status ChartResult::Save(const std::string& path, double scale,
                         std::vector<std::string>* written) const {
  analysis::ImageFormat format = analysis::ImageFormat::kPng;
  if (!analysis::ImageFormatOfPath(path, &format)) {
    return Status::InFile(path, "expected a name ending in .png, .svg or .pdf");
  }
  const LibraryLock lock;
  for (int i = 0; i < pictures_->count(); ++i) {
    const std::string file = pictures_->Path(i, path, format);
    if (!pictures_->Save(i, file, format, scale)) {
      return Status::InFile(file, "cannot write the picture");
    }
    written->push_back(file);
  }
  return Status::Ok();
}

Status ChartResult::Variograms(const analysis::VariogramSet** set) {
  const LibraryLock lock;
  return session_->Variograms(set);
}

}  // namespace korvagraph::python
