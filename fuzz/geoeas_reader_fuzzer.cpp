// libFuzzer target: korvagraph's GeoEAS reader and option handling, then
// the host computations every chart starts from (columns, windows, lags,
// map extents, variograms and the cloud of small files). The input is an
// option count, that many NUL-ended words, and the data file.
// Beyond the sanitizers it requires every refusal to be printable text
// naming the data file, and lag settings that are usable.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/hostile_input.h"
#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/experimental_variogram.h"
#include "tools/korvagraph/geoeas_reader.h"
#include "tools/korvagraph/map_extent.h"
#include "tools/korvagraph/options.h"

namespace {

// The pair computations are quadratic: only small files go that far.
constexpr int kMaxPairRows = 150;

[[noreturn]] void Breach(const std::string& what) {
  std::fprintf(stderr, "reader fuzzer: %s\n", what.c_str());
  std::abort();
}

// A file of our own for the reader, removed at exit.
class ScratchFile {
 public:
  ScratchFile() {
    char name[] = "/tmp/kg-reader-fuzz-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) Breach("cannot create a scratch file");
    ::close(fd);
    path_ = name;
  }
  ~ScratchFile() { std::remove(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  void Write(const std::string& contents) const {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr) Breach("cannot write the scratch file");
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::fclose(file);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A message must be lines a terminal shows as they are.
void CheckMessage(const Status& status, const char* step) {
  for (unsigned char c : status.message()) {
    if ((c < 0x20 && c != '\n') || c == 0x7F) {
      Breach(std::string(step) + ": raw control byte in \"" + status.message() +
             "\"");
    }
  }
}

void CheckLags(const LagSettings& lags) {
  if (!(lags.spacing > 0.0) || !std::isfinite(lags.spacing) || lags.count < 1) {
    Breach("unusable lags: spacing " + std::to_string(lags.spacing) +
           ", count " + std::to_string(lags.count));
  }
}

// The host computations of the charts, as far as the data allows.
void Compute(ChartContext* context) {
  AttributeSample sample;
  CheckMessage(context->PrimarySample(&sample), "primary sample");
  CheckMessage(context->SecondarySample(&sample), "secondary sample");
  std::vector<double> first, second;
  CheckMessage(context->PairedValues(&first, &second), "paired values");
  const std::vector<KvDiscPnt>* samples = nullptr;
  const Status located = context->LocatedSamples(&samples);
  CheckMessage(located, "located samples");
  if (!located.ok()) return;
  CheckLags(DefaultLags(*samples));
  MapExtentOf(*samples);
  if (context->data().RowCount() > kMaxPairRows) return;
  const VariogramSet* variograms = nullptr;
  if (context->Variograms(&variograms).ok()) CheckLags(variograms->lags);
  CloudSet* cloud = nullptr;
  CheckMessage(context->Cloud(&cloud), "cloud");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchFile* const file = new ScratchFile();
  HostileInput input(data, size);
  std::vector<std::string> args;
  for (uint32_t words = input.Below(8); words > 0 && !input.empty(); --words) {
    std::string word;
    for (char c = static_cast<char>(input.Byte()); c != '\0' && !input.empty();
         c = static_cast<char>(input.Byte())) {
      word.push_back(c);
    }
    args.push_back(word);
  }
  Options options;
  const Status parsed = ParseOptions(args, &options);
  CheckMessage(parsed, "options");
  if (!parsed.ok()) return 0;

  file->Write(input.Rest());
  DataSet data_set;
  const Status read = ReadGeoEas(file->path(), &data_set);
  CheckMessage(read, "reader");
  if (!read.ok()) {
    if (read.message().find(file->path()) == std::string::npos) {
      Breach("the message does not name the file: " + read.message());
    }
    return 0;
  }
  ChartContext context(std::move(data_set), options, nullptr);
  const Status resolved = context.Resolve();
  CheckMessage(resolved, "columns");
  if (resolved.ok()) Compute(&context);
  return 0;
}
