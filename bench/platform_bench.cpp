// Benchmarks of the platform layer: a marker with its own pen, a million
// markers into an 800 x 600 window one by one and in runs, a plain pixel
// loop for scale, and saving an 800 x 600 window as PNG.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "benchmark/benchmark.h"
#include "korvagraph/canvas_window.h"
#include "platform/afx_gdi.h"
#include "platform/gdi32.h"
#include "platform/marker_run.h"
#include "platform/user32.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kMarkers = 1000000;

// A window with a device context for the benchmark's duration.
class Surface {
 public:
  Surface()
      : window_(kWidth, kHeight),
        hdc_(GetDC(window_.Wnd()->m_hWnd)),
        dc_(CDC::FromHandle(hdc_)) {}
  ~Surface() { ReleaseDC(window_.Wnd()->m_hWnd, hdc_); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  CanvasWindow& window() { return window_; }
  CDC* dc() { return dc_; }

 private:
  CanvasWindow window_;
  HDC hdc_;
  CDC* dc_;
};

// Marker positions spread over the window, made once (a cheap LCG).
const std::vector<int>& MarkerPositions() {
  static const std::vector<int>* const positions = [] {
    auto* xy = new std::vector<int>(2 * kMarkers);
    uint32_t state = 12345;
    for (int i = 0; i < kMarkers; ++i) {
      state = state * 1664525u + 1013904223u;
      (*xy)[2 * i] = static_cast<int>((state >> 8) % kWidth);
      state = state * 1664525u + 1013904223u;
      (*xy)[2 * i + 1] = static_cast<int>((state >> 8) % kHeight);
    }
    return xy;
  }();
  return *positions;
}

// What a chart does per point: its own pen, selected, a 4-pixel circle,
// the previous pen back, the pen destroyed.
inline void DrawMarker(CDC* dc, int x, int y, COLORREF color) {
  CPen pen;
  pen.Attach(CreatePen(PS_SOLID, 1, color));
  CPen* old = dc->SelectObject(&pen);
  dc->Ellipse(x - 2, y - 2, x + 2, y + 2);
  dc->SelectObject(old);
  pen.DeleteObject();
}

void BM_MarkerCycle(benchmark::State& state) {
  Surface surface;
  const std::vector<int>& xy = MarkerPositions();
  int i = 0;
  for (auto _ : state) {
    DrawMarker(surface.dc(), xy[2 * i], xy[2 * i + 1], RGB(255, 0, 0));
    i = i + 1 == kMarkers ? 0 : i + 1;
  }
}
BENCHMARK(BM_MarkerCycle);

// The same with raw handles, as the frame's selection guard does it.
void BM_MarkerCycleHandles(benchmark::State& state) {
  Surface surface;
  const std::vector<int>& xy = MarkerPositions();
  int i = 0;
  for (auto _ : state) {
    CGdiObject pen;
    pen.Attach(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const HGDIOBJ old = surface.dc()->SelectObject(pen.m_hObject);
    surface.dc()->Ellipse(xy[2 * i] - 2, xy[2 * i + 1] - 2, xy[2 * i] + 2,
                          xy[2 * i + 1] + 2);
    surface.dc()->SelectObject(old);
    pen.DeleteObject();
    i = i + 1 == kMarkers ? 0 : i + 1;
  }
}
BENCHMARK(BM_MarkerCycleHandles);

// The parts of the cycle on their own.
void BM_PenCreateDelete(benchmark::State& state) {
  for (auto _ : state) {
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    DeleteObject(pen);
  }
}
BENCHMARK(BM_PenCreateDelete);

void BM_SelectAndRestore(benchmark::State& state) {
  Surface surface;
  CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  for (auto _ : state) {
    CPen* old = surface.dc()->SelectObject(&pen);
    surface.dc()->SelectObject(old);
  }
}
BENCHMARK(BM_SelectAndRestore);

void BM_Ellipse4(benchmark::State& state) {
  Surface surface;
  const std::vector<int>& xy = MarkerPositions();
  int i = 0;
  for (auto _ : state) {
    surface.dc()->Ellipse(xy[2 * i] - 2, xy[2 * i + 1] - 2, xy[2 * i] + 2,
                          xy[2 * i + 1] + 2);
    i = i + 1 == kMarkers ? 0 : i + 1;
  }
}
BENCHMARK(BM_Ellipse4);

void BM_MillionMarkers(benchmark::State& state) {
  Surface surface;
  const std::vector<int>& xy = MarkerPositions();
  for (auto _ : state) {
    for (int i = 0; i < kMarkers; ++i) {
      DrawMarker(surface.dc(), xy[2 * i], xy[2 * i + 1], RGB(255, 0, 0));
    }
  }
  state.SetItemsProcessed(state.iterations() * kMarkers);
}
BENCHMARK(BM_MillionMarkers)->Unit(benchmark::kMillisecond);

// The same markers as runs of 4096, as the cloud chart draws them.
void BM_MillionMarkersInRuns(benchmark::State& state) {
  constexpr size_t kRun = 4096;
  Surface surface;
  const std::vector<int>& xy = MarkerPositions();
  const PenSpec pen{PS_SOLID, 1, RGB(255, 0, 0)};
  std::vector<RECT> boxes;
  boxes.reserve(kRun);
  for (auto _ : state) {
    for (int i = 0; i < kMarkers; ++i) {
      const LONG x = xy[2 * i], y = xy[2 * i + 1];
      boxes.push_back(RECT{x - 2, y - 2, x + 2, y + 2});
      if (boxes.size() == kRun || i + 1 == kMarkers) {
        DrawMarkerRun(surface.dc(), pen, nullptr, boxes.data(), boxes.size());
        boxes.clear();
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kMarkers);
}
BENCHMARK(BM_MillionMarkersInRuns)->Unit(benchmark::kMillisecond);

// For scale: the same circles' pixels written by a plain loop into a
// buffer, with no drawing calls at all.
void BM_MillionMarkersPlainLoop(benchmark::State& state) {
  std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
  const std::vector<int>& xy = MarkerPositions();
  // The 4 x 4 circle: outline offsets, then the fill (white).
  static const int kOutline[][2] = {{-1, -2}, {0, -2}, {-2, -1}, {1, -1},
                                    {-2, 0},  {1, 0},  {-1, 1},  {0, 1}};
  static const int kFill[][2] = {{-1, -1}, {0, -1}, {-1, 0}, {0, 0}};
  for (auto _ : state) {
    for (int i = 0; i < kMarkers; ++i) {
      const int x = xy[2 * i], y = xy[2 * i + 1];
      for (const auto& d : kFill) {
        const int px = x + d[0], py = y + d[1];
        if (px >= 0 && py >= 0 && px < kWidth && py < kHeight) {
          pixels[static_cast<size_t>(py) * kWidth + px] = 0xFFFFFF;
        }
      }
      for (const auto& d : kOutline) {
        const int px = x + d[0], py = y + d[1];
        if (px >= 0 && py >= 0 && px < kWidth && py < kHeight) {
          pixels[static_cast<size_t>(py) * kWidth + px] = 0x0000FF;
        }
      }
    }
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * kMarkers);
}
BENCHMARK(BM_MillionMarkersPlainLoop)->Unit(benchmark::kMillisecond);

// An 800 x 600 chart-like picture: a frame, grid lines, markers and labels.
void BM_SavePng800x600(benchmark::State& state) {
  Surface surface;
  CDC* dc = surface.dc();
  dc->Rectangle(40, 20, 780, 570);
  for (int x = 40; x < 780; x += 74) {
    dc->MoveTo(x, 20);
    dc->LineTo(x, 570);
    dc->TextOut(x, 575, "12.5", 4);
  }
  const std::vector<int>& xy = MarkerPositions();
  for (int i = 0; i < 5000; ++i) {
    DrawMarker(dc, xy[2 * i], xy[2 * i + 1], RGB(0, 0, 255));
  }
  const std::string path = "platform_bench_save.png";
  for (auto _ : state) {
    if (!surface.window().SavePng(path)) state.SkipWithError("save failed");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_SavePng800x600)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
