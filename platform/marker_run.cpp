#include "platform/marker_run.h"

#include <optional>

#include "platform/context_table.h"
#include "platform/device_context.h"

namespace {

// A created object, destroyed at the end of the run.
class RunObject {
 public:
  explicit RunObject(HGDIOBJ handle) : handle_(handle) {}
  ~RunObject() {
    if (handle_ != nullptr) GdiObjects().Delete(handle_);
  }
  RunObject(const RunObject&) = delete;
  RunObject& operator=(const RunObject&) = delete;

  HGDIOBJ get() const { return handle_; }

 private:
  HGDIOBJ handle_;
};

// An object selected for the run; the previous one goes back at its end.
class RunSelection {
 public:
  RunSelection(DeviceContext* context, HGDIOBJ object)
      : context_(context), previous_(context->Select(object)) {}
  ~RunSelection() {
    if (previous_ != nullptr) context_->Select(previous_);
  }
  RunSelection(const RunSelection&) = delete;
  RunSelection& operator=(const RunSelection&) = delete;

  bool ok() const { return previous_ != nullptr; }

 private:
  DeviceContext* context_;
  HGDIOBJ previous_;
};

}  // namespace

bool DrawMarkerRun(CDC* dc, const PenSpec& pen, const COLORREF* fill,
                   const RECT* boxes, size_t count) {
  if (dc == nullptr) return false;
  DeviceContext* context = FindDeviceContext(dc->m_hDC);
  if (context == nullptr || !context->DrawsUnrecorded()) return false;
  GdiObjectTable& objects = GdiObjects();
  // Declared before the selections: deselected first, then destroyed.
  const RunObject own_pen(objects.CreatePen(pen));
  const RunObject own_brush(fill != nullptr ? objects.CreateBrush(*fill)
                                            : nullptr);
  if (own_pen.get() == nullptr ||
      (fill != nullptr && own_brush.get() == nullptr)) {
    return false;
  }
  const RunSelection pen_selection(context, own_pen.get());
  if (!pen_selection.ok()) return false;
  std::optional<RunSelection> brush_selection;
  if (fill != nullptr) {
    brush_selection.emplace(context, own_brush.get());
    if (!brush_selection->ok()) return false;
  }
  context->Ellipses(boxes, count);
  return true;
}
