#include "platform/context_table.h"

#include "platform/handle_table.h"
#include "platform/window_state.h"

namespace {

using DeviceContextTable = HandleTable<DeviceContext>;

// Set once the table exists; the construction stays out of the drawing
// calls' quick paths (see GdiObjects).
DeviceContextTable* the_contexts = nullptr;

[[gnu::noinline, gnu::cold]] DeviceContextTable* MakeContexts() {
  static auto* const table =  // never destroyed
      new DeviceContextTable(kDeviceContextHandleTag);
  the_contexts = table;
  return table;
}

DeviceContextTable& DeviceContexts() {
  DeviceContextTable* const table = the_contexts;
  return __builtin_expect(table != nullptr, 1) ? *table : *MakeContexts();
}

}  // namespace

HDC OpenDeviceContext(HWND window) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return nullptr;
  DeviceContext* context = nullptr;
  const HDC dc = HandleFromBits<HDC>(DeviceContexts().Allocate(&context));
  if (context == nullptr) return nullptr;
  context->Open(window, state);
  state->Record("GetDC");
  return dc;
}

int CloseDeviceContext(HWND window, HDC dc) {
  DeviceContext* context = FindDeviceContext(dc);
  if (context == nullptr || context->window() != window) return 0;
  if (WindowState* state = FindWindowState(window)) state->Record("ReleaseDC");
  context->Close();
  DeviceContexts().Release(HandleBits(dc));
  return 1;
}

void ForgetWindowInContexts(HWND window) {
  DeviceContexts().ForEachLive([window](DeviceContext& context) {
    if (context.window() == window) context.ForgetWindowState();
  });
}

DeviceContext* FindDeviceContext(HDC dc) {
  return DeviceContexts().Find(HandleBits(dc));
}

int OpenDeviceContextCount() {
  return static_cast<int>(DeviceContexts().live_count());
}
