#include "platform/ledger.h"

#include "platform/context_table.h"
#include "platform/gdi_object_table.h"

GdiLedger CurrentGdiLedger() {
  const GdiObjectTable& objects = GdiObjects();
  GdiLedger ledger;
  ledger.pens = objects.live(GdiKind::kPen);
  ledger.brushes = objects.live(GdiKind::kBrush);
  ledger.fonts = objects.live(GdiKind::kFont);
  ledger.device_contexts = OpenDeviceContextCount();
  return ledger;
}
