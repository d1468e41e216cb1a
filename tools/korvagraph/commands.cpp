#include "tools/korvagraph/commands.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/chart_pictures.h"
#include "tools/korvagraph/chart_table.h"
#include "tools/korvagraph/gallery_check.h"
#include "tools/korvagraph/gallery_index.h"
#include "tools/korvagraph/geoeas_reader.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/staged_output.h"

namespace {

const char kProgram[] = "korvagraph";

int Fail(const Status& status, int exit_status = kExitUserError) {
  std::fprintf(stderr, "%s: %s\n", kProgram, status.message().c_str());
  return exit_status;
}

// The bundled sample: where the build found it (KORVAGRAPH_SAMPLE_DATA, set
// by the build), else relative to the working directory.
std::string SamplePath() {
  std::error_code ec;
  if (std::filesystem::exists(KORVAGRAPH_SAMPLE_DATA, ec)) {
    return KORVAGRAPH_SAMPLE_DATA;
  }
  return "data/sample.dat";
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: %s COMMAND [OPTIONS]\n\n"
               "Draws the charts of KorvaGraphLib from a GeoEAS data file.\n\n"
               "commands:\n"
               "  gallery        every chart as a PNG plus index.html "
               "(--out DIR, default out)\n",
               kProgram);
  for (const ChartEntry& entry : ChartTable()) {
    std::fprintf(out, "  %-14s %s\n", entry.name, entry.description);
  }
  std::fprintf(out,
               "  check-gallery DIR  exit 1 unless every picture in "
               "DIR/index.html exists and is not blank\n\n"
               "'%s COMMAND --help' tells more.\n",
               kProgram);
}

void PrintCommandHelp(const std::string& command, const ChartEntry* entry) {
  if (entry == nullptr) {
    std::printf(
        "usage: %s gallery [--data FILE] [--out DIR] [--size WxH] "
        "[OPTIONS]\n\nDraws every chart into DIR/NAME.png and writes "
        "DIR/index.html with the statistics of each.\n",
        kProgram);
  } else {
    std::printf(
        "usage: %s %s [--data FILE] [--out FILE.png] [--size WxH] "
        "[OPTIONS]\n\n%s.\nOptions it reads besides --data, --out "
        "and --size: %s\n",
        kProgram, command.c_str(), entry->description, entry->options);
  }
  std::printf("\noptions:\n%s", OptionsHelp().c_str());
}

// Reads the data and chooses the columns.
Status LoadContext(const Options& options,
                   std::unique_ptr<ChartContext>* context) {
  const std::string path =
      options.data_path.empty() ? SamplePath() : options.data_path;
  DataSet data;
  Status status = ReadGeoEas(path, &data);
  if (!status.ok()) return status;
  *context = std::make_unique<ChartContext>(std::move(data), options, stderr);
  return (*context)->Resolve();
}

// Returns the names joined by ", ", each after prefix.
std::string Joined(const std::string& prefix,
                   const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty()) text += ", ";
    text += prefix + name;
  }
  return text;
}

int RunChart(const ChartEntry& entry, ChartContext* context) {
  const Options& options = context->options();
  const std::string out =
      options.out.empty() ? std::string(entry.name) + ".png" : options.out;
  ChartPictures pictures(options.width, options.height);
  Statistics stats;
  Status status = entry.draw(context, &pictures, &stats);
  if (!status.ok()) return Fail(status);
  // Every picture is staged before any is committed, so a failed write
  // leaves none of them behind.
  std::vector<std::unique_ptr<StagedOutput>> staged(pictures.count());
  std::vector<std::string> paths;
  for (int i = 0; i < pictures.count(); ++i) {
    paths.push_back(pictures.Path(i, out));
    status =
        StagedOutput::Create(paths[i], StagedOutput::Kind::kFile, &staged[i]);
    if (!status.ok()) return Fail(status);
    if (!pictures.Save(i, staged[i]->path())) {
      return Fail(Status::Error(paths[i] + ": cannot write the picture"),
                  kExitFailure);
    }
  }
  for (const std::unique_ptr<StagedOutput>& picture : staged) {
    status = picture->Commit();
    if (!status.ok()) return Fail(status, kExitFailure);
  }
  std::printf("%s: %s\n", entry.name, Joined("", paths).c_str());
  for (const Statistic& stat : stats) {
    std::printf("  %s: %s\n", stat.name.c_str(), stat.value.c_str());
  }
  return kExitOk;
}

int RunGallery(ChartContext* context) {
  const Options& options = context->options();
  std::string out = options.out.empty() ? "out" : options.out;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  std::unique_ptr<StagedOutput> staged;
  Status status =
      StagedOutput::Create(out, StagedOutput::Kind::kDirectory, &staged);
  if (!status.ok()) return Fail(status);
  std::vector<GalleryItem> items;
  for (const ChartEntry& entry : ChartTable()) {
    GalleryItem item{entry.name, entry.title, entry.description, {}, {}};
    ChartPictures pictures(options.width, options.height);
    status = entry.draw(context, &pictures, &item.stats);
    if (!status.ok()) return Fail(status);
    for (int i = 0; i < pictures.count(); ++i) {
      item.pictures.push_back(
          pictures.Path(i, std::string(entry.name) + ".png"));
      if (!pictures.Save(i, staged->path() + "/" + item.pictures.back())) {
        return Fail(Status::Error(out + "/" + item.pictures.back() +
                                  ": cannot write the picture"),
                    kExitFailure);
      }
    }
    items.push_back(std::move(item));
  }
  const DataSet& data = context->data();
  status = WriteGalleryPage(staged->path() + "/index.html", data.title,
                            data.path + " (" + std::to_string(data.RowCount()) +
                                " rows; primary " +
                                context->Name(context->primary()) + ")",
                            items);
  if (!status.ok()) return Fail(status, kExitFailure);
  status = staged->Commit();
  if (!status.ok()) return Fail(status, kExitFailure);
  for (const GalleryItem& item : items) {
    std::printf("%s: %s\n", item.name.c_str(),
                Joined(out + "/", item.pictures).c_str());
  }
  std::printf("%s: %zu charts in %s/index.html\n", kProgram, items.size(),
              out.c_str());
  return kExitOk;
}

int RunCheckGallery(const Options& options) {
  if (options.help) {
    std::printf(
        "usage: %s check-gallery DIR\n\nExits 1 unless every picture "
        "that DIR/index.html shows exists and has more than one "
        "colour.\n",
        kProgram);
    return kExitOk;
  }
  if (options.positional.size() != 1) {
    return Fail(Status::Error("check-gallery: expected one directory"));
  }
  const std::string& dir = options.positional[0];
  int checked = 0;
  std::vector<std::string> problems;
  const Status status = CheckGallery(dir, &checked, &problems);
  if (!status.ok()) return Fail(status, kExitFailure);
  for (const std::string& problem : problems) {
    std::fprintf(stderr, "%s: %s\n", kProgram, problem.c_str());
  }
  std::printf("%s: %d of %d pictures drawn in %s\n", kProgram,
              checked - static_cast<int>(problems.size()), checked,
              dir.c_str());
  return problems.empty() ? kExitOk : kExitFailure;
}

}  // namespace

int RunKorvagraph(const std::vector<std::string>& args) {
  if (args.empty()) {
    PrintUsage(stderr);
    return kExitUserError;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    PrintUsage(stdout);
    return kExitOk;
  }
  const ChartEntry* entry = FindChart(command);
  if (command != "gallery" && command != "check-gallery" && entry == nullptr) {
    std::fprintf(stderr, "%s: unknown command \"%s\"\n\n", kProgram,
                 command.c_str());
    PrintUsage(stderr);
    return kExitUserError;
  }
  Options options;
  Status status = ParseOptions(
      std::vector<std::string>(args.begin() + 1, args.end()), &options);
  if (!status.ok()) return Fail(status);
  if (command == "check-gallery") return RunCheckGallery(options);
  if (options.help) {
    PrintCommandHelp(command, entry);
    return kExitOk;
  }
  if (!options.positional.empty()) {
    return Fail(Status::Error("unexpected argument \"" + options.positional[0] +
                              "\" (see --help)"));
  }
  std::unique_ptr<ChartContext> context;
  status = LoadContext(options, &context);
  if (!status.ok()) return Fail(status);
  return entry == nullptr ? RunGallery(context.get())
                          : RunChart(*entry, context.get());
}
