// The call log's line format: chart tests compare against these lines.
#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/canvas_window.h"
#include "platform/afx_gdi.h"
#include "platform/canvas_test_util.h"
#include "platform/gdi32.h"
#include "platform/user32.h"

namespace {

HFONT TimesFont(int height, int width) {
  return CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                     "Times New Roman");
}

struct RecordCase {
  const char* name;
  std::function<void(CDC*)> calls;  // on a context with origin (35, 8)
  std::vector<std::string> expected;
};

TEST(RecordingTest, LogsEachCallKind) {
  const std::vector<RecordCase> cases = {
      {"move", [](CDC* dc) { dc->MoveTo(10, 20); }, {"MoveTo 10 20"}},
      {"line in the stock pen",
       [](CDC* dc) { dc->LineTo(10, 20); },
       {"LineTo 10 20 | dev 45 28 | pen solid 1 000000"}},
      {"rectangle",
       [](CDC* dc) { dc->Rectangle(0, 0, 357, 357); },
       {"Rectangle 0 0 357 357 | dev 35 8 392 365 | pen solid 1 000000 | "
        "brush FFFFFF"}},
      {"ellipse in a red pen",
       [](CDC* dc) {
         CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
         CPen* old = dc->SelectObject(&pen);
         dc->Ellipse(8, 8, 12, 12);
         dc->SelectObject(old);
       },
       {"SelectObject pen solid 1 0000FF",
        "Ellipse 8 8 12 12 | dev 43 16 47 20 | pen solid 1 0000FF | brush "
        "FFFFFF",
        "SelectObject pen solid 1 000000"}},
      {"dotted pen and brush",
       [](CDC* dc) {
         CPen pen;
         pen.Attach(CreatePen(PS_DOT, 2, RGB(100, 100, 100)));
         CBrush brush(RGB(0, 0, 255));
         CPen* old_pen = dc->SelectObject(&pen);
         CBrush* old_brush = dc->SelectObject(&brush);
         dc->SelectObject(old_brush);
         dc->SelectObject(old_pen);
       },
       {"SelectObject pen dot 2 646464", "SelectObject brush FF0000",
        "SelectObject brush FFFFFF", "SelectObject pen solid 1 000000"}},
      {"text settings",
       [](CDC* dc) {
         dc->SetTextAlign(TA_CENTER | TA_TOP);
         dc->SetBkMode(TRANSPARENT);
         dc->SetViewportOrg(1, 2);
       },
       {"SetTextAlign 6", "SetBkMode 1", "SetViewportOrg 1 2"}},
      {"text in the stock font",
       [](CDC* dc) { dc->TextOut(10, 20, "0", 1); },
       {"TextOut 10 20 \"0\" | dev 45 28 | align 0 | bkmode 2 | font "
        "\"System\" 16 0 0"}},
      {"text as given, in a chart font",
       [](CDC* dc) {
         CFont font;
         font.Attach(TimesFont(15, 5));
         CFont* old = dc->SelectObject(&font);
         dc->SetTextAlign(TA_RIGHT);
         dc->SetBkMode(TRANSPARENT);
         dc->TextOut(10, 20, CString("x \"y\""));
         dc->SelectObject(old);
       },
       {"SelectObject font \"Times New Roman\" 15 5 0", "SetTextAlign 2",
        "SetBkMode 1",
        "TextOut 10 20 \"x \"y\"\" | dev 45 28 | align 2 | bkmode 1 | font "
        "\"Times New Roman\" 15 5 0",
        "SelectObject font \"System\" 16 0 0"}},
  };
  for (const RecordCase& row : cases) {
    PaintSession session(400, 400);
    session.dc()->SetViewportOrg(35, 8);
    session.window().StartRecording();
    row.calls(session.dc());
    EXPECT_EQ(session.window().TakeRecording(), row.expected) << row.name;
  }
}

TEST(RecordingTest, LogsWindowCalls) {
  CanvasWindow window(20, 10);
  const HWND hwnd = window.Wnd()->m_hWnd;
  EXPECT_TRUE(window.TakeRecording().empty());
  ReleaseDC(hwnd, GetDC(hwnd));  // not recorded: recording is off
  window.StartRecording();
  InvalidateRect(hwnd, nullptr, TRUE);
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  const HDC hdc = GetDC(hwnd);
  ReleaseDC(hwnd, hdc);
  EXPECT_EQ(window.TakeRecording(),
            (std::vector<std::string>{"InvalidateRect erase=1",
                                      "InvalidateRect erase=0", "UpdateWindow",
                                      "GetDC", "ReleaseDC"}));
  EXPECT_TRUE(window.TakeRecording().empty());  // taking clears the log
}

}  // namespace
