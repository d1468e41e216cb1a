// The engine's operations: each finds its handle's object and forwards.
#include "siblings/korvalib/korvalib.h"

#include <exception>
#include <memory>
#include <new>
#include <vector>

#include "siblings/korvalib/handle_table.h"
#include "siblings/korvalib/korva_object.h"

namespace {

using korvalib::AcceptedSettings;
using korvalib::Handles;
using korvalib::KorvaObject;

// Runs operation on the handle's object; unknown handles do nothing. An
// allocation failure ends the operation; computations assign their results
// only when complete, so earlier results stay.
template <typename Operation>
void WithObject(int handle, Operation operation) {
  KorvaObject* object = Handles().Find(handle);
  if (object == nullptr) return;
  try {
    operation(*object);
  } catch (const std::exception&) {
  }
}

template <typename Operation>
void WithAccepted(int handle, Operation operation) {
  WithObject(handle,
             [&](KorvaObject& object) { operation(object.mutable_accepted()); });
}

template <typename T>
void Put(T* out, T value) {
  if (out != nullptr) *out = value;
}

template <typename Values>
void CopyOut(const Values& values, double* out) {
  if (out == nullptr) return;
  for (size_t i = 0; i < values.size(); ++i) out[i] = values[i];
}

}  // namespace

int _kvCreateKorvaObj(int kind) {
  if (kind < 1 || kind > 3) return 0;
  try {
    return Handles().Add(std::make_unique<KorvaObject>(kind));
  } catch (const std::exception&) {
    return 0;
  }
}

void _kvDeleteKorvaObj(int handle) { Handles().Remove(handle); }

void _kvLoadDiscPnts(int handle, KvDiscPnt* samples, LONG count, int set) {
  WithObject(handle,
             [&](KorvaObject& object) { object.Load(samples, count, set); });
}

void _kvSetDataExtr(int handle, double minimum, double maximum) {
  WithObject(handle, [&](KorvaObject& object) {
    object.SetDataWindow(minimum, maximum);
  });
}

void _kvSetUseWtFlag(int handle, int flag1, int flag2) {
  WithAccepted(handle, [&](AcceptedSettings* accepted) {
    accepted->use_weight[0] = flag1;
    accepted->use_weight[1] = flag2;
  });
}

void _kvSetUseSecAttrFlag(int handle, int flag1, int flag2) {
  WithAccepted(handle, [&](AcceptedSettings* accepted) {
    accepted->use_second_attribute[0] = flag1;
    accepted->use_second_attribute[1] = flag2;
  });
}

void _kvSetAttrExtr(int handle, double minimum, double maximum, int axis,
                    double k) {
  WithObject(handle, [&](KorvaObject& object) {
    if (axis < 1 || axis > 3) return;
    object.SetAxisWindow(axis, minimum, maximum);
    object.mutable_accepted()->tail_factor[axis - 1] = k;
  });
}

void _kvSetFreqExtr(int handle, double extent) {
  WithAccepted(handle, [&](AcceptedSettings* accepted) {
    accepted->frequency_extent = extent;
  });
}

void _kvSetClassNum(int handle, int classes) {
  WithObject(handle,
             [&](KorvaObject& object) { object.SetClassCount(classes); });
}

void _kvSetLogFlag(int handle, int flag, int axis) {
  WithAccepted(handle, [&](AcceptedSettings* accepted) {
    if (axis >= 1 && axis <= 3) accepted->log_flag[axis - 1] = flag;
  });
}

void _kvSetCumHistFlag(int handle, int flag) {
  WithObject(handle,
             [&](KorvaObject& object) { object.SetCumulative(flag != 0); });
}

void _kvSetQuanNum(int handle, int count) {
  WithObject(handle,
             [&](KorvaObject& object) { object.SetQuantileCount(count); });
}

void _kvSetDecNum(int handle, int decimals) {
  WithAccepted(handle,
               [&](AcceptedSettings* accepted) { accepted->decimals = decimals; });
}

void _kvSetRefVal(int handle, double value) {
  WithAccepted(handle, [&](AcceptedSettings* accepted) {
    accepted->reference_value = value;
  });
}

void _kvSetSubNum(int handle, int number) {
  WithAccepted(handle,
               [&](AcceptedSettings* accepted) { accepted->sub_number = number; });
}

void _kvSetBullSize(int handle, double size) {
  WithAccepted(handle,
               [&](AcceptedSettings* accepted) { accepted->bullet_size = size; });
}

void _kvSetProbPntNum(int handle, LONG count) {
  WithObject(handle,
             [&](KorvaObject& object) { object.SetPointNumber(count); });
}

void _kvSetProbValue(int handle, double* probabilities, int count) {
  WithObject(handle, [&](KorvaObject& object) {
    object.SetProbabilities(probabilities, count);
  });
}

void _kvSetQqPpFlag(int handle, int selector) {
  WithObject(handle, [&](KorvaObject& object) {
    object.SetProbabilityForm(selector != 0);
  });
}

void _kvSetScale(int handle, double scale) {
  WithAccepted(handle,
               [&](AcceptedSettings* accepted) { accepted->scale = scale; });
}

void _kvSetThoryData(int handle, double xmin, double ymin, double xmax,
                     double ymax) {
  WithAccepted(handle, [&](AcceptedSettings* accepted) {
    accepted->theory_window[0] = xmin;
    accepted->theory_window[1] = ymin;
    accepted->theory_window[2] = xmax;
    accepted->theory_window[3] = ymax;
  });
}

void _kvDrawHistPlt(int handle) {
  WithObject(handle, [](KorvaObject& object) { object.ComputeHistogram(); });
}

void _kvDrawProbPlt(int handle) {
  WithObject(handle,
             [](KorvaObject& object) { object.ComputeProbabilityPlot(); });
}

void _kvDrawQpPlt(int handle) {
  WithObject(handle, [](KorvaObject& object) { object.ComputeQqPairs(); });
}

void _kvDrawScatPlt(int handle) {
  WithObject(handle, [](KorvaObject& object) { object.ComputeScatter(); });
}

void _kvOutHistPltParam(int handle, LONG* r1, LONG* r2, double* r3,
                        double* r4, double* r5, double* r6, double* r7,
                        double* r8, double* r9, double* result,
                        double* maximum_frequency) {
  WithObject(handle, [&](KorvaObject& object) {
    const korvalib::HistogramResult& h = object.histogram();
    Put(r1, h.count);
    Put(r2, h.left_out);
    Put(r3, h.mean);
    Put(r4, h.deviation);
    Put(r5, h.maximum);
    Put(r6, h.upper_quartile);
    Put(r7, h.median);
    Put(r8, h.lower_quartile);
    Put(r9, h.minimum);
    CopyOut(h.entries, result);
    Put(maximum_frequency, h.maximum_frequency);
  });
}

void _kvOutPropPltParam(int handle, double* axis_positions, double* pairs,
                        LONG* count) {
  WithObject(handle, [&](KorvaObject& object) {
    const korvalib::ProbabilityPlot& plot = object.probability_plot();
    CopyOut(plot.axis_positions, axis_positions);
    CopyOut(plot.pairs, pairs);
    Put(count, static_cast<LONG>(plot.pairs.size() / 2));
  });
}

void _kvOutQpPltParam(int handle, double* pairs, LONG* count) {
  WithObject(handle, [&](KorvaObject& object) {
    CopyOut(object.qq_pairs(), pairs);
    Put(count, static_cast<LONG>(object.qq_pairs().size() / 2));
  });
}

void _kvOutScatPltParam(int handle, LONG* point_count, double* r1, double* r4,
                        double* r7, LONG* r5, LONG* r2, double* r6,
                        double* r3, double* r8) {
  WithObject(handle, [&](KorvaObject& object) {
    const korvalib::ScatterOutput& output = object.scatter();
    const korvalib::ScatterStatistics& s = output.statistics;
    Put(point_count, output.point_count);
    Put(r1, s.pearson);
    Put(r4, s.x_deviation);
    Put(r7, s.y_deviation);
    Put(r5, s.y_count);
    Put(r2, s.x_count);
    Put(r6, s.y_mean);
    Put(r3, s.x_mean);
    Put(r8, s.spearman);
  });
}

void _kvNscore(int handle, double* scores, double* sorted_values,
               double* sorted_scores) {
  WithObject(handle, [&](KorvaObject& object) {
    object.WriteNormalScores(scores, sorted_values, sorted_scores);
  });
}

void _kvSetLagPara(int handle, int* lag_count, double* lag_spacing, int flag1,
                   int flag2) {
  WithObject(handle, [&](KorvaObject& object) {
    AcceptedSettings* accepted = object.mutable_accepted();
    accepted->lag_flags[0] = flag1;
    accepted->lag_flags[1] = flag2;
    if (lag_count != nullptr && lag_spacing != nullptr) {
      object.SetLags(*lag_count, *lag_spacing);
    }
  });
}

void _kvSetAzmDip(int handle, double* azimuth, int azimuth_tolerance,
                  int bandwidth_h, double* dip, int dip_tolerance,
                  int bandwidth_v, int direction_count) {
  WithObject(handle, [&](KorvaObject& object) {
    AcceptedSettings* accepted = object.mutable_accepted();
    accepted->direction_settings[0] = azimuth_tolerance;
    accepted->direction_settings[1] = bandwidth_h;
    accepted->direction_settings[2] = dip_tolerance;
    accepted->direction_settings[3] = bandwidth_v;
    accepted->direction_count = direction_count;
    if (azimuth != nullptr && dip != nullptr) {
      object.SetDirection(*azimuth, *dip);
    }
  });
}

void _kvSetIntpPara(int handle, int nst, double nugget, double* cc, int* it,
                    double* p1, double* p2, double* p3, double* p4,
                    double* p5, double* p6) {
  WithObject(handle, [&](KorvaObject& object) {
    object.mutable_model()->Set(nst, nugget, cc, it, p1, p2, p3, p4, p5, p6);
  });
}

void _kvVmodel(int handle, ModIndVrg* curve) {
  WithObject(handle,
             [&](KorvaObject& object) { object.WriteModelCurve(curve); });
}
