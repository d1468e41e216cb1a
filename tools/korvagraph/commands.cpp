#include "tools/korvagraph/commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/chart_pictures.h"
#include "tools/korvagraph/chart_table.h"
#include "tools/korvagraph/data_transform.h"
#include "tools/korvagraph/gallery_check.h"
#include "tools/korvagraph/gallery_index.h"
#include "tools/korvagraph/geoeas_reader.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/printable.h"
#include "tools/korvagraph/serve/serve_command.h"
#include "tools/korvagraph/staged_output.h"
#include "tools/korvagraph/stats_json.h"

namespace {

const char kProgram[] = "korvagraph";

int Fail(const Status& status, int exit_status = kExitUserError) {
  std::fprintf(stderr, "%s: %s\n", kProgram, status.message().c_str());
  return exit_status;
}

// The bundled sample: installed beside the program (PREFIX/bin/korvagraph
// reads PREFIX/share/korvagraph/sample.dat), else where the build found it
// (KORVAGRAPH_SAMPLE_DATA), else relative to the working directory.
std::string SamplePath() {
  std::error_code ec;
  const std::filesystem::path installed =
      std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() /
      "../share/korvagraph/sample.dat";
  if (!ec && std::filesystem::exists(installed, ec)) {
    return installed.lexically_normal().string();
  }
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
               "  serve          the interactive variogram workbench in the "
               "browser (--port N)\n");
  std::fprintf(out,
               "  check-gallery DIR  exit 1 unless every picture in "
               "DIR/index.html exists and is not blank\n\n"
               "'%s COMMAND --help' tells more.\n",
               kProgram);
}

void PrintCommandHelp(const std::string& command, const ChartEntry* entry) {
  if (command == "serve") {
    std::printf(
        "usage: %s serve [--data FILE] [--port 8080] [--host 127.0.0.1] "
        "[OPTIONS]\n\nServes the variogram workbench: open the address it "
        "prints in a browser. The options set where the page starts.\n",
        kProgram);
  } else if (entry == nullptr) {
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
  std::printf("%s", OptionsHelp().c_str());
}

// Reads the data with the trimming limits and chooses the columns.
Status LoadContext(const Options& options,
                   std::unique_ptr<ChartContext>* context) {
  const std::string path =
      options.data_path.empty() ? SamplePath() : options.data_path;
  DataSet data;
  Status status = ReadGeoEas(path, {options.tmin, options.tmax}, &data);
  if (!status.ok()) return status;
  *context = std::make_unique<ChartContext>(std::move(data), options,
                                            options.quiet ? nullptr : stderr);
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

// Returns "columns used: hist, prob: V; qq: V, U": the columns each chart
// used, charts of one use together.
std::string ColumnsLine(const ChartContext& context,
                        const std::vector<GalleryItem>& items) {
  std::string line = "columns used:";
  bool first = true;
  for (ColumnUse use :
       {ColumnUse::kPrimary, ColumnUse::kBoth, ColumnUse::kLocated}) {
    std::vector<std::string> charts;
    for (const GalleryItem& item : items) {
      if (FindChart(item.name)->uses == use) charts.push_back(item.name);
    }
    if (charts.empty()) continue;
    line += std::string(first ? " " : "; ") + Joined("", charts) + ": " +
            context.ColumnsText(use);
    first = false;
  }
  return line;
}

// Returns what the run read and did, for the page and the JSON document.
GalleryNotes RunNotes(const ChartContext& context,
                      const std::vector<GalleryItem>& items,
                      const std::string& transform) {
  const DataSet& data = context.data();
  GalleryNotes notes;
  notes.lines.push_back(ColumnsLine(context, items));
  std::string trimmed;
  for (int c = 0; c < data.ColumnCount(); ++c) {
    if (data.TrimmedCount(c) == 0) continue;
    trimmed += (trimmed.empty() ? "" : ", ") + ShortName(data.names[c]) + " " +
               std::to_string(data.TrimmedCount(c)) + " of " +
               std::to_string(data.RowCount());
  }
  char limits[96];
  std::snprintf(limits, sizeof(limits),
                " (missing: -999 and below, or outside [%g, %g))",
                context.options().tmin, context.options().tmax);
  notes.lines.push_back(
      "values trimmed: " + (trimmed.empty() ? std::string("none") : trimmed) +
      limits);
  notes.lines.push_back(transform.empty() ? "transform: none" : transform);
  if (context.weight_column() != kNoColumn) {
    notes.lines.push_back(
        "weights: " + context.Name(context.weight_column()) +
        " gives the histograms' weighted mean and variance (worked out by "
        "korvagraph); the library's compute steps take no weights, so no "
        "other statistic or chart uses them");
  }
  notes.warnings = context.run_warnings();
  return notes;
}

// Colour spread (largest minus smallest channel) above which a pixel is a
// mark: frames, grids and texts are black and grey.
constexpr int kMarkSpread = 40;

// What a drawn picture shows: anything but its background, and marks.
struct PictureContent {
  bool drawn = false;
  bool marks = false;
};

PictureContent ContentOf(const CanvasWindow& window) {
  PictureContent content;
  const COLORREF background = window.Pixel(0, 0);
  for (int y = 0; y < window.Height() && !content.marks; ++y) {
    for (int x = 0; x < window.Width(); ++x) {
      const COLORREF pixel = window.Pixel(x, y);
      const int r = pixel & 0xFF, g = (pixel >> 8) & 0xFF,
                b = (pixel >> 16) & 0xFF;
      content.drawn = content.drawn || pixel != background;
      if (std::max({r, g, b}) - std::min({r, g, b}) > kMarkSpread) {
        content.marks = true;
        break;
      }
    }
  }
  return content;
}

// Draws one chart into pictures and fills item with its statistics, the
// columns it used and its warnings. Fails when it cannot be drawn.
Status DrawItem(const ChartEntry& entry, ChartContext* context,
                ChartPictures* pictures, GalleryItem* item) {
  item->name = entry.name;
  item->title = entry.title;
  item->description = entry.description;
  context->TakeWarnings();
  Status status = entry.draw(context, pictures, &item->stats);
  item->warnings = context->TakeWarnings();
  if (!status.ok()) return status;
  const PictureContent content = ContentOf(*pictures->main());
  if (!content.drawn) {
    return Status::Error(
        "the chart library drew nothing from these values (a chart needs "
        "values that differ)");
  }
  if (!content.marks) item->warnings.push_back("the chart shows no marks");
  AddText(&item->stats, "columns", context->ColumnsText(entry.uses));
  AddCount(&item->stats, "values trimmed", context->TrimmedFor(entry.uses));
  const bool weighted =
      std::any_of(item->stats.begin(), item->stats.end(),
                  [](const Statistic& stat) { return stat.name == "weights"; });
  if (context->weight_column() != kNoColumn && !weighted) {
    AddText(&item->stats, "weights",
            "not used: the library's compute step takes no weights");
  }
  return Status::Ok();
}

// Writes the run's notes and every warning to stderr, each once. Notes
// and statistics carry titles and column names from the data file: they
// are printed escaped (see Printable).
void ReportToUser(const GalleryNotes& notes,
                  const std::vector<GalleryItem>& items) {
  std::fprintf(stderr, "%s: %s\n", kProgram,
               Printable(notes.lines.front()).c_str());
  for (const std::string& warning : notes.warnings) {
    std::fprintf(stderr, "%s: warning: %s\n", kProgram,
                 Printable(warning).c_str());
  }
  for (const SkippedChart& chart : notes.skipped) {
    std::fprintf(stderr, "%s: %s left out: %s\n", kProgram, chart.name.c_str(),
                 Printable(chart.reason).c_str());
  }
  for (const GalleryItem& item : items) {
    for (const std::string& warning : item.warnings) {
      std::fprintf(stderr, "%s: warning: %s: %s\n", kProgram, item.name.c_str(),
                   Printable(warning).c_str());
    }
  }
}

void PrintStatistics(const GalleryItem& item, const std::string& prefix) {
  std::printf("%s: %s\n", item.name.c_str(),
              Printable(Joined(prefix, item.pictures)).c_str());
  for (const Statistic& stat : item.stats) {
    std::printf("  %s: %s\n", Printable(stat.name).c_str(),
                Printable(stat.value).c_str());
  }
}

int RunChart(const ChartEntry& entry, ChartContext* context,
             const std::string& transform) {
  const Options& options = context->options();
  ChartOutput output;
  Status status = ChooseChartOutput(options, entry.name, &output);
  if (!status.ok()) return Fail(status);
  ChartPictures pictures(options.width, options.height);
  GalleryItem item;
  status = DrawItem(entry, context, &pictures, &item);
  if (!status.ok()) return Fail(status);
  // Every picture is staged before any is committed, so a failed write
  // leaves none of them behind.
  std::vector<std::unique_ptr<StagedOutput>> staged(pictures.count());
  for (int i = 0; i < pictures.count(); ++i) {
    item.pictures.push_back(pictures.Path(i, output.path, output.format));
    status = StagedOutput::Create(item.pictures[i], StagedOutput::Kind::kFile,
                                  &staged[i]);
    if (!status.ok()) return Fail(status);
    if (!pictures.Save(i, staged[i]->path(), output.format, options.scale)) {
      return Fail(
          Status::Error(item.pictures[i] + ": cannot write the picture"),
          kExitFailure);
    }
  }
  for (const std::unique_ptr<StagedOutput>& picture : staged) {
    status = picture->Commit();
    if (!status.ok()) return Fail(status, kExitFailure);
  }
  const std::vector<GalleryItem> items = {item};
  const GalleryNotes notes = RunNotes(*context, items, transform);
  ReportToUser(notes, items);
  if (options.json) {
    std::fputs(StatsJson(items, notes).c_str(), stdout);
  } else {
    PrintStatistics(item, "");
  }
  return kExitOk;
}

int RunGallery(ChartContext* context, const std::string& transform) {
  const Options& options = context->options();
  std::string out = options.out.empty() ? "out" : options.out;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  std::vector<ImageFormat> formats;
  Status status = ChooseGalleryFormats(options, &formats);
  if (!status.ok()) return Fail(status);
  std::unique_ptr<StagedOutput> staged;
  status = StagedOutput::Create(out, StagedOutput::Kind::kDirectory, &staged);
  if (!status.ok()) return Fail(status);
  std::vector<GalleryItem> items;
  std::vector<SkippedChart> skipped;
  for (const ChartEntry& entry : ChartTable()) {
    GalleryItem item;
    ChartPictures pictures(options.width, options.height);
    status = DrawItem(entry, context, &pictures, &item);
    if (!status.ok()) {
      // The gallery goes on without it; the page and stderr say why.
      skipped.push_back({entry.name, status.message()});
      continue;
    }
    status = SaveGalleryPictures(pictures, entry.name, formats, options.scale,
                                 staged->path(), out, &item);
    if (!status.ok()) return Fail(status, kExitFailure);
    items.push_back(std::move(item));
  }
  // Nothing drawn: the first reason is the error.
  if (items.empty()) return Fail(Status::Error(skipped.front().reason));
  GalleryNotes notes = RunNotes(*context, items, transform);
  notes.skipped = skipped;
  const DataSet& data = context->data();
  status = WriteGalleryPage(staged->path() + "/index.html", data.title,
                            data.path + " (" + std::to_string(data.RowCount()) +
                                " rows; primary " +
                                context->Name(context->primary()) + ")",
                            items, notes);
  const std::string json = StatsJson(items, notes);
  if (status.ok() && options.json) {
    status = WriteTextFile(staged->path() + "/stats.json", json);
  }
  if (!status.ok()) return Fail(status, kExitFailure);
  status = staged->Commit();
  if (!status.ok()) return Fail(status, kExitFailure);
  ReportToUser(notes, items);
  if (options.json) {
    std::fputs(json.c_str(), stdout);
    return kExitOk;
  }
  for (const GalleryItem& item : items) {
    std::printf("%s: %s\n", item.name.c_str(),
                Joined(out + "/", GalleryFiles(item)).c_str());
  }
  const VariogramSet* variograms = nullptr;
  const bool drew_variogram =
      std::any_of(items.begin(), items.end(),
                  [](const GalleryItem& item) { return item.name == "vario"; });
  if (drew_variogram && context->Variograms(&variograms).ok()) {
    std::printf(
        "%s: model %s\n", kProgram,
        ModelDescription(variograms->fit, context->ModelSettings()).c_str());
  }
  std::printf("%s: %zu charts in %s/index.html", kProgram, items.size(),
              out.c_str());
  if (!skipped.empty()) std::printf(", %zu left out", skipped.size());
  std::printf("\n");
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
  if (command == "--version") {
    std::printf("%s %s\n", kProgram, KORVAGRAPH_VERSION);
    return kExitOk;
  }
  const ChartEntry* entry = FindChart(command);
  if (command != "gallery" && command != "check-gallery" &&
      command != "serve" && entry == nullptr) {
    std::fprintf(stderr, "%s: unknown command \"%s\"\n\n", kProgram,
                 command.c_str());
    PrintUsage(stderr);
    return kExitUserError;
  }
  Options options;
  Status status = ParseOptions(
      std::vector<std::string>(args.begin() + 1, args.end()), &options);
  if (!status.ok()) return Fail(status);
  if (options.version) {
    std::printf("%s %s\n", kProgram, KORVAGRAPH_VERSION);
    return kExitOk;
  }
  if (command == "check-gallery") return RunCheckGallery(options);
  if (options.help) {
    PrintCommandHelp(command, entry);
    return kExitOk;
  }
  if (!options.positional.empty()) {
    return Fail(Status::Error("unexpected argument \"" + options.positional[0] +
                              "\" (see --help)"));
  }
  if (command == "serve") {
    return RunServe(
        options, options.data_path.empty() ? SamplePath() : options.data_path);
  }
  std::unique_ptr<ChartContext> context;
  status = LoadContext(options, &context);
  if (!status.ok()) return Fail(status);
  const std::string transform = ApplyTransform(context.get());
  return entry == nullptr ? RunGallery(context.get(), transform)
                          : RunChart(*entry, context.get(), transform);
}
