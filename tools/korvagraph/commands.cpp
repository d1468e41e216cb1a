#include "tools/korvagraph/commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/json.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/table.h"
#include "tools/korvagraph/gallery_check.h"
#include "tools/korvagraph/gallery_index.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/picture_output.h"
#include "tools/korvagraph/printable.h"
#include "tools/korvagraph/progress_line.h"
#include "tools/korvagraph/serve/serve_command.h"
#include "tools/korvagraph/staged_output.h"

namespace korvagraph {
namespace {

using analysis::ChartKind;
using analysis::ChartPictures;
using analysis::Session;
using analysis::Status;

const char kProgram[] = "korvagraph";

// The options each chart reads, for its --help.
const struct {
  const char* chart;
  const char* options;
} kChartOptions[] = {
    {"hist", "--col --classes --cumulative"},
    {"cumhist", "--col"},
    {"prob", "--col"},
    {"nqq", "--col"},
    {"qq", "--col --col2"},
    {"scatter", "--col --col2"},
    {"cross", "--col --col2"},
    {"vario",
     "--col --x --y --lag --lags --lagtol --dirs --atol --bandwidth --dir "
     "--model-type --model --fit --fit-weights --indicator --cross --col2 "
     "--table"},
    {"mvario",
     "--col --x --y --lag --lags --lagtol --dirs --atol --bandwidth "
     "--indicator --cross --col2 --table"},
    {"varmap",
     "--col --x --y --lag --lags --colours --indicator --cross --table"},
    {"cloud", "--col --x --y --lag --highlight"},
    {"cloudmap", "--col --x --y --lag --highlight"},
    {"locmap", "--col --x --y --colours"},
};

int Fail(const Status& status, int exit_status = kExitUserError) {
  std::fprintf(stderr, "%s: %s\n", kProgram,
               Printable(status.ToString(), /*keep_line_feeds=*/true).c_str());
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
               "Draws the charts of KorvaGraphLib from a GeoEAS or CSV data "
               "file.\n\ncommands:\n"
               "  gallery        every chart as a PNG plus index.html "
               "(--out DIR, default out)\n",
               kProgram);
  for (const ChartKind& kind : analysis::ChartKinds()) {
    std::fprintf(out, "  %-14s %s\n", kind.name, kind.description);
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

void PrintCommandHelp(const std::string& command, const ChartKind* kind) {
  if (command == "serve") {
    std::printf(
        "usage: %s serve [--data FILE] [--port 8080] [--host 127.0.0.1] "
        "[OPTIONS]\n\nServes the variogram workbench: open the address it "
        "prints in a browser. The options set where the page starts.\n",
        kProgram);
  } else if (kind == nullptr) {
    std::printf(
        "usage: %s gallery [--data FILE] [--out DIR] [--size WxH] "
        "[OPTIONS]\n\nDraws every chart into DIR/NAME.png and writes "
        "DIR/index.html with the statistics of each.\n",
        kProgram);
  } else {
    const char* options = "";
    for (const auto& entry : kChartOptions) {
      if (command == entry.chart) options = entry.options;
    }
    std::printf(
        "usage: %s %s [--data FILE] [--out FILE.png] [--size WxH] "
        "[OPTIONS]\n\n%s.\nOptions it reads besides --data, --out "
        "and --size: %s\n",
        kProgram, command.c_str(), kind->description, options);
  }
  std::printf("%s", OptionsHelp().c_str());
}

// Reads the data (GeoEAS or CSV) and opens a session with the options'
// settings.
Status OpenSession(const Options& options, TerminalProgress* progress,
                   std::unique_ptr<Session>* session) {
  const std::string path =
      options.data_path.empty() ? SamplePath() : options.data_path;
  analysis::Table table;
  Status status = analysis::ReadTable(path, options.settings.limits, &table);
  if (!status.ok()) return status;
  status = Session::Open(std::move(table), options.settings, session);
  if (status.ok() && !options.quiet) {
    (*session)->SetProgress(progress->Callback());
  }
  return status;
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
std::string ColumnsLine(const Session& session,
                        const std::vector<GalleryItem>& items) {
  std::string line = "columns used:";
  bool first = true;
  for (analysis::ColumnUse use :
       {analysis::ColumnUse::kPrimary, analysis::ColumnUse::kBoth,
        analysis::ColumnUse::kLocated}) {
    std::vector<std::string> charts;
    for (const GalleryItem& item : items) {
      if (analysis::FindChartKind(item.name)->uses == use) {
        charts.push_back(item.name);
      }
    }
    if (charts.empty()) continue;
    line += std::string(first ? " " : "; ") + Joined("", charts) + ": " +
            session.ColumnsText(use);
    first = false;
  }
  return line;
}

// Returns "V 195 of 470, U 3 of 470": the trimming counts of the columns the
// drawn charts used.
std::string TrimmedLine(const Session& session,
                        const std::vector<GalleryItem>& items) {
  std::vector<int> used;
  for (const GalleryItem& item : items) {
    for (int c : session.ColumnsFor(analysis::FindChartKind(item.name)->uses)) {
      if (c != analysis::kNoColumn &&
          std::find(used.begin(), used.end(), c) == used.end()) {
        used.push_back(c);
      }
    }
  }
  std::sort(used.begin(), used.end());
  const analysis::Table& table = session.table();
  std::string trimmed;
  for (int c : used) {
    if (table.TrimmedCount(c) == 0) continue;
    trimmed += (trimmed.empty() ? "" : ", ") + session.Name(c) + " " +
               std::to_string(table.TrimmedCount(c)) + " of " +
               std::to_string(table.RowCount());
  }
  return trimmed.empty() ? "none" : trimmed;
}

// Returns what the run read and did, for the page and the JSON document.
GalleryNotes RunNotes(const Session& session,
                      const std::vector<GalleryItem>& items) {
  GalleryNotes notes;
  notes.lines.push_back(ColumnsLine(session, items));
  const analysis::TrimLimits& limits = session.settings().limits;
  char text[96];
  std::snprintf(text, sizeof(text),
                " (missing: -999 and below, or outside [%g, %g))", limits.lower,
                limits.upper);
  notes.lines.push_back("values trimmed: " + TrimmedLine(session, items) +
                        text);
  const std::string& transform = session.transform_note();
  notes.lines.push_back(transform.empty() ? "transform: none" : transform);
  const int weight = session.columns().weight;
  if (weight != analysis::kNoColumn) {
    notes.lines.push_back(
        "weights: " + session.Name(weight) +
        " gives the histograms' weighted mean and variance (worked out by "
        "korvagraph); the library's compute steps take no weights, so no "
        "other statistic or chart uses them");
  }
  notes.warnings = session.run_warnings();
  return notes;
}

// Draws one chart into pictures and fills item with its statistics, the
// columns it used and its warnings. Fails when it cannot be drawn.
Status DrawItem(const ChartKind& kind, const Options& options, Session* session,
                ChartPictures* pictures, GalleryItem* item) {
  item->name = kind.name;
  item->title = kind.title;
  item->description = kind.description;
  analysis::DrawnChart drawn;
  const Status status = analysis::DrawChart(
      session, kind, ChartOptionsOf(options), pictures, &drawn);
  item->stats = std::move(drawn.stats);
  item->warnings = std::move(drawn.warnings);
  item->table = std::move(drawn.table);
  return status;
}

// Writes the run's notes and every warning to stderr, each once, escaped
// for the terminal: they carry titles and names from the data file.
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

void PrintStatistics(const GalleryItem& item) {
  std::printf("%s: %s\n", item.name.c_str(),
              Printable(Joined("", item.pictures)).c_str());
  for (const analysis::Statistic& stat : item.stats) {
    std::printf("  %s: %s\n", Printable(stat.name).c_str(),
                Printable(stat.value).c_str());
  }
}

int RunChart(const ChartKind& kind, const Options& options, Session* session) {
  ChartOutput output;
  Status status = ChooseChartOutput(options, kind.name, &output);
  if (!status.ok()) return Fail(status);
  ChartPictures pictures(options.width, options.height);
  GalleryItem item;
  status = DrawItem(kind, options, session, &pictures, &item);
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
      return Fail(Status::InFile(item.pictures[i], "cannot write the picture"),
                  kExitFailure);
    }
  }
  if (!options.table.empty()) {
    if (item.table.empty()) {
      return Fail(Status::Failure("--table: " + std::string(kind.name) +
                                  " draws no table of lags or cells"));
    }
    staged.emplace_back();
    status = StagedOutput::Create(options.table, StagedOutput::Kind::kFile,
                                  &staged.back());
    if (status.ok()) {
      status = WriteTextFile(staged.back()->path(),
                             analysis::ChartTableCsv(item.table));
    }
    if (!status.ok()) return Fail(status, kExitFailure);
  }
  for (const std::unique_ptr<StagedOutput>& file : staged) {
    status = file->Commit();
    if (!status.ok()) return Fail(status, kExitFailure);
  }
  const std::vector<GalleryItem> items = {item};
  const GalleryNotes notes = RunNotes(*session, items);
  ReportToUser(notes, items);
  if (options.json) {
    std::fputs(StatsJson(items, notes).c_str(), stdout);
  } else {
    PrintStatistics(item);
  }
  return kExitOk;
}

int RunGallery(const Options& options, Session* session) {
  std::string out = options.out.empty() ? "out" : options.out;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  std::vector<analysis::ImageFormat> formats;
  Status status = ChooseGalleryFormats(options, &formats);
  if (!status.ok()) return Fail(status);
  std::unique_ptr<StagedOutput> staged;
  status = StagedOutput::Create(out, StagedOutput::Kind::kDirectory, &staged);
  if (!status.ok()) return Fail(status);
  std::vector<GalleryItem> items;
  std::vector<SkippedChart> skipped;
  for (const ChartKind& kind : analysis::ChartKinds()) {
    GalleryItem item;
    ChartPictures pictures(options.width, options.height);
    status = DrawItem(kind, options, session, &pictures, &item);
    if (status.cancelled()) return Fail(status, kExitFailure);
    if (!status.ok()) {
      // The gallery goes on without it; the page and stderr say why.
      skipped.push_back({kind.name, status.ToString()});
      continue;
    }
    status = SaveGalleryPictures(pictures, kind.name, formats, options.scale,
                                 staged->path(), out, &item);
    if (!status.ok()) return Fail(status, kExitFailure);
    items.push_back(std::move(item));
  }
  // Nothing drawn: the first reason is the error.
  if (items.empty()) return Fail(Status::Failure(skipped.front().reason));
  GalleryNotes notes = RunNotes(*session, items);
  notes.skipped = skipped;
  const analysis::Table& table = session->table();
  status = WriteGalleryPage(
      staged->path() + "/index.html", table.title,
      table.path + " (" + std::to_string(table.RowCount()) + " rows; primary " +
          session->Name(session->columns().primary) + ")",
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
                Printable(Joined(out + "/", GalleryFiles(item))).c_str());
  }
  const analysis::VariogramSet* variograms = nullptr;
  const bool drew_variogram =
      std::any_of(items.begin(), items.end(),
                  [](const GalleryItem& item) { return item.name == "vario"; });
  if (drew_variogram && session->Variograms(&variograms).ok()) {
    std::printf(
        "%s: model %s\n", kProgram,
        analysis::ModelDescription(variograms->fit, options.settings.model)
            .c_str());
  }
  std::printf("%s: %zu charts in %s/index.html", kProgram, items.size(),
              Printable(out).c_str());
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
    return Fail(Status::Failure("check-gallery: expected one directory"));
  }
  const std::string& dir = options.positional[0];
  int checked = 0;
  std::vector<std::string> problems;
  const Status status = CheckGallery(dir, &checked, &problems);
  if (!status.ok()) return Fail(status, kExitFailure);
  for (const std::string& problem : problems) {
    std::fprintf(stderr, "%s: %s\n", kProgram, Printable(problem).c_str());
  }
  std::printf("%s: %d of %d pictures drawn in %s\n", kProgram,
              checked - static_cast<int>(problems.size()), checked,
              Printable(dir).c_str());
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
  const ChartKind* kind = analysis::FindChartKind(command);
  if (command != "gallery" && command != "check-gallery" &&
      command != "serve" && kind == nullptr) {
    std::fprintf(stderr, "%s: unknown command \"%s\"\n\n", kProgram,
                 Printable(command).c_str());
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
    PrintCommandHelp(command, kind);
    return kExitOk;
  }
  if (!options.positional.empty()) {
    return Fail(Status::Failure("unexpected argument \"" +
                                options.positional[0] + "\" (see --help)"));
  }
  if (command == "serve") {
    return RunServe(
        options, options.data_path.empty() ? SamplePath() : options.data_path);
  }
  TerminalProgress progress(stderr);
  std::unique_ptr<Session> session;
  status = OpenSession(options, &progress, &session);
  if (!status.ok()) return Fail(status);
  return kind == nullptr ? RunGallery(options, session.get())
                         : RunChart(*kind, options, session.get());
}

}  // namespace korvagraph
