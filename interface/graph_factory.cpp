// The factory and deletion of graph objects.
#include <new>

#include "charts/geo_cros_plt.h"
#include "charts/geo_hist_plt.h"
#include "charts/geo_locm_plt.h"
#include "charts/geo_mvarm_plt.h"
#include "charts/geo_nqqp_plt.h"
#include "charts/geo_prop_plt.h"
#include "charts/geo_qqpp_plt.h"
#include "charts/geo_scat_plt.h"
#include "charts/geo_varm_plt.h"
#include "charts/geo_vrg_cld_locm_plt.h"
#include "charts/geo_vrg_cld_plt.h"
#include "korvagraph/KorvaGraphLib.h"

namespace {

CKorvaGraph* NewGraphOfType(LONG type) {
  switch (type) {
    case 0:
      return new (std::nothrow) CKorvaGraph();
    case CGeoHistPlt::kTypeCode:
      return new (std::nothrow) CGeoHistPlt();
    case CGeoPropPlt::kTypeCode:
      return new (std::nothrow) CGeoPropPlt();
    case CGeoLocmPlt::kTypeCode:
      return new (std::nothrow) CGeoLocmPlt();
    case CGeoNqqpPlt::kTypeCode:
      return new (std::nothrow) CGeoNqqpPlt();
    case CGeoQqppPlt::kTypeCode:
      return new (std::nothrow) CGeoQqppPlt();
    case CGeoScatPlt::kTypeCode:
      return new (std::nothrow) CGeoScatPlt();
    case CGeoVarmPlt::kTypeCode:
      return new (std::nothrow) CGeoVarmPlt();
    case CGeoCrosPlt::kTypeCode:
      return new (std::nothrow) CGeoCrosPlt();
    case CGeoMVarmPlt::kTypeCode:
      return new (std::nothrow) CGeoMVarmPlt();
    case CGeoVrgCldPlt::kTypeCode:
      return new (std::nothrow) CGeoVrgCldPlt();
    case CGeoVrgCldLocmPlt::kTypeCode:
      return new (std::nothrow) CGeoVrgCldLocmPlt();
    default:
      return nullptr;
  }
}

}  // namespace

CKorvaGraph* _kvCreateKvGraphObj(LONG type) {
  CKorvaGraph* graph = NewGraphOfType(type);
  if (graph != nullptr) graph->SetType(type);
  return graph;
}

void _kvDeleteKvGraphObj(CKorvaGraph* graph) { delete graph; }
