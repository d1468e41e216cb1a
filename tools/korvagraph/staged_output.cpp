#include "tools/korvagraph/staged_output.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace korvagraph {

using analysis::Status;

namespace fs = std::filesystem;

namespace {

std::string Suffixed(const std::string& path, const char* what) {
  std::string base = path;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "." + what + "-" + std::to_string(::getpid());
}

// Returns OK when an existing directory may be replaced by a new gallery.
Status CheckReplaceable(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return Status::Ok();
  if (!fs::is_directory(status)) {
    return Status::Failure(path + ": exists and is not a directory");
  }
  if (fs::is_empty(path, ec) || fs::exists(fs::path(path) / "index.html", ec)) {
    return Status::Ok();
  }
  return Status::Failure(path +
                         ": exists and holds files other than a gallery; "
                         "expected a new, empty or earlier gallery directory");
}

}  // namespace

Status StagedOutput::Create(const std::string& final_path, Kind kind,
                            std::unique_ptr<StagedOutput>* output) {
  if (final_path.empty()) return Status::Failure("empty output path");
  std::string staging = Suffixed(final_path, "partial");
  if (kind == Kind::kDirectory) {
    Status status = CheckReplaceable(final_path);
    if (!status.ok()) return status;
    std::error_code ec;
    fs::remove_all(staging, ec);
    if (!fs::create_directories(staging, ec) || ec) {
      return Status::Failure(staging + ": cannot create: " + ec.message());
    }
  }
  output->reset(new StagedOutput(final_path, std::move(staging), kind));
  return Status::Ok();
}

StagedOutput::~StagedOutput() {
  if (committed_) return;
  std::error_code ec;
  fs::remove_all(staging_path_, ec);
}

Status StagedOutput::Commit() {
  std::error_code ec;
  if (kind_ == Kind::kFile) {
    fs::rename(staging_path_, final_path_, ec);
    if (ec)
      return Status::Failure(final_path_ + ": cannot write: " + ec.message());
    committed_ = true;
    return Status::Ok();
  }
  Status status = CheckReplaceable(final_path_);
  if (!status.ok()) return status;
  const std::string old = Suffixed(final_path_, "old");
  const bool had_old = fs::exists(final_path_, ec);
  if (had_old) {
    fs::remove_all(old, ec);
    fs::rename(final_path_, old, ec);
    if (ec) {
      return Status::Failure(final_path_ + ": cannot replace: " + ec.message());
    }
  }
  fs::rename(staging_path_, final_path_, ec);
  if (ec) {
    std::error_code ignored;
    if (had_old) fs::rename(old, final_path_, ignored);  // put it back
    return Status::Failure(final_path_ + ": cannot create: " + ec.message());
  }
  committed_ = true;
  if (had_old) fs::remove_all(old, ec);
  return Status::Ok();
}

}  // namespace korvagraph
