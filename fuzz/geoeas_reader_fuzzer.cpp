// libFuzzer target: the analysis library's table reader (GeoEAS and CSV)
// and settings, then the computations every chart starts from (columns,
// windows, lags, map extents, variograms and the cloud of small files).
// The input is a count of settings, each a selector byte and its value, and
// then the data file.
// Beyond the sanitizers it requires every refusal to name the data (when it
// concerns the file), every message to print without a raw control byte
// once escaped for a terminal or a page, and lag settings that are usable.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/hostile_input.h"
#include "korvagraph/analysis/samples.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/table.h"
#include "tools/korvagraph/gallery_index.h"
#include "tools/korvagraph/printable.h"

namespace {

namespace kga = korvagraph::analysis;

// The pair computations are quadratic: only small files go that far.
constexpr int64_t kMaxPairRows = 150;
constexpr char kName[] = "fuzz.dat";

[[noreturn]] void Breach(const std::string& what) {
  std::fprintf(stderr, "reader fuzzer: %s\n", what.c_str());
  std::abort();
}

// A text, escaped for its place, must hold no byte a terminal or a browser
// would act on.
void CheckEscaped(const std::string& text, const char* step) {
  for (const std::string& escaped :
       {korvagraph::Printable(text, /*keep_line_feeds=*/true),
        korvagraph::EscapeHtml(text)}) {
    for (unsigned char c : escaped) {
      if ((c < 0x20 && c != '\n') || c == 0x7F) {
        Breach(std::string(step) + ": raw control byte in \"" + escaped + "\"");
      }
    }
  }
}

void CheckMessage(const kga::Status& status, const char* step) {
  CheckEscaped(status.ToString(), step);
}

void CheckLags(const kga::LagSettings& lags) {
  if (!(lags.spacing > 0.0) || !std::isfinite(lags.spacing) || lags.count < 1) {
    Breach("unusable lags: spacing " + std::to_string(lags.spacing) +
           ", count " + std::to_string(lags.count));
  }
}

// Reads settings from the input: a count, then a selector and value each.
kga::Settings ReadSettings(HostileInput* input) {
  kga::Settings s;
  for (uint32_t items = input->Byte(); items > 0 && !input->empty(); --items) {
    switch (input->Byte() % 14) {
      case 0: s.limits.lower = input->Double(); break;
      case 1: s.limits.upper = input->Double(); break;
      case 2: s.columns.primary = input->Text(12); break;
      case 3: s.columns.secondary = input->Text(12); break;
      case 4: s.columns.x = input->Text(12); break;
      case 5: s.columns.weight = input->Text(12); break;
      case 6: s.variogram.lag = input->Double(); break;
      case 7: s.variogram.lag_count = input->AnyInt(); break;
      case 8: s.variogram.lag_tolerance = input->Double(); break;
      case 9: s.variogram.azimuths.push_back(input->Double()); break;
      case 10: s.variogram.bandwidth = input->Double(); break;
      case 11:
        s.transform = static_cast<kga::Transform>(input->Below(3));
        s.shift = input->Double();
        break;
      case 12:
        s.model.fix_range = true;
        s.model.range = input->Double();
        s.model.type = static_cast<kga::ModelType>(1 + input->Below(5));
        break;
      default: s.cloud.highlight = input->AnyInt(); break;
    }
  }
  return s;
}

// The computations of the charts, as far as the data allows.
void Compute(kga::Session* session) {
  const kga::AttributeSample* sample = nullptr;
  CheckMessage(session->PrimarySample(&sample), "primary sample");
  CheckMessage(session->SecondarySample(&sample), "secondary sample");
  std::vector<double> first, second;
  CheckMessage(session->PairedValues(&first, &second), "paired values");
  const kga::Samples* samples = nullptr;
  const kga::Status located = session->Located(&samples);
  CheckMessage(located, "located samples");
  for (const std::string& warning : session->TakeWarnings()) {
    CheckEscaped(warning, "warning");
  }
  if (!located.ok()) return;
  CheckLags(kga::DefaultLags(*samples));
  kga::MapExtentOf(*samples);
  if (session->table().RowCount() > kMaxPairRows) return;
  const kga::VariogramSet* variograms = nullptr;
  if (session->Variograms(&variograms).ok()) CheckLags(variograms->lags);
  const kga::CloudSet* cloud = nullptr;
  CheckMessage(session->Cloud(&cloud), "cloud");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HostileInput input(data, size);
  const kga::Settings settings = ReadSettings(&input);
  std::istringstream file(input.Rest());
  kga::Table table;
  const kga::Status read = kga::ReadTableFrom(file, kName, {}, &table);
  CheckMessage(read, "reader");
  if (!read.ok()) {
    if (read.error().file != kName) {
      Breach("the message does not name the file: " + read.ToString());
    }
    return 0;
  }
  for (const std::string& warning : table.warnings) {
    CheckEscaped(warning, "reader warning");
  }
  CheckEscaped(table.title, "title");
  std::unique_ptr<kga::Session> session;
  const kga::Status opened = kga::Session::Open(table, settings, &session);
  CheckMessage(opened, "settings and columns");
  if (opened.ok()) Compute(session.get());
  return 0;
}
