#include "platform/device_context.h"

#include <climits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/afx_gdi.h"
#include "platform/canvas_test_util.h"
#include "platform/gdi32.h"
#include "platform/ledger.h"
#include "platform/user32.h"

namespace {

TEST(DeviceContextTest, FreshContextHasBlackPenAndWhiteBrush) {
  PaintSession session;
  session.dc()->Rectangle(0, 0, 4, 3);
  EXPECT_EQ(Grid(session.window(), 0, 0, 5, 4, {{kBlack, 'X'}, {kWhite, '.'}}),
            "XXXX \n"
            "X..X \n"
            "XXXX \n"
            "     \n");
}

TEST(DeviceContextTest, ViewportOriginOffsetsLaterCalls) {
  PaintSession session;
  EXPECT_EQ(session.dc()->SetViewportOrg(2, 1), CPoint(0, 0));
  session.dc()->Rectangle(0, 0, 3, 3);
  EXPECT_EQ(session.dc()->SetViewportOrg(2, 1), CPoint(2, 1));
  EXPECT_EQ(Grid(session.window(), 0, 0, 6, 5, {{kBlack, 'X'}, {kWhite, '.'}}),
            "      \n"
            "  XXX \n"
            "  X.X \n"
            "  XXX \n"
            "      \n");
}

TEST(DeviceContextTest, LinesClipAtTheWindowEdge) {
  PaintSession session(8, 8);
  CDC* dc = session.dc();
  dc->MoveTo(-5, 3);
  dc->LineTo(100, 3);
  dc->SetViewportOrg(INT_MAX, INT_MAX);  // device coordinates beyond 32 bits
  dc->MoveTo(INT_MAX, 0);
  dc->LineTo(INT_MIN, 0);
  dc->SetViewportOrg(0, 0);
  dc->MoveTo(INT_MIN, INT_MIN);
  dc->LineTo(INT_MAX, INT_MAX);
  EXPECT_EQ(Grid(session.window(), 0, 0, 8, 8, {{kBlack, 'X'}}),
            "X       \n"
            " X      \n"
            "  X     \n"
            "XXXXXXXX\n"
            "    X   \n"
            "     X  \n"
            "      X \n"
            "       X\n");
}

struct DotLineCase {
  const char* name;
  int bk_mode;
  std::vector<int> line_ends;  // x of each LineTo along row 0, from x = 0
  const char* expected;        // X pen, o background colour, ' ' untouched
};

TEST(DeviceContextTest, DottedPenFollowsLineToAndBackgroundMode) {
  const std::vector<DotLineCase> cases = {
      {"pattern restarts at each LineTo", OPAQUE, {4, 9}, "XXXoXXXoo \n"},
      {"transparent mode leaves the gaps", TRANSPARENT, {9}, "XXX   XXX \n"},
  };
  for (const DotLineCase& row : cases) {
    PaintSession session(10, 1);
    CPen pen(PS_DOT, 1, kBlack);
    CDC* dc = session.dc();
    CPen* old = dc->SelectObject(&pen);
    dc->SetBkMode(row.bk_mode);
    dc->MoveTo(0, 0);
    for (int x : row.line_ends) dc->LineTo(x, 0);
    dc->SelectObject(old);
    EXPECT_EQ(
        Grid(session.window(), 0, 0, 10, 1, {{kBlack, 'X'}, {kWhite, 'o'}}),
        row.expected)
        << row.name;
  }
}

TEST(DeviceContextTest, SelectionReturnsThePreviousObjects) {
  PaintSession session(6, 3);
  CDC* dc = session.dc();
  CPen red(PS_SOLID, 1, kRed), blue(PS_SOLID, 1, kBlue);
  CPen* stock = dc->SelectObject(&red);
  CPen* previous_red = dc->SelectObject(&blue);
  ASSERT_NE(stock, nullptr);
  ASSERT_NE(previous_red, nullptr);
  EXPECT_EQ(previous_red->m_hObject, red.m_hObject);
  // Lent wrappers stay distinct: restoring in reverse order ends at stock.
  EXPECT_EQ(dc->SelectObject(previous_red)->m_hObject, blue.m_hObject);
  EXPECT_EQ(dc->SelectObject(stock), previous_red);
  dc->MoveTo(0, 1);
  dc->LineTo(6, 1);
  EXPECT_EQ(session.window().Pixel(3, 1), kBlack);
  EXPECT_EQ(dc->SelectObject(stock->m_hObject), stock->m_hObject);
}

TEST(DeviceContextTest, HandleSelectionReturnsThePreviousHandle) {
  PaintSession session;
  const HBRUSH brush = CreateSolidBrush(kRed);
  const HGDIOBJ stock = SelectObject(session.hdc(), brush);
  ASSERT_NE(stock, nullptr);
  EXPECT_EQ(SelectObject(session.hdc(), stock), brush);
  EXPECT_EQ(SelectObject(session.hdc(), nullptr), nullptr);
  EXPECT_EQ(SelectObject(nullptr, brush), nullptr);
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(DeviceContextTest, LedgerCountsLiveObjectsAndContexts) {
  const GdiLedger before = CurrentGdiLedger();
  {
    CPen pen(PS_SOLID, 2, kRed);
    CBrush brush(kBlue);
    CFont font;
    font.Attach(CreateFontA(15, 5, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                            "Times New Roman"));
    GdiLedger expected = before;
    expected.pens += 1;
    expected.brushes += 1;
    expected.fonts += 1;
    EXPECT_EQ(CurrentGdiLedger(), expected);
  }
  EXPECT_EQ(CurrentGdiLedger(), before);
}

TEST(DeviceContextTest, LeakedPenAndContextShowInTheLedger) {
  const GdiLedger before = CurrentGdiLedger();
  CanvasWindow window(4, 4);
  const HPEN leaked_pen = CreatePen(PS_SOLID, 1, kRed);
  const HDC leaked_dc = GetDC(window.Wnd()->m_hWnd);
  GdiLedger leaked = before;
  leaked.pens += 1;
  leaked.device_contexts += 1;
  EXPECT_EQ(CurrentGdiLedger(), leaked);
  EXPECT_EQ(ReleaseDC(window.Wnd()->m_hWnd, leaked_dc), 1);
  EXPECT_TRUE(DeleteObject(leaked_pen));
  EXPECT_EQ(CurrentGdiLedger(), before);
}

TEST(DeviceContextTest, SelectedAndStockObjectsCannotBeDeleted) {
  PaintSession session;
  const GdiLedger before = CurrentGdiLedger();
  const HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  const HGDIOBJ stock = SelectObject(session.hdc(), pen);
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(stock));
  SelectObject(session.hdc(), stock);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));  // a deleted handle stays invalid
  EXPECT_EQ(CurrentGdiLedger(), before);
}

TEST(DeviceContextTest, HandlesOfOtherKindsAreRejected) {
  PaintSession session;
  const auto dc_as_object = reinterpret_cast<HGDIOBJ>(session.hdc());
  const auto window_as_dc = reinterpret_cast<HDC>(session.hwnd());
  EXPECT_FALSE(DeleteObject(dc_as_object));
  EXPECT_EQ(SelectObject(session.hdc(), dc_as_object), nullptr);
  EXPECT_EQ(CDC::FromHandle(window_as_dc), nullptr);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(session.hdc())), nullptr);
}

TEST(DeviceContextTest, ReleasedContextDeselectsItsObjects) {
  CanvasWindow window(4, 4);
  const HWND hwnd = window.Wnd()->m_hWnd;
  const HDC hdc = GetDC(hwnd);
  CPen pen(PS_SOLID, 1, kRed);
  CDC::FromHandle(hdc)->SelectObject(&pen);
  EXPECT_EQ(ReleaseDC(nullptr, hdc), 0);  // not the context's window
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 1);
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 0);
  EXPECT_EQ(CDC::FromHandle(hdc), nullptr);
  EXPECT_TRUE(pen.DeleteObject());
}

TEST(DeviceContextTest, DestroyedWindowHandleIsInvalid) {
  const GdiLedger before = CurrentGdiLedger();
  HWND hwnd;
  HDC hdc;
  {
    CanvasWindow window(4, 4);
    hwnd = window.Wnd()->m_hWnd;
    hdc = GetDC(hwnd);
  }
  RECT rect{};
  EXPECT_FALSE(GetClientRect(hwnd, &rect));
  EXPECT_EQ(GetDC(hwnd), nullptr);
  EXPECT_FALSE(InvalidateRect(hwnd, nullptr, TRUE));
  EXPECT_FALSE(UpdateWindow(hwnd));
  CDC* dc = CDC::FromHandle(hdc);
  ASSERT_NE(dc, nullptr);
  EXPECT_FALSE(dc->LineTo(3, 3));
  EXPECT_FALSE(dc->Ellipse(0, 0, 3, 3));
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 1);
  EXPECT_EQ(CurrentGdiLedger(), before);
  // A new window may reuse the slot but never the handle.
  CanvasWindow next(4, 4);
  EXPECT_NE(next.Wnd()->m_hWnd, hwnd);
  EXPECT_EQ(GetDC(hwnd), nullptr);
}

TEST(DeviceContextTest, ClientRectFollowsResize) {
  CanvasWindow window(30, 20);
  RECT rect{};
  ASSERT_TRUE(GetClientRect(window.Wnd()->m_hWnd, &rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 30);
  EXPECT_EQ(rect.bottom, 20);
  window.Resize(7, 9);
  ASSERT_TRUE(GetClientRect(window.Wnd()->m_hWnd, &rect));
  EXPECT_EQ(rect.right, 7);
  EXPECT_EQ(rect.bottom, 9);
  EXPECT_FALSE(GetClientRect(window.Wnd()->m_hWnd, nullptr));
  EXPECT_EQ(window.Pixel(7, 0), 0xFFFFFFFFu);
}

TEST(DeviceContextTest, UpdateRepaintsOnlyAfterInvalidation) {
  PaintSession session(6, 6, kGrey);
  session.dc()->Rectangle(0, 0, 6, 6);
  ASSERT_TRUE(UpdateWindow(session.hwnd()));
  EXPECT_EQ(CountPixels(session.window(), kGrey), 0);
  ASSERT_TRUE(InvalidateRect(session.hwnd(), nullptr, TRUE));
  EXPECT_EQ(CountPixels(session.window(), kGrey), 0);  // not before update
  ASSERT_TRUE(UpdateWindow(session.hwnd()));
  EXPECT_EQ(CountPixels(session.window(), kGrey), 36);
}

TEST(DeviceContextTest, MarkerCycleReusesOneSlot) {
  // What a chart does per data point; handles differ, the table does not
  // grow, and the ledger ends where it began.
  PaintSession session(16, 16);
  const GdiLedger before = CurrentGdiLedger();
  HGDIOBJ first = nullptr;
  for (int i = 0; i < 1000; ++i) {
    CPen pen;
    pen.Attach(CreatePen(PS_SOLID, 1, RGB(i % 256, 0, 0)));
    if (i == 0) {
      first = pen.m_hObject;
    } else {
      EXPECT_NE(pen.m_hObject, first) << i;
    }
    CPen* old = session.dc()->SelectObject(&pen);
    session.dc()->Ellipse(i % 12, i % 12, i % 12 + 4, i % 12 + 4);
    session.dc()->SelectObject(old);
    EXPECT_TRUE(pen.DeleteObject()) << i;
  }
  EXPECT_EQ(CurrentGdiLedger(), before);
}

}  // namespace
