#include "fuzz/export_program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

// Client areas: empty, a dot, small, ordinary, and the extreme strips.
struct Size {
  int width;
  int height;
};
const Size kSizes[] = {{0, 0},       {1, 1},     {40, 30},
                       {400, 300},   {560, 560}, {2000000, 1},
                       {1, 2000000}, {0, 300},   {300, 0}};

constexpr int kLegendWidth = 40;
constexpr long long kMaxClasses = 1000000;

// Type codes the factory is asked for: every chart and two it refuses.
constexpr uint32_t kTypeChoices = 14;

[[noreturn]] void Breach(const char* name, const std::string& what) {
  std::fprintf(stderr, "export fuzzer: after %s: %s\n", name, what.c_str());
  std::abort();
}

// Returns a buffer of exactly count doubles, so that a write past what the
// count export promised is a sanitizer report.
std::unique_ptr<double[]> Doubles(size_t count) {
  return std::unique_ptr<double[]>(new double[count]);
}

}  // namespace

ExportProgram::ExportProgram(const uint8_t* data, size_t size)
    : input_(data, size), snapshot_(arrays_) {
  const Size size_of_map = kSizes[input_.Below(std::size(kSizes))];
  window_ =
      std::make_unique<CanvasWindow>(size_of_map.width, size_of_map.height);
  legend_ = std::make_unique<CanvasWindow>(kLegendWidth,
                                           std::min(size_of_map.height, 600));
  ledger_ = CurrentGdiLedger();
  Recreate();
}

ExportProgram::~ExportProgram() { _kvDeleteKvGraphObj(graph_); }

void ExportProgram::Run() {
  constexpr int kMaxSteps = 64;  // keeps each input quick
  for (int step = 0; step < kMaxSteps && !input_.empty(); ++step) {
    Step(input_.Byte());
  }
}

void ExportProgram::Recreate() {
  _kvDeleteKvGraphObj(graph_);
  const uint32_t choice = input_.Below(kTypeChoices);
  type_ = choice == 12 ? -1 : static_cast<LONG>(choice);
  graph_ = _kvCreateKvGraphObj(type_);
  const bool known = type_ >= 0 && type_ <= 11;
  if (known != (graph_ != nullptr)) {
    Breach("_kvCreateKvGraphObj",
           "type " + std::to_string(type_) +
               (known ? " gave no object" : " gave an object"));
  }
  if (graph_ != nullptr && graph_->GetType() != type_) {
    Breach("_kvCreateKvGraphObj", "wrong type code");
  }
  nqq_rewrites_values_ = false;
  Checked("_kvDeleteKvGraphObj", graph_ == nullptr ? -1 : 1);
}

void ExportProgram::Step(uint32_t op) {
  switch (op % 7) {
    case 0:
      return Load(op / 7);
    case 1:
    case 2:
      return Set(op / 7);
    case 3:
      return Compute(op / 7);
    case 4:
      return Output(op / 7);
    case 5:
      return Draw(op / 7);
    default:
      switch (op / 7 % 4) {
        case 0:
          return Recreate();
        case 1:
          arrays_.Poke(&input_);
          return snapshot_.Take(arrays_);
        default:
          return Transform(op / 7);
      }
  }
}

void ExportProgram::Checked(const char* name, LONG status) {
  Checked(name, status, 1);
}

void ExportProgram::Checked(const char* name, LONG status, LONG expected) {
  if (graph_ == nullptr) expected = -1;  // every export refuses a null handle
  if (expected != 0 ? status != expected : (status != 1 && status != -1)) {
    Breach(name, "status " + std::to_string(status));
  }
  const std::string changed = snapshot_.Compare(arrays_, nqq_rewrites_values_);
  if (!changed.empty()) Breach(name, "changed the host's " + changed);
  if (nqq_rewrites_values_) snapshot_.Take(arrays_);
  nqq_rewrites_values_ = false;
  if (CurrentGdiLedger() != ledger_) {
    Breach(name, "left drawing objects or device contexts behind");
  }
}

size_t ExportProgram::CheckedCount(const char* name, LONG count,
                                   long long bound) {
  if (count < 0 || count > bound) {
    Breach(name, "output count " + std::to_string(count) + " outside 0.." +
                     std::to_string(bound));
  }
  return static_cast<size_t>(count);
}

CWnd* ExportProgram::Window() {
  const uint8_t choice = input_.Byte();
  if (choice == 255) return nullptr;
  return choice % 2 == 0 ? window_->Wnd() : legend_->Wnd();
}

LONG ExportProgram::Classes() {
  return input_.Flag() ? static_cast<LONG>(input_.Below(65)) : input_.AnyInt();
}

void ExportProgram::Load(uint32_t op) {
  HostArrays& a = arrays_;
  const bool null_array = input_.Byte() == 255;
  switch (op % 7) {
    case 0: {
      const LONG n = input_.Count(kMaxSamples);
      most_samples_ = std::max<long long>(most_samples_, n);
      return Checked("_kvGraphLoadDiscPnts",
                     _kvGraphLoadDiscPnts(
                         graph_, null_array ? nullptr : a.samples.data(), n));
    }
    case 1: {
      const LONG n = input_.Count(kMaxSamples);
      most_samples_ = std::max<long long>(most_samples_, n);
      return Checked("_kvGraphLoadDiscPnts2",
                     _kvGraphLoadDiscPnts2(
                         graph_, null_array ? nullptr : a.samples2.data(), n));
    }
    case 2:
      return Checked("_kvGraphLoadLocPnts",
                     _kvGraphLoadLocPnts(graph_, a.xs.data(),
                                         null_array ? nullptr : a.ys.data(),
                                         input_.Count(kMaxSamples)));
    case 3:
      return Checked(
          "_kvGraphLoadCrosData",
          _kvGraphLoadCrosData(graph_, null_array ? nullptr : a.xs.data(),
                               a.ys.data(), input_.Count(kMaxSamples)));
    case 4: {
      // Rows of n + 2 entries: n from -3 to kMaxLags fits every cut-off.
      const LONG n = static_cast<LONG>(input_.Below(kMaxLags + 4)) - 3;
      return Checked(
          "_kvGraphLoadVarmData",
          _kvGraphLoadVarmData(graph_, null_array ? nullptr : a.entries.data(),
                               a.model.data(), a.positions.data(),
                               a.selected.data(), n, input_.AnyInt()));
    }
    case 5: {
      const LONG count = input_.Count(kMaxVariograms);
      return Checked(
          "_kvGraphLoadMVarmData",
          _kvGraphLoadMVarmData(graph_, a.variogram_rows.data(),
                                a.lag_counts.data(), a.position_rows.data(),
                                count, a.show_flags.data(), input_.AnyInt()),
          0);
    }
    default:
      if (input_.Flag()) {
        return Checked("_kvLoadVrgCldSelInfo",
                       _kvLoadVrgCldSelInfo(graph_, a.picks.data(),
                                            input_.Count(kMaxPicks)));
      }
      return Checked("_kvLoadVrgCldLocSelInfo",
                     _kvLoadVrgCldLocSelInfo(graph_, a.pairs.data(),
                                             input_.Count(kMaxPicks)));
  }
}

void ExportProgram::Set(uint32_t op) {
  switch (op % 20) {
    case 0: {
      const std::string x = input_.Text(48), y = input_.Text(48);
      return Checked("_kvGraphSetAxiName",
                     _kvGraphSetAxiName(graph_, CString(x), CString(y)));
    }
    case 1: {
      const double lo = input_.Double(), hi = input_.Double();
      return Checked("_kvGraphSetDataExtr",
                     _kvGraphSetDataExtr(graph_, lo, hi));
    }
    case 2: {
      const double lo = input_.Double(), hi = input_.Double();
      return Checked("_kvGraphSetDataExtr2",
                     _kvGraphSetDataExtr2(graph_, lo, hi));
    }
    case 3: {
      KVD_3DOT lo, hi;
      lo.x = input_.Double(), lo.y = input_.Double(), lo.z = input_.Double();
      hi.x = input_.Double(), hi.y = input_.Double(), hi.z = input_.Double();
      return Checked("_kvGraphSetCoordExtr",
                     _kvGraphSetCoordExtr(graph_, lo, hi));
    }
    case 4:
      Checked(
          "_kvGraphSetDataExtrMode",
          _kvGraphSetDataExtrMode(graph_, input_.AnyInt(), input_.AnyInt()));
      return Checked(
          "_kvGraphSetReplaceData",
          _kvGraphSetReplaceData(graph_, input_.Double(), input_.Double()));
    case 5:
      return Checked("_kvGraphSetHistNum",
                     _kvGraphSetHistNum(graph_, Classes()));
    case 6:
      return Checked("_kvGraphSetHistType",
                     _kvGraphSetHistType(graph_, input_.AnyInt()));
    case 7:
      return Checked("_kvGraphSetCurPlane",
                     _kvGraphSetCurPlane(graph_, input_.AnyInt()));
    case 8:
      return Checked("_kvGraphSetNqqpType",
                     _kvGraphSetNqqpType(graph_, input_.AnyInt()));
    case 9:
      return Checked("_kvGraphSetQqppType",
                     _kvGraphSetQqppType(graph_, input_.AnyInt()));
    case 10:
      Checked("_kvGraphSetVrgNug", _kvGraphSetVrgNug(graph_, input_.Double()));
      return Checked("_kvGraphSetMVrgNug",
                     _kvGraphSetMVrgNug(graph_, input_.Double()));
    case 11:
      Checked("_kvGraphSetIsDspLine",
              _kvGraphSetIsDspLine(graph_, input_.AnyInt()));
      return Checked("_kvGraphSetMIsDspLine",
                     _kvGraphSetMIsDspLine(graph_, input_.AnyInt()));
    case 12: {
      const int flag = input_.AnyInt();
      return Checked("_kvGraphSetIsDspSill",
                     _kvGraphSetIsDspSill(graph_, flag, input_.Double()));
    }
    case 13: {
      const int flag = input_.AnyInt();
      return Checked("_kvGraphSetMIsDspSill",
                     _kvGraphSetMIsDspSill(graph_, flag, input_.Double()));
    }
    case 14: {
      // The rows in the arrays bound the count; the current row is hostile.
      const int count = input_.Count(kMaxCutOffs);
      return Checked("_kvGraphSetCutOffNO",
                     _kvGraphSetCutOffNO(graph_, count, input_.AnyInt()));
    }
    case 15: {
      const int count = input_.Count(kMaxCutOffs);
      return Checked("_kvGraphSetMCutOffNO",
                     _kvGraphSetMCutOffNO(graph_, count, input_.AnyInt()));
    }
    case 16: {
      const ULONG point = input_.AnyInt();
      return Checked("_kvGraphSetColor",
                     _kvGraphSetColor(graph_, point, input_.AnyInt()));
    }
    case 17: {
      ULONG* points =
          input_.Byte() == 255 ? nullptr : arrays_.point_colors.data();
      ULONG* seconds =
          input_.Byte() == 255 ? nullptr : arrays_.second_colors.data();
      return Checked("_kvGraphSetMColor",
                     _kvGraphSetMColor(graph_, points, seconds));
    }
    case 18: {
      const double slope = input_.Double();
      return Checked("_kvGraphSetFitLine",
                     _kvGraphSetFitLine(graph_, slope, input_.Double()));
    }
    default: {
      const Size size = kSizes[input_.Below(std::size(kSizes))];
      window_->Resize(size.width, size.height);
      legend_->Resize(std::min(size.width, kLegendWidth),
                      std::min(size.height, 600));
      return;
    }
  }
}

void ExportProgram::Compute(uint32_t op) {
  LONG l1 = 0, l2 = 0;
  double d[10] = {};
  switch (op % 5) {
    case 0: {
      const LONG status =
          _kvGraphCptHistParam(graph_, l1, l2, d[0], d[1], d[2], d[3], d[4],
                               d[5], d[6], d[7], d[8], d[9]);
      Checked("_kvGraphCptHistParam", status, 0);
      return;
    }
    case 1:
      Checked("_kvGraphCptPropParam", _kvGraphCptPropParam(graph_));
      return Checked("_kvGraphCptLocmParam", _kvGraphCptLocmParam(graph_));
    case 2: {
      const LONG status = _kvGraphCptNqqpParam(graph_);
      nqq_rewrites_values_ = type_ == 4;
      return Checked("_kvGraphCptNqqpParam", status);
    }
    case 3:
      return Checked(
          "_kvGraphCptQqppParam",
          _kvGraphCptQqppParam(graph_, l1, d[0], d[1], l2, d[2], d[3]));
    default:
      return Checked("_kvGraphCptScatParam",
                     _kvGraphCptScatParam(graph_, d[0], l1, d[1], d[2], l2,
                                          d[3], d[4], d[5]));
  }
}

void ExportProgram::Output(uint32_t op) {
  // Counts stay below what the host handed over: the most samples, or for
  // the histogram the class bound.
  LONG count = 0;
  switch (op % 3) {
    case 0: {
      Checked("_kvGraphOutPutHistPntNum",
              _kvGraphOutPutHistPntNum(graph_, count));
      // The compute step refuses more classes than 10^6 or the samples.
      const size_t n =
          CheckedCount("_kvGraphOutPutHistPntNum", count,
                       std::max<long long>(most_samples_, kMaxClasses));
      auto first = Doubles(n), second = Doubles(n);
      return Checked("_kvGraphOutPutHistPnt",
                     _kvGraphOutPutHistPnt(graph_, first.get(), second.get()));
    }
    case 1: {
      Checked("_kvGraphOutPutPropPntNum",
              _kvGraphOutPutPropPntNum(graph_, count));
      const size_t n =
          CheckedCount("_kvGraphOutPutPropPntNum", count, most_samples_);
      constexpr size_t kAxisProbabilities = 21;
      auto axis = Doubles(kAxisProbabilities);
      auto values = Doubles(n), positions = Doubles(n);
      return Checked("_kvGraphOutPutPropPnt",
                     _kvGraphOutPutPropPnt(graph_, axis.get(), values.get(),
                                           positions.get()));
    }
    default: {
      Checked("_kvGraphOutPutNqqpPntNum",
              _kvGraphOutPutNqqpPntNum(graph_, count));
      const size_t n =
          CheckedCount("_kvGraphOutPutNqqpPntNum", count, most_samples_);
      auto x = Doubles(n), y = Doubles(n);
      return Checked("_kvGraphOutPutNqqpPnt",
                     _kvGraphOutPutNqqpPnt(graph_, x.get(), y.get()));
    }
  }
}

void ExportProgram::Draw(uint32_t op) {
  switch (op % 15) {
    case 0:
      return Checked("_kvGraphDrawHistPlt",
                     _kvGraphDrawHistPlt(graph_, Window()));
    case 1:
      return Checked("_kvGraphDrawPropPlt",
                     _kvGraphDrawPropPlt(graph_, Window()));
    case 2: {
      CWnd* map = Window();
      return Checked("_kvGraphDrawLocmPlt",
                     _kvGraphDrawLocmPlt(graph_, map, Window()));
    }
    case 3:
      return Checked("_kvGraphDrawNqqpPlt",
                     _kvGraphDrawNqqpPlt(graph_, Window()));
    case 4:
      return Checked("_kvGraphDrawQqppPlt",
                     _kvGraphDrawQqppPlt(graph_, Window()));
    case 5:
      return Checked("_kvGraphDrawScatPlt",
                     _kvGraphDrawScatPlt(graph_, Window()));
    case 6:
      return Checked("_kvGraphDrawVarmPlt",
                     _kvGraphDrawVarmPlt(graph_, Window()));
    case 7:
      Checked("_kvGraphDrawVrgLine", _kvGraphDrawVrgLine(graph_));
      return Checked("_kvGraphDrawSelectPoint",
                     _kvGraphDrawSelectPoint(graph_));
    case 8:
      return Checked("_kvGraphDrawCrosPlt",
                     _kvGraphDrawCrosPlt(graph_, Window()));
    case 9:
      return Checked("_kvGraphDrawMVarmPlt",
                     _kvGraphDrawMVarmPlt(graph_, Window()));
    case 10:
      Checked("_kvGraphDrawMVrgLine", _kvGraphDrawMVrgLine(graph_));
      return Checked("_kvGraphDrawMSelectPoint",
                     _kvGraphDrawMSelectPoint(graph_));
    case 11:
      return Checked("_kvGraphDrawVrgCldPlt",
                     _kvGraphDrawVrgCldPlt(graph_, Window()));
    case 12:
      return Checked("_kvGraphDrawVrgCldLocmPlt",
                     _kvGraphDrawVrgCldLocmPlt(graph_, Window()));
    default: {
      int sx = 0, sy = 0;
      const double x = input_.Double(), y = input_.Double();
      return Checked("_kvGraphWorldtoScreen",
                     _kvGraphWorldtoScreen(graph_, x, y, sx, sy));
    }
  }
}

void ExportProgram::Transform(uint32_t op) {
  // The transforms rewrite the host's values: they get a copy of their own,
  // and must leave every other field of it alone.
  std::vector<KvDiscPnt> samples = arrays_.samples;
  const LONG count = input_.Count(kMaxSamples);
  const double maximum = input_.Double(), minimum = input_.Double();
  double high = 0, low = 0;
  LONG status = 1;
  const char* name = "_kvCptVModel";
  switch (op % 3) {
    case 0:
      name = "_kvTranNcore";
      status = _kvTranNcore(samples.data(), count, maximum, minimum, high, low);
      break;
    case 1:
      name = "_kvTranLog";
      status = _kvTranLog(samples.data(), count, maximum, minimum,
                          input_.Double(), high, low);
      break;
    default: {
      Kt3dIntp model{};
      model.nst = static_cast<LONG>(input_.Below(22)) - 1;  // at most 20
      model.nugget = input_.Double();
      for (int s = 0; s < 20; ++s) {
        model.cc[s] = input_.Double();
        model.it[s] = input_.AnyInt();
        model.p1[s] = input_.Double();
        model.p2[s] = input_.Double();
        model.p3[s] = input_.Double();
        model.p4[s] = input_.Double();
        model.p5[s] = input_.Double();
        model.p6[s] = input_.Double();
        if (input_.empty()) break;
      }
      // The curve holds 2n + 4 records for a lag count n.
      const int lags = static_cast<int>(input_.Below(kMaxLags + 4)) - 3;
      std::vector<ModIndVrg> curve(std::max(2 * lags + 4, 1), ModIndVrg{});
      status =
          _kvCptVModel(model, maximum, lags, input_.AnyInt(), curve.data());
      break;
    }
  }
  if (status != 1) Breach(name, "status " + std::to_string(status));
  for (size_t i = 0; i < samples.size(); ++i) {
    KvDiscPnt kept = samples[i];
    kept.value = arrays_.samples[i].value;
    if (std::memcmp(&kept, &arrays_.samples[i], sizeof(kept)) != 0) {
      Breach(name, "changed a field other than the value");
    }
  }
  if (CurrentGdiLedger() != ledger_) Breach(name, "unbalanced ledger");
}
