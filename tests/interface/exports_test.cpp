// The factory, the null-handle convention and the dispatch by type code.
#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "test_support/recording.h"

namespace {

// Every export that takes a graph handle, called with harmless arguments.
struct ExportCall {
  const char* name;
  std::function<LONG(CKorvaGraph*)> call;
};

std::vector<ExportCall> EveryHandleExport() {
  static KvDiscPnt samples[2] = {};
  static double values[2] = {};
  static LONG numbers[2] = {};
  static KVL_DOT pairs[1] = {};
  static Variogram entries[4] = {};
  static ModIndVrg model[8] = {};
  static CPoint points[4];
  static int flags[4] = {};
  static ULONG colors[2] = {};
  static LONG l1, l2;
  static double d[10];
  static int i1, i2;
  return {
      {"LoadDiscPnts",
       [](CKorvaGraph* g) { return _kvGraphLoadDiscPnts(g, samples, 2); }},
      {"LoadDiscPnts2",
       [](CKorvaGraph* g) { return _kvGraphLoadDiscPnts2(g, samples, 2); }},
      {"LoadLocPnts",
       [](CKorvaGraph* g) {
         return _kvGraphLoadLocPnts(g, values, values, 2);
       }},
      {"SetAxiName",
       [](CKorvaGraph* g) { return _kvGraphSetAxiName(g, "a", "b"); }},
      {"SetDataExtr",
       [](CKorvaGraph* g) { return _kvGraphSetDataExtr(g, 0, 1); }},
      {"SetDataExtr2",
       [](CKorvaGraph* g) { return _kvGraphSetDataExtr2(g, 0, 1); }},
      {"SetCoordExtr",
       [](CKorvaGraph* g) {
         return _kvGraphSetCoordExtr(g, {0, 0, 0}, {1, 1, 1});
       }},
      {"SetDataExtrMode",
       [](CKorvaGraph* g) { return _kvGraphSetDataExtrMode(g, 1, 1); }},
      {"SetReplaceData",
       [](CKorvaGraph* g) { return _kvGraphSetReplaceData(g, 1, 2); }},
      {"SetHistNum", [](CKorvaGraph* g) { return _kvGraphSetHistNum(g, 10); }},
      {"SetHistType", [](CKorvaGraph* g) { return _kvGraphSetHistType(g, 0); }},
      {"OutPutHistPntNum",
       [](CKorvaGraph* g) { return _kvGraphOutPutHistPntNum(g, l1); }},
      {"OutPutHistPnt",
       [](CKorvaGraph* g) { return _kvGraphOutPutHistPnt(g, values, values); }},
      {"DrawHistPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawHistPlt(g, nullptr); }},
      {"CptPropParam", [](CKorvaGraph* g) { return _kvGraphCptPropParam(g); }},
      {"OutPutPropPntNum",
       [](CKorvaGraph* g) { return _kvGraphOutPutPropPntNum(g, l1); }},
      {"DrawPropPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawPropPlt(g, nullptr); }},
      {"SetCurPlane", [](CKorvaGraph* g) { return _kvGraphSetCurPlane(g, 0); }},
      {"DrawLocmPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawLocmPlt(g, nullptr, nullptr); }},
      {"SetNqqpType", [](CKorvaGraph* g) { return _kvGraphSetNqqpType(g, 0); }},
      {"OutPutNqqpPntNum",
       [](CKorvaGraph* g) { return _kvGraphOutPutNqqpPntNum(g, l1); }},
      {"DrawNqqpPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawNqqpPlt(g, nullptr); }},
      {"SetQqppType", [](CKorvaGraph* g) { return _kvGraphSetQqppType(g, 0); }},
      {"CptQqppParam",
       [](CKorvaGraph* g) {
         return _kvGraphCptQqppParam(g, l1, d[0], d[1], l2, d[2], d[3]);
       }},
      {"DrawQqppPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawQqppPlt(g, nullptr); }},
      {"CptScatParam",
       [](CKorvaGraph* g) {
         return _kvGraphCptScatParam(g, d[0], l1, d[1], d[2], l2, d[3], d[4],
                                     d[5]);
       }},
      {"DrawScatPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawScatPlt(g, nullptr); }},
      {"LoadVarmData",
       [](CKorvaGraph* g) {
         return _kvGraphLoadVarmData(g, entries, model, points, flags, 2, 1);
       }},
      {"SetVrgNug", [](CKorvaGraph* g) { return _kvGraphSetVrgNug(g, 0.5); }},
      {"SetIsDspLine",
       [](CKorvaGraph* g) { return _kvGraphSetIsDspLine(g, 1); }},
      {"SetIsDspSill",
       [](CKorvaGraph* g) { return _kvGraphSetIsDspSill(g, 1, 2.0); }},
      {"SetCutOffNO",
       [](CKorvaGraph* g) { return _kvGraphSetCutOffNO(g, 1, 0); }},
      {"SetColor",
       [](CKorvaGraph* g) { return _kvGraphSetColor(g, 0xFF0000, 0xFF); }},
      {"DrawVarmPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawVarmPlt(g, nullptr); }},
      {"DrawVrgLine", [](CKorvaGraph* g) { return _kvGraphDrawVrgLine(g); }},
      {"DrawSelectPoint",
       [](CKorvaGraph* g) { return _kvGraphDrawSelectPoint(g); }},
      {"SetMVrgNug", [](CKorvaGraph* g) { return _kvGraphSetMVrgNug(g, 0.5); }},
      {"SetMIsDspLine",
       [](CKorvaGraph* g) { return _kvGraphSetMIsDspLine(g, 1); }},
      {"SetMIsDspSill",
       [](CKorvaGraph* g) { return _kvGraphSetMIsDspSill(g, 1, 2.0); }},
      {"SetMCutOffNO",
       [](CKorvaGraph* g) { return _kvGraphSetMCutOffNO(g, 1, 0); }},
      {"SetMColor",
       [](CKorvaGraph* g) { return _kvGraphSetMColor(g, colors, colors); }},
      {"DrawMVarmPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawMVarmPlt(g, nullptr); }},
      {"DrawMVrgLine", [](CKorvaGraph* g) { return _kvGraphDrawMVrgLine(g); }},
      {"DrawMSelectPoint",
       [](CKorvaGraph* g) { return _kvGraphDrawMSelectPoint(g); }},
      {"LoadCrosData",
       [](CKorvaGraph* g) {
         return _kvGraphLoadCrosData(g, values, values, 2);
       }},
      {"SetFitLine",
       [](CKorvaGraph* g) { return _kvGraphSetFitLine(g, 1, 0); }},
      {"DrawCrosPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawCrosPlt(g, nullptr); }},
      {"LoadVrgCldSelInfo",
       [](CKorvaGraph* g) { return _kvLoadVrgCldSelInfo(g, numbers, 2); }},
      {"DrawVrgCldPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawVrgCldPlt(g, nullptr); }},
      {"WorldtoScreen",
       [](CKorvaGraph* g) { return _kvGraphWorldtoScreen(g, 1, 1, i1, i2); }},
      {"LoadVrgCldLocSelInfo",
       [](CKorvaGraph* g) { return _kvLoadVrgCldLocSelInfo(g, pairs, 1); }},
      {"DrawVrgCldLocmPlt",
       [](CKorvaGraph* g) { return _kvGraphDrawVrgCldLocmPlt(g, nullptr); }},
  };
}

TEST(FactoryTest, TypeCodesZeroToElevenAndNothingElse) {
  for (LONG type = -1; type <= 12; ++type) {
    CKorvaGraph* graph = _kvCreateKvGraphObj(type);
    if (type < 0 || type > 11) {
      EXPECT_EQ(graph, nullptr) << type;
      continue;
    }
    ASSERT_NE(graph, nullptr) << type;
    EXPECT_EQ(graph->GetType(), type);
    _kvDeleteKvGraphObj(graph);
  }
  _kvDeleteKvGraphObj(nullptr);  // ignored
}

TEST(DispatchTest, EveryExportReturnsMinusOneForANullHandle) {
  for (const ExportCall& row : EveryHandleExport()) {
    EXPECT_EQ(row.call(nullptr), -1) << row.name;
  }
  LONG count = 0;
  double r[10];
  EXPECT_EQ(_kvGraphCptHistParam(nullptr, count, count, r[0], r[1], r[2], r[3],
                                 r[4], r[5], r[6], r[7], r[8], r[9]),
            -1);
  EXPECT_EQ(_kvGraphCptLocmParam(nullptr), -1);
  EXPECT_EQ(_kvGraphCptNqqpParam(nullptr), -1);
  EXPECT_EQ(_kvGraphOutPutNqqpPnt(nullptr, r, r), -1);
  EXPECT_EQ(_kvGraphOutPutPropPnt(nullptr, r, r, r), -1);
  EXPECT_EQ(
      _kvGraphLoadMVarmData(nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0),
      -1);
}

TEST(DispatchTest, ABareObjectAnswersOneToEveryExport) {
  CKorvaGraph* bare = _kvCreateKvGraphObj(0);
  for (const ExportCall& row : EveryHandleExport()) {
    EXPECT_EQ(row.call(bare), 1) << row.name;
  }
  EXPECT_EQ(bare->GetType(), 0);
  _kvDeleteKvGraphObj(bare);
}

TEST(DispatchTest, EveryExportOnEveryTypeKeepsTheLedgerBalanced) {
  const GdiLedger before = CurrentGdiLedger();
  for (LONG type = 0; type <= 11; ++type) {
    CKorvaGraph* graph = _kvCreateKvGraphObj(type);
    for (const ExportCall& row : EveryHandleExport()) {
      const LONG status = row.call(graph);
      EXPECT_TRUE(status == 1) << row.name << " on type " << type;
    }
    _kvDeleteKvGraphObj(graph);
    EXPECT_EQ(CurrentGdiLedger(), before) << "type " << type;
  }
}

TEST(DispatchTest, CrossPlotTakesNoSamples) {
  // The cross plot ignores the sample loader: with samples loaded but no
  // cross data it still draws nothing.
  KvDiscPnt samples[2] = {};
  CKorvaGraph* graph = _kvCreateKvGraphObj(8);
  EXPECT_EQ(_kvGraphLoadDiscPnts(graph, samples, 2), 1);
  _kvGraphSetDataExtr(graph, 0, 10);
  kgtest::RecordingWindow window(200, 200);
  _kvGraphDrawCrosPlt(graph, window.Wnd());
  EXPECT_TRUE(kgtest::LinesStartingWith(window.Take(), "GetDC").empty());
  _kvDeleteKvGraphObj(graph);
}

TEST(DispatchTest, MultipleVariogramLoadStatuses) {
  Variogram rows[3][4] = {};
  Variogram* entries[3] = {rows[0], rows[1], nullptr};
  CPoint points[3][4];
  CPoint* positions[3] = {points[0], points[1], points[2]};
  LONG lag_counts[3] = {2, 2, 2};
  struct Row {
    const char* name;
    int flags[3];
    LONG count;
    LONG status;
  } cases[] = {
      {"missing third after a shown one", {1, 0, 1}, 3, 1},
      {"missing third after a shown second", {0, 1, 0}, 3, 1},
      {"missing third after hidden ones", {0, 0, 1}, 3, -1},
      {"two complete", {0, 0, 0}, 2, 1},
      {"more than twenty refused", {1, 1, 1}, 21, -1},
  };
  for (const Row& row : cases) {
    CKorvaGraph* graph = _kvCreateKvGraphObj(9);
    int flags[3] = {row.flags[0], row.flags[1], row.flags[2]};
    EXPECT_EQ(_kvGraphLoadMVarmData(graph, entries, lag_counts, positions,
                                    row.count, flags, 1),
              row.status)
        << row.name;
    _kvDeleteKvGraphObj(graph);
  }
}

}  // namespace
