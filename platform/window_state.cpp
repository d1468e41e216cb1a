#include "platform/window_state.h"

#include "platform/handle_table.h"

namespace {

HandleTable<WindowState*>& Windows() {
  static auto* const table =  // never destroyed
      new HandleTable<WindowState*>(kWindowHandleTag);
  return *table;
}

}  // namespace

HWND RegisterWindow(WindowState* state) {
  WindowState** slot = nullptr;
  const uintptr_t bits = Windows().Allocate(&slot);
  if (slot != nullptr) *slot = state;
  state->wnd.m_hWnd = HandleFromBits<HWND>(bits);
  return state->wnd.m_hWnd;
}

void UnregisterWindow(HWND handle) { Windows().Release(HandleBits(handle)); }

WindowState* FindWindowState(HWND handle) {
  WindowState** state = Windows().Find(HandleBits(handle));
  return state == nullptr ? nullptr : *state;
}
