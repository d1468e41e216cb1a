#include "korvagraph/canvas_window.h"

#include <utility>

#include "platform/context_table.h"
#include "platform/png_writer.h"
#include "platform/vector_export.h"
#include "platform/window_state.h"

// The window's state, registered under a handle for as long as it lives.
struct CanvasWindow::State {
  State(int width, int height, COLORREF background)
      : window(width, height, background) {
    RegisterWindow(&window);
  }
  ~State() {
    ForgetWindowInContexts(window.wnd.m_hWnd);
    UnregisterWindow(window.wnd.m_hWnd);
  }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  WindowState window;
};

CanvasWindow::CanvasWindow(int width, int height, COLORREF background)
    : state_(std::make_unique<State>(width, height, background)) {}

CanvasWindow::~CanvasWindow() = default;

CWnd* CanvasWindow::Wnd() { return &state_->window.wnd; }

int CanvasWindow::Width() const { return state_->window.raster.width(); }

int CanvasWindow::Height() const { return state_->window.raster.height(); }

void CanvasWindow::Resize(int width, int height) {
  state_->window.raster.Reset(width, height, state_->window.background);
  state_->window.display.Clear();
}

COLORREF CanvasWindow::Pixel(int x, int y) const {
  // What the platform's pixel query answers outside the client area.
  constexpr COLORREF kInvalidColor = 0xFFFFFFFFu;
  const Raster& raster = state_->window.raster;
  return raster.Contains(x, y) ? raster.At(x, y) : kInvalidColor;
}

const COLORREF* CanvasWindow::Pixels() const {
  return state_->window.raster.Row(0);
}

int CanvasWindow::RowStride() const {
  return state_->window.raster.width() * static_cast<int>(sizeof(COLORREF));
}

bool CanvasWindow::SavePng(const std::string& path) const {
  return WritePng(state_->window.raster, path);
}

bool CanvasWindow::SaveSvg(const std::string& path) const {
  return ExportPicture(state_->window, PictureFormat::kSvg, 1.0, path);
}

bool CanvasWindow::SavePdf(const std::string& path) const {
  return ExportPicture(state_->window, PictureFormat::kPdf, 1.0, path);
}

bool CanvasWindow::SaveScaledPng(const std::string& path, double scale) const {
  return ExportPicture(state_->window, PictureFormat::kPng, scale, path);
}

void CanvasWindow::StartRecording() { state_->window.recording = true; }

std::vector<std::string> CanvasWindow::TakeRecording() {
  return std::exchange(state_->window.log, {});
}
