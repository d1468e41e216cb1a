// The variogram model curve: a nested model evaluated by the engine along one
// direction at half the experimental lag spacing.
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/engine_handle.h"

namespace {

constexpr LONG kMaxStructures = 20;
constexpr int kLargestLagCount = (0x7FFFFFFF - 4) / 2;

// The engine sees copies of the first nst entries, never the host's record.
struct ModelCopies {
  double cc[kMaxStructures] = {};
  int it[kMaxStructures] = {};
  double p[6][kMaxStructures] = {};

  ModelCopies(const Kt3dIntp& model, int nst) {
    const double* sources[6] = {model.p1, model.p2, model.p3,
                                model.p4, model.p5, model.p6};
    for (int s = 0; s < nst; ++s) {
      cc[s] = model.cc[s];
      it[s] = model.it[s];
      for (int a = 0; a < 6; ++a) p[a][s] = sources[a][s];
    }
  }
};

}  // namespace

LONG _kvCptVModel(Kt3dIntp model, double lag, int lag_count, int kind,
                  ModIndVrg* curve) {
  // Beyond 20 structures the copies would overrun; an unusable lag count or a
  // missing curve leaves the curve untouched.
  if (model.nst < 0 || model.nst > kMaxStructures || curve == nullptr ||
      lag_count < 0 || lag_count > kLargestLagCount) {
    return 1;
  }
  EngineHandle engine(kModelEngine);
  int lags = 2 * lag_count + 2;
  double spacing = lag * 0.5;
  double azimuth = model.p4[0];
  double dip = model.p5[0];
  ModelCopies copies(model, model.nst);
  _kvSetLagPara(engine.get(), &lags, &spacing, 0, 1);
  _kvSetAzmDip(engine.get(), &azimuth, 0, 0, &dip, 0, 0, 1);
  _kvSetIntpPara(engine.get(), model.nst, model.nugget, copies.cc, copies.it,
                 copies.p[0], copies.p[1], copies.p[2], copies.p[3],
                 copies.p[4], copies.p[5]);
  _kvVmodel(engine.get(), curve);
  const int records = 2 * lag_count + 4;
  if (kind == 0) {
    curve[0].value = model.nugget;
  } else if (kind == 1) {
    // Covariance to variogram: the sill minus the covariance.
    for (int k = 0; k < records; ++k) {
      double value = model.nugget - curve[k].value;
      for (int s = 0; s < model.nst; ++s) value += model.cc[s];
      curve[k].value = value;
    }
  }
  return 1;
}
