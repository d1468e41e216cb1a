#include "frame/draw_pass.h"

DrawPassScope::DrawPassScope(const PlotFrame& frame,
                             std::optional<PenSpec> pass_pen, bool move_origin)
    : window_dc_(frame.window) {
  CDC* surface = window_dc_.dc();
  if (surface == nullptr) return;
  if (pass_pen) {
    pen_.emplace(surface,
                 CreatePen(pass_pen->style, pass_pen->width, pass_pen->color));
  }
  if (move_origin) surface->SetViewportOrg(frame.plot.left, frame.plot.top);
}
