#include "platform/vector_export.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/font_cache.h"
#include "platform/line_raster.h"
#include "platform/raster.h"
#include "platform/shape_raster.h"
#include "platform/text_raster.h"

namespace {

// Drawing beyond the client area by more than this is not visible (the
// widest pen reaches kMaxStrokeWidth / 2 past its path).
constexpr double kMargin = kMaxStrokeWidth;
// Runs of this many ellipses in one brush are culled of the hidden ones.
constexpr size_t kCulledRun = 256;
// Shapes reaching beyond this many pixels lie outside cairo's fixed-point
// range; rectangles are cut to the visible area, ellipses are skipped.
constexpr double kCoordinateLimit = 1 << 22;
constexpr double kPi = 3.14159265358979323846;
// Filled areas stop this far inside their pixels' edges: renderers that take
// every pixel an area touches (PDF viewers without smoothing) then take the
// pixels whose centres it covers, as the raster and cairo do.
constexpr double kInset = 1.0 / 64;
// How far a sloped line's band moves, at most, toward the pixel its raster
// takes at a tie (cairo keeps coordinates to 1/256 of a pixel).
constexpr double kTieShift = 1.0 / 128;

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct FaceDeleter {
  void operator()(cairo_font_face_t* f) const { cairo_font_face_destroy(f); }
};
struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;
using FacePtr = std::unique_ptr<cairo_font_face_t, FaceDeleter>;

void SetColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, (color & 0xFF) / 255.0,
                       ((color >> 8) & 0xFF) / 255.0,
                       ((color >> 16) & 0xFF) / 255.0);
}

// A shape's box in device pixels.
struct Box {
  double left, top, right, bottom;
};

// Replays a display list into a cairo context whose user space is the
// window's device pixels.
class Replay {
 public:
  Replay(cairo_t* cr, const WindowState& window)
      : cr_(cr),
        list_(window.display),
        width_(window.raster.width()),
        height_(window.raster.height()) {}

  void Run(COLORREF background) {
    cairo_rectangle(cr_, 0, 0, width_, height_);
    cairo_clip(cr_);
    SetColor(cr_, background);
    cairo_paint(cr_);
    std::vector<DisplayOp> expanded;
    const std::vector<DisplayOp>& ops = list_.Expanded(&expanded);
    size_t i = 0;
    while (i < ops.size()) i = Play(ops, i);
  }

 private:
  // Plays the op at i (and, for a run of ellipses, those after it); returns
  // the index of the next op to play.
  size_t Play(const std::vector<DisplayOp>& ops, size_t i) {
    const DisplayOp& op = ops[i];
    switch (op.kind()) {
      case DisplayOpKind::kOrigin:
        origin_x_ = op.v[0];
        origin_y_ = op.v[1];
        break;
      case DisplayOpKind::kPen:
        pen_ = list_.pens()[op.arg()];
        break;
      case DisplayOpKind::kLine:
        Line(DeviceX(op.v[0]), DeviceY(op.v[1]), DeviceX(op.v[2]),
             DeviceY(op.v[3]), 0);
        break;
      case DisplayOpKind::kRectangle:
        Rectangle(DeviceBox(op), op.arg());
        break;
      case DisplayOpKind::kEllipse:
        return Ellipses(ops, i);
      case DisplayOpKind::kText:
        Text(list_.texts()[op.arg()], DeviceX(op.v[0]), DeviceY(op.v[1]));
        break;
      case DisplayOpKind::kMarkers:  // written out as ellipses before playing
        break;
    }
    return i + 1;
  }

  int64_t DeviceX(int32_t x) const { return int64_t{x} + origin_x_; }
  int64_t DeviceY(int32_t y) const { return int64_t{y} + origin_y_; }
  Box DeviceBox(const DisplayOp& op) const {
    Box box{static_cast<double>(DeviceX(op.v[0])),
            static_cast<double>(DeviceY(op.v[1])),
            static_cast<double>(DeviceX(op.v[2])),
            static_cast<double>(DeviceY(op.v[3]))};
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    return box;
  }

  // Fills columns [left, right) of rows [top, bottom), cut to what shows.
  void FillRect(double left, double top, double right, double bottom,
                COLORREF color) {
    left = std::max(left, -kMargin);
    top = std::max(top, -kMargin);
    right = std::min(right, width_ + kMargin);
    bottom = std::min(bottom, height_ + kMargin);
    if (left >= right || top >= bottom) return;
    SetColor(cr_, color);
    cairo_rectangle(cr_, left + kInset, top + kInset, right - left - 2 * kInset,
                    bottom - top - 2 * kInset);
    cairo_fill(cr_);
  }

  // The line from pixel (x0, y0) toward (x1, y1), end pixel excluded, as
  // the raster steps it: pixel i of a's stands at step first_step + i of the
  // pen's dot pattern. Returns a, the number of pixels.
  int64_t Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1,
               int64_t first_step) {
    const int64_t dx = x1 - x0;
    const int64_t dy = y1 - y0;
    const int64_t a = std::max(std::llabs(dx), std::llabs(dy));
    if (a == 0) return 0;
    // Lines as steep as they are wide step along y, as the raster's do.
    const bool x_major = std::llabs(dx) > std::llabs(dy);
    // The pixel centre at step t, continuous in t.
    const double cx = x0 + 0.5;
    const double cy = y0 + 0.5;
    const double ux = static_cast<double>(dx) / a;
    const double uy = static_cast<double>(dy) / a;
    double t_from = 0;
    double t_to = static_cast<double>(a);
    ClipSteps(cx, ux, width_, &t_from, &t_to);
    ClipSteps(cy, uy, height_, &t_from, &t_to);
    if (t_from >= t_to) return a;
    if (pen_.width > 1) {
      // Each pixel paints a square of the pen's width around it.
      const double offset = pen_.width / 2.0 - (pen_.width - 1) / 2 - 0.5;
      cairo_move_to(cr_, cx + offset + ux * t_from, cy + offset + uy * t_from);
      cairo_line_to(cr_, cx + offset + ux * (t_to - 1),
                    cy + offset + uy * (t_to - 1));
      cairo_set_line_width(cr_, pen_.width - 2 * kInset);
      cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
      SetColor(cr_, pen_.color);
      cairo_stroke(cr_);
      return a;
    }
    // Across the minor axis the band is one pixel wide, so that it covers
    // one pixel centre per step; a sloped band moves a little toward the
    // pixel the raster takes where two are equally near.
    const bool sloped = dx != 0 && dy != 0;
    const double half = sloped ? 0.5 : 0.5 - kInset;
    // Less than the nearest decision that is not a tie: 1 / (2a) away.
    const double tie_shift = std::min(kTieShift, 0.25 / a);
    const double toward = (x_major ? uy : ux) < 0 ? -tie_shift : tie_shift;
    const double shift = sloped ? (LineTieBias(dx, dy) ? toward : -toward) : 0;
    auto band = [&](double from, double to) {
      // The band from step `from` up to step `to`.
      const double hx = x_major ? 0 : half;
      const double hy = x_major ? half : 0;
      const double sx = x_major ? 0 : shift;
      const double sy = x_major ? shift : 0;
      const double start = from - 0.5 + kInset;
      const double end = to - 0.5 - kInset;
      const double ax = cx + sx + ux * start, ay = cy + sy + uy * start;
      const double bx = cx + sx + ux * end, by = cy + sy + uy * end;
      cairo_move_to(cr_, ax - hx, ay - hy);
      cairo_line_to(cr_, bx - hx, by - hy);
      cairo_line_to(cr_, bx + hx, by + hy);
      cairo_line_to(cr_, ax + hx, ay + hy);
      cairo_close_path(cr_);
    };
    const double from = std::floor(t_from);
    const double to = std::ceil(t_to);
    if (!pen_.dotted || pen_.paint_gaps) {
      band(from, to);
      SetColor(cr_, pen_.dotted ? pen_.gap_color : pen_.color);
      cairo_fill(cr_);
      if (!pen_.dotted) return a;
    }
    // The dots: kDotOnLength steps on in every kDotPeriod, counted in whole
    // steps of the clipped line (exact integers), so the loop ends.
    const int64_t first = static_cast<int64_t>(from);
    const int64_t last = static_cast<int64_t>(to);
    const int64_t phase = (first_step + first) % kDotPeriod;
    for (int64_t s = first - phase; s < last; s += kDotPeriod) {
      const double on_from = std::max(static_cast<double>(s), from);
      const double on_to = std::min(static_cast<double>(s + kDotOnLength), to);
      if (on_from < on_to) band(on_from, on_to);
    }
    SetColor(cr_, pen_.color);
    cairo_fill(cr_);
    return a;
  }

  // Narrows [t_from, t_to) to the steps whose pixel lies near the area.
  static void ClipSteps(double c, double u, double size, double* t_from,
                        double* t_to) {
    const double lo = -kMargin - c;
    const double hi = size + kMargin - c;
    if (u == 0) {
      if (lo > 0 || hi < 0) *t_to = *t_from;
      return;
    }
    double a = lo / u, b = hi / u;
    if (a > b) std::swap(a, b);
    *t_from = std::max(*t_from, std::floor(a));
    *t_to = std::min(*t_to, std::ceil(b) + 1);
  }

  // The interior in the brush, then the border clockwise from the top-left
  // corner with one dot pattern running around it.
  void Rectangle(const Box& box, COLORREF brush) {
    const double w = box.right - box.left;
    const double h = box.bottom - box.top;
    if (w == 0 || h == 0) return;
    FillRect(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1, brush);
    const auto l = static_cast<int64_t>(box.left);
    const auto t = static_cast<int64_t>(box.top);
    const auto r = static_cast<int64_t>(box.right) - 1;
    const auto b = static_cast<int64_t>(box.bottom) - 1;
    int64_t step = Line(l, t, r + 1, t, 0);
    step += Line(r, t + 1, r, b + 1, step);
    if (h > 1) step += Line(r - 1, b, l - 1, b, step);
    if (w > 1) Line(l, b - 1, l, t, step);
  }

  // Adds the ellipse through the centres of the box's outer pixels.
  void EllipsePath(const Box& box) {
    const double rx = (box.right - box.left - 1) / 2;
    const double ry = (box.bottom - box.top - 1) / 2;
    cairo_new_sub_path(cr_);
    cairo_save(cr_);
    cairo_translate(cr_, (box.left + box.right) / 2,
                    (box.top + box.bottom) / 2);
    cairo_scale(cr_, rx, ry);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr_);
  }

  // Fills the path in the brush and strokes it in the pen.
  void FillAndStroke(COLORREF brush) {
    SetColor(cr_, brush);
    cairo_fill_preserve(cr_);
    SetColor(cr_, pen_.color);
    cairo_set_line_width(cr_, pen_.width - 2 * kInset);
    if (pen_.dotted && pen_.width == 1) {
      const double dots[] = {static_cast<double>(kDotOnLength),
                             static_cast<double>(kDotPeriod - kDotOnLength)};
      cairo_set_dash(cr_, dots, 2, 0);
    }
    cairo_stroke(cr_);
    cairo_set_dash(cr_, nullptr, 0, 0);
  }

  static bool Drawable(const Box& box) {
    return box.left > -kCoordinateLimit && box.top > -kCoordinateLimit &&
           box.right < kCoordinateLimit && box.bottom < kCoordinateLimit;
  }

  // Plays the ellipses from i on that share one brush. In a long run (a
  // cloud of markers) those that later ones of the run wholly cover in the
  // raster are left out: a million markers keep only those that show.
  size_t Ellipses(const std::vector<DisplayOp>& ops, size_t i) {
    const uint32_t brush = ops[i].arg();
    size_t end = i;
    while (end < ops.size() && ops[end].kind() == DisplayOpKind::kEllipse &&
           ops[end].arg() == brush) {
      ++end;
    }
    const std::vector<bool> shown = ShownEllipses(ops, i, end);
    for (size_t k = i; k < end; ++k) {
      if (shown.empty() || shown[k - i]) OneEllipse(DeviceBox(ops[k]), brush);
    }
    return end;
  }

  // Paints the run [i, end) into a raster of run numbers (1 + the index in
  // the run) by the raster's own rules; returns which numbers are left, or
  // nothing for a short run.
  std::vector<bool> ShownEllipses(const std::vector<DisplayOp>& ops, size_t i,
                                  size_t end) const {
    if (end - i < kCulledRun) return {};
    Raster numbers(static_cast<int>(width_), static_cast<int>(height_), 0);
    for (size_t k = i; k < end; ++k) {
      Stroke pen = pen_;
      pen.color = static_cast<COLORREF>(k - i + 1);
      pen.gap_color = pen.color;
      const Box box = DeviceBox(ops[k]);
      DrawEllipse(numbers, pen, pen.color,
                  ShapeBox{static_cast<int64_t>(box.left),
                           static_cast<int64_t>(box.top),
                           static_cast<int64_t>(box.right),
                           static_cast<int64_t>(box.bottom)});
    }
    std::vector<bool> shown(end - i, false);
    for (int y = 0; y < numbers.height(); ++y) {
      const COLORREF* row = numbers.Row(y);
      for (int x = 0; x < numbers.width(); ++x) {
        if (row[x] != 0) shown[row[x] - 1] = true;
      }
    }
    return shown;
  }

  void OneEllipse(const Box& box, COLORREF brush) {
    if (box.right - box.left <= 2 || box.bottom - box.top <= 2) {
      Rectangle(box, brush);
      return;
    }
    if (!Drawable(box)) return;
    EllipsePath(box);
    FillAndStroke(brush);
  }

  // The text placed as the raster places it, glyph by glyph, in the same
  // font file, size and stretch; turned about its reference point by the
  // escapement (tenths of a degree, counter-clockwise).
  void Text(const DisplayText& text, int64_t x, int64_t y) {
    PlacedText placed;
    if (!PlaceText(text.font, x, y, text.text.data(),
                   static_cast<int>(text.text.size()), text.align, &placed)) {
      return;
    }
    cairo_font_face_t* face = Face(placed.font->file());
    if (face == nullptr) return;
    cairo_save(cr_);
    cairo_translate(cr_, static_cast<double>(x), static_cast<double>(y));
    cairo_rotate(cr_, -text.font.escapement * kPi / 1800.0);
    const double left = static_cast<double>(placed.left - x);
    const double baseline = static_cast<double>(placed.baseline - y);
    if (text.opaque) {
      SetColor(cr_, text.background);
      cairo_rectangle(cr_, left, baseline - placed.extent.ascent,
                      placed.extent.width,
                      placed.extent.ascent + placed.extent.descent);
      cairo_fill(cr_);
    }
    cairo_set_font_face(cr_, face);
    cairo_matrix_t size;
    const double ppem = placed.font->ppem();
    cairo_matrix_init(&size, ppem * placed.font->x_scale(), 0, 0, ppem, 0, 0);
    cairo_set_font_matrix(cr_, &size);
    std::vector<cairo_glyph_t> glyphs;
    for (const PlacedText::Glyph& glyph : placed.glyphs) {
      glyphs.push_back({placed.font->Glyph(glyph.code).index,
                        static_cast<double>(glyph.pen_x - x), baseline});
    }
    SetColor(cr_, text.color);
    cairo_show_glyphs(cr_, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(cr_);
  }

  // Returns cairo's face of the font file, opened once per replay.
  cairo_font_face_t* Face(const FontFile& file) {
    auto key = std::make_pair(file.path, file.index);
    auto found = faces_.find(key);
    if (found != faces_.end()) return found->second.get();
    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FILE,
                       reinterpret_cast<const FcChar8*>(file.path.c_str()));
    FcPatternAddInteger(pattern.get(), FC_INDEX, file.index);
    FacePtr& face = faces_[key];
    face.reset(cairo_ft_font_face_create_for_pattern(pattern.get()));
    if (cairo_font_face_status(face.get()) != CAIRO_STATUS_SUCCESS) {
      face.reset();
    }
    return face.get();
  }

  cairo_t* cr_;
  const DisplayList& list_;
  double width_;
  double height_;
  int64_t origin_x_ = 0;
  int64_t origin_y_ = 0;
  Stroke pen_;
  std::map<std::pair<std::string, int>, FacePtr> faces_;
};

SurfacePtr MakeSurface(PictureFormat format, double width, double height,
                       const std::string& path) {
  switch (format) {
    case PictureFormat::kSvg: {
      SurfacePtr svg(cairo_svg_surface_create(path.c_str(), width, height));
      // Sized in pixels, as the PNG is, rather than in points.
      cairo_svg_surface_set_document_unit(svg.get(), CAIRO_SVG_UNIT_PX);
      return svg;
    }
    case PictureFormat::kPdf:
      return SurfacePtr(cairo_pdf_surface_create(path.c_str(), width, height));
    case PictureFormat::kPng:
      return SurfacePtr(cairo_image_surface_create(
          CAIRO_FORMAT_RGB24, static_cast<int>(std::lround(width)),
          static_cast<int>(std::lround(height))));
  }
  return nullptr;
}

}  // namespace

bool ExportPicture(const WindowState& window, PictureFormat format,
                   double scale, const std::string& path) {
  if (!window.display.complete() || !(scale > 0) || !std::isfinite(scale)) {
    return false;
  }
  const double width = window.raster.width() * scale;
  const double height = window.raster.height() * scale;
  if (width < 1 || height < 1 || width > 32767 || height > 32767) return false;
  SurfacePtr surface = MakeSurface(format, width, height, path);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return false;
  }
  {
    ContextPtr cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), scale, scale);
    // At one output pixel per window pixel the shapes keep the raster's
    // hard edges; scaled pictures are smoothed.
    const bool exact = format == PictureFormat::kPng && scale == 1;
    cairo_set_antialias(cr.get(),
                        exact ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr.get(), options);
    cairo_font_options_destroy(options);
    Replay(cr.get(), window).Run(window.background);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return false;
  }
  if (format == PictureFormat::kPng) {
    return cairo_surface_write_to_png(surface.get(), path.c_str()) ==
           CAIRO_STATUS_SUCCESS;
  }
  cairo_surface_finish(surface.get());
  return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}
