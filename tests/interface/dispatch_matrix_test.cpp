// Loaders and setters against every type code: what each served chart
// stores, and that every other chart is left as it was.
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

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
#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"

// Reads the stored state of a chart as "key=value" tokens, keyed by the
// export that sets the value (extr, extr2, pnts, pnts2, names, box, ...).
struct ChartInspector {
  static std::string Snapshot(CKorvaGraph* graph) {
    std::ostringstream out;
    switch (graph->GetType()) {
      case 1: {
        auto& c = dynamic_cast<CGeoHistPlt&>(*graph);
        Set(out, "pnts", c.points_);
        Names(out, c.names_);
        Window(out, "extr", c.window_);
        out << " classes=" << c.class_count_ << " kind=" << c.kind_;
        break;
      }
      case 2: {
        auto& c = dynamic_cast<CGeoPropPlt&>(*graph);
        Set(out, "pnts", c.samples_);
        Names(out, c.names_);
        Window(out, "extr", c.window_);
        break;
      }
      case 3: {
        auto& c = dynamic_cast<CGeoLocmPlt&>(*graph);
        Set(out, "pnts", c.samples_);
        Names(out, c.names_);
        Window(out, "extr", c.window_);
        Box(out, c.box_min_, c.box_max_);
        out << " plane=" << c.plane_;
        break;
      }
      case 4: {
        auto& c = dynamic_cast<CGeoNqqpPlt&>(*graph);
        Set(out, "pnts", c.scores_);
        Set(out, "pnts2", c.samples_);
        Names(out, c.names_);
        Window(out, "extr", c.score_window_);
        Window(out, "extr2", c.value_window_);
        out << " selector=" << c.selector_;
        break;
      }
      case 5: {
        auto& c = dynamic_cast<CGeoQqppPlt&>(*graph);
        Set(out, "pnts", c.first_);
        Set(out, "pnts2", c.second_);
        Names(out, c.names_);
        Window(out, "extr", c.first_window_);
        Window(out, "extr2", c.second_window_);
        out << " selector=" << c.selector_;
        break;
      }
      case 6: {
        auto& c = dynamic_cast<CGeoScatPlt&>(*graph);
        Set(out, "pnts", c.points_);
        Names(out, c.names_);
        Window(out, "extr", c.x_window_);
        Window(out, "extr2", c.y_window_);
        break;
      }
      case 7: {
        auto& c = dynamic_cast<CGeoVarmPlt&>(*graph);
        out << " varm=" << Ptr(c.entries_) << "," << Ptr(c.model_) << ","
            << Ptr(c.positions_) << "," << Ptr(c.selected_) << ","
            << c.lag_count_ << "," << c.model_flag_;
        Names(out, c.names_);
        out << " nug=" << c.nugget_ << " line=" << c.line_flag_
            << " sill=" << c.sill_flag_ << ":" << c.sill_
            << " cutoff=" << c.cutoff_count_ << ":" << c.current_cutoff_
            << " color=" << c.point_color_ << ":" << c.model_color_;
        break;
      }
      case 8: {
        auto& c = dynamic_cast<CGeoCrosPlt&>(*graph);
        out << " cros=" << Ptr(c.x_) << "," << Ptr(c.y_) << "," << c.count_;
        Names(out, c.names_);
        Window(out, "extr", c.extent_);
        out << " fit=" << c.slope_ << ":" << c.intercept_;
        break;
      }
      case 9: {
        auto& c = dynamic_cast<CGeoMVarmPlt&>(*graph);
        out << " mvarm=" << c.count_ << ":" << c.load_flag_;
        for (int i = 0; i < 2; ++i) {
          out << "," << Ptr(c.entries_[i]) << "," << c.lag_counts_[i] << ","
              << Ptr(c.positions_[i]) << "," << c.show_flags_[i];
        }
        Names(out, c.names_);
        out << " nug=" << c.nugget_ << " line=" << c.line_flag_
            << " sill=" << c.sill_flag_ << ":" << c.sill_
            << " cutoff=" << c.cutoff_count_ << ":" << c.current_cutoff_
            << " color=" << Ptr(c.point_colors_) << ":"
            << Ptr(c.second_colors_);
        break;
      }
      case 10: {
        auto& c = dynamic_cast<CGeoVrgCldPlt&>(*graph);
        out << " loc=" << Ptr(c.x_) << "," << Ptr(c.y_) << "," << c.count_;
        Names(out, c.names_);
        Window(out, "extr", c.x_window_);
        Window(out, "extr2", c.y_window_);
        out << " sel=" << Ptr(c.selected_) << "," << c.selected_count_;
        break;
      }
      case 11: {
        auto& c = dynamic_cast<CGeoVrgCldLocmPlt&>(*graph);
        Set(out, "pnts", c.primary_);
        Set(out, "pnts2", c.second_);
        Names(out, c.names_);
        Window(out, "extr", c.window_);
        Box(out, c.box_min_, c.box_max_);
        out << " sel=" << Ptr(c.pairs_) << "," << c.pair_count_;
        break;
      }
      default:
        out << " bare";
    }
    return out.str();
  }

 private:
  static std::string Ptr(const void* p) {
    std::ostringstream out;
    out << reinterpret_cast<uintptr_t>(p);
    return out.str();
  }
  static void Set(std::ostream& out, const char* key, const SampleArray& s) {
    out << " " << key << "=" << Ptr(s.samples) << "," << s.count;
  }
  static void Names(std::ostream& out, const AxisNames& n) {
    out << " names=" << n.x.str() << "|" << n.y.str();
  }
  static void Window(std::ostream& out, const char* key, const DataExtent& w) {
    out << " " << key << "=" << w.minimum << ":" << w.maximum;
  }
  static void Box(std::ostream& out, const KVD_3DOT& lo, const KVD_3DOT& hi) {
    out << " box=" << lo.x << "," << lo.y << "," << lo.z << ":" << hi.x << ","
        << hi.y << "," << hi.z;
  }
};

namespace {

KvDiscPnt g_samples[4] = {};
double g_values[4] = {};
LONG g_numbers[2] = {};
KVL_DOT g_pairs[1] = {};
Variogram g_entries[4] = {};
ModIndVrg g_model[8] = {};
CPoint g_points[4];
int g_flags[4] = {1, 1, 1, 1};
ULONG g_colors[2] = {};
Variogram* g_entry_rows[2] = {g_entries, g_entries + 2};
LONG g_lag_counts[2] = {7, 8};
CPoint* g_point_rows[2] = {g_points, g_points + 2};

std::string P(const void* p) {
  std::ostringstream out;
  out << reinterpret_cast<uintptr_t>(p);
  return out.str();
}

struct Row {
  const char* name;
  std::function<LONG(CKorvaGraph*)> call;
  std::vector<LONG> served;
  std::string stored;  // a token every served chart shows afterwards
};

std::vector<Row> Rows() {
  const std::string samples = P(g_samples);
  return {
      {"LoadDiscPnts",
       [](CKorvaGraph* g) { return _kvGraphLoadDiscPnts(g, g_samples, 3); },
       {1, 2, 3, 4, 5, 6, 11},
       " pnts=" + samples + ",3"},
      {"LoadDiscPnts2",
       [](CKorvaGraph* g) { return _kvGraphLoadDiscPnts2(g, g_samples, 2); },
       {4, 5, 11},
       " pnts2=" + samples + ",2"},
      {"LoadLocPnts",
       [](CKorvaGraph* g) {
         return _kvGraphLoadLocPnts(g, g_values, g_values + 1, 3);
       },
       {10},
       " loc=" + P(g_values) + "," + P(g_values + 1) + ",3"},
      {"SetAxiName",
       [](CKorvaGraph* g) { return _kvGraphSetAxiName(g, "Lag", "Gam"); },
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
       " names=Lag|Gam"},
      {"SetDataExtr",
       [](CKorvaGraph* g) { return _kvGraphSetDataExtr(g, 1.5, 2.5); },
       {1, 2, 3, 4, 5, 6, 8, 10, 11},
       " extr=1.5:2.5"},
      {"SetDataExtr2",
       [](CKorvaGraph* g) { return _kvGraphSetDataExtr2(g, 3.5, 4.5); },
       {4, 5, 6, 10},
       " extr2=3.5:4.5"},
      {"SetCoordExtr",
       [](CKorvaGraph* g) {
         return _kvGraphSetCoordExtr(g, {1, 2, 3}, {4, 5, 6});
       },
       {3, 11},
       " box=1,2,3:4,5,6"},
      {"SetDataExtrMode",
       [](CKorvaGraph* g) { return _kvGraphSetDataExtrMode(g, 1, 1); },
       {},
       ""},
      {"SetReplaceData",
       [](CKorvaGraph* g) { return _kvGraphSetReplaceData(g, 9, 9); },
       {},
       ""},
      {"SetHistNum",
       [](CKorvaGraph* g) { return _kvGraphSetHistNum(g, 12); },
       {1},
       " classes=12"},
      {"SetHistType",
       [](CKorvaGraph* g) { return _kvGraphSetHistType(g, 1); },
       {1},
       " kind=1"},
      {"SetCurPlane",
       [](CKorvaGraph* g) { return _kvGraphSetCurPlane(g, 2); },
       {3},
       " plane=2"},
      {"SetNqqpType",
       [](CKorvaGraph* g) { return _kvGraphSetNqqpType(g, 3); },
       {4},
       " selector=3"},
      {"SetQqppType",
       [](CKorvaGraph* g) { return _kvGraphSetQqppType(g, 4); },
       {5},
       " selector=4"},
      {"LoadVarmData",
       [](CKorvaGraph* g) {
         return _kvGraphLoadVarmData(g, g_entries, g_model, g_points, g_flags,
                                     2, 1);
       },
       {7},
       " varm=" + P(g_entries) + "," + P(g_model) + "," + P(g_points) + "," +
           P(g_flags) + ",2,1"},
      {"SetVrgNug",
       [](CKorvaGraph* g) { return _kvGraphSetVrgNug(g, 0.25); },
       {7},
       " nug=0.25"},
      {"SetIsDspLine",
       [](CKorvaGraph* g) { return _kvGraphSetIsDspLine(g, 3); },
       {7},
       " line=3"},
      {"SetIsDspSill",
       [](CKorvaGraph* g) { return _kvGraphSetIsDspSill(g, 1, 2.5); },
       {7},
       " sill=1:2.5"},
      {"SetCutOffNO",
       [](CKorvaGraph* g) { return _kvGraphSetCutOffNO(g, 4, 2); },
       {7},
       " cutoff=4:2"},
      {"SetColor",
       [](CKorvaGraph* g) { return _kvGraphSetColor(g, 17, 18); },
       {7},
       " color=17:18"},
      {"LoadMVarmData",
       [](CKorvaGraph* g) {
         return _kvGraphLoadMVarmData(g, g_entry_rows, g_lag_counts,
                                      g_point_rows, 2, g_flags, 1);
       },
       {9},
       " mvarm=2:1," + P(g_entries) + ",7," + P(g_points) + ",1," +
           P(g_entries + 2) + ",8," + P(g_points + 2) + ",1"},
      {"SetMVrgNug",
       [](CKorvaGraph* g) { return _kvGraphSetMVrgNug(g, 0.25); },
       {9},
       " nug=0.25"},
      {"SetMIsDspLine",
       [](CKorvaGraph* g) { return _kvGraphSetMIsDspLine(g, 3); },
       {9},
       " line=3"},
      {"SetMIsDspSill",
       [](CKorvaGraph* g) { return _kvGraphSetMIsDspSill(g, 2, 2.5); },
       {9},
       " sill=2:2.5"},
      {"SetMCutOffNO",
       [](CKorvaGraph* g) { return _kvGraphSetMCutOffNO(g, 4, 2); },
       {9},
       " cutoff=4:2"},
      {"SetMColor",
       [](CKorvaGraph* g) {
         return _kvGraphSetMColor(g, g_colors, g_colors + 1);
       },
       {9},
       " color=" + P(g_colors) + ":" + P(g_colors + 1)},
      {"LoadCrosData",
       [](CKorvaGraph* g) {
         return _kvGraphLoadCrosData(g, g_values, g_values + 1, 3);
       },
       {8},
       " cros=" + P(g_values) + "," + P(g_values + 1) + ",3"},
      {"SetFitLine",
       [](CKorvaGraph* g) { return _kvGraphSetFitLine(g, 0.5, 7); },
       {8},
       " fit=0.5:7"},
      {"LoadVrgCldSelInfo",
       [](CKorvaGraph* g) { return _kvLoadVrgCldSelInfo(g, g_numbers, 2); },
       {10},
       " sel=" + P(g_numbers) + ",2"},
      {"LoadVrgCldLocSelInfo",
       [](CKorvaGraph* g) { return _kvLoadVrgCldLocSelInfo(g, g_pairs, 1); },
       {11},
       " sel=" + P(g_pairs) + ",1"},
  };
}

bool Serves(const Row& row, LONG type) {
  for (LONG served : row.served) {
    if (served == type) return true;
  }
  return false;
}

TEST(DispatchMatrixTest, ServedChartsStoreAndOthersStayAsTheyWere) {
  for (const Row& row : Rows()) {
    for (LONG type = 0; type <= 11; ++type) {
      CKorvaGraph* graph = _kvCreateKvGraphObj(type);
      const std::string before = ChartInspector::Snapshot(graph);
      EXPECT_EQ(row.call(graph), 1) << row.name << " on type " << type;
      const std::string after = ChartInspector::Snapshot(graph);
      if (Serves(row, type)) {
        EXPECT_NE(after.find(row.stored), std::string::npos)
            << row.name << " on type " << type << ": " << after;
      } else {
        EXPECT_EQ(after, before) << row.name << " on type " << type;
      }
      _kvDeleteKvGraphObj(graph);
    }
  }
}

TEST(DispatchMatrixTest, NamesAreCopiesNotReferences) {
  CKorvaGraph* graph = _kvCreateKvGraphObj(1);
  {
    CString x_name("Copper");
    CString y_name("Freq");
    _kvGraphSetAxiName(graph, x_name, y_name);
    x_name = "changed";
  }
  EXPECT_NE(ChartInspector::Snapshot(graph).find(" names=Copper|Freq"),
            std::string::npos);
  _kvDeleteKvGraphObj(graph);
}

}  // namespace
