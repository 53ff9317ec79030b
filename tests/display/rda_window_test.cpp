// The RDA window as a real window: where it opens, how it keeps its button
// inside the client area, what closing does, what it saves when hovered and
// how its caption reads.
#include <gtest/gtest.h>

#include <string>

#include "display_fixture.h"
#include "resources/resource.h"
#include "ui/rda_window_win.h"
#include "ui/wide_text_win.h"

namespace display_test {
namespace {

class DxccWindow : public DisplayTest {
 protected:
  void WriteSettings(const std::string& lines) {
    m_folder.Write("Plugins\\KESTREL-RTTY.ini", "[Settings]\r\n" + lines);
  }
  std::string Setting(const char* key) {
    char value[100] = {};
    GetPrivateProfileStringA("Settings", key, "", value, sizeof value,
                             ".\\Plugins\\KESTREL-RTTY.ini");
    return value;
  }
  static RECT Frame(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame;
  }
};

TEST_F(DxccWindow, OpensAtTheSavedPlaceOrTheDefault) {
  struct Case {
    const char* settings;
    int x, y;
  } const cases[] = {
      {"", 10, 400},
      {"dxcc_x=0\r\ndxcc_y=300\r\n", 10, 300},  // a saved 0 counts as none
      {"dxcc_x=123\r\ndxcc_y=45\r\n", 123, 45},
      {"dxcc_x=abc\r\n", 10, 400},
      // A place on a screen no longer there comes onto the nearest one.
      {"dxcc_x=-5000\r\ndxcc_y=100\r\n", 0, 100},
  };
  for (const Case& c : cases) {
    WriteSettings(c.settings);
    stats::DXCC window;
    ASSERT_TRUE(window.Create(nullptr)) << c.settings;
    const RECT frame = Frame(window.GetSafeHwnd());
    EXPECT_EQ(frame.left, c.x) << "settings: " << c.settings;
    EXPECT_EQ(frame.top, c.y) << "settings: " << c.settings;
    EXPECT_FALSE(IsWindowVisible(window.GetSafeHwnd())) << "the creator shows it";
    EXPECT_NE(SendMessageA(window.GetSafeHwnd(), WM_GETICON, ICON_BIG, 0), 0) << c.settings;
  }
}

// With no saved place the window opens clear of the display's windows
// already shown on its thread.
TEST_F(DxccWindow, OpensBesideAShownWindowThatCoversItsDefault) {
  HWND shown = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 300, 500, 300, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(shown, nullptr);
  stats::DXCC window;
  ASSERT_TRUE(window.Create(nullptr));
  const RECT frame = Frame(window.GetSafeHwnd());
  const RECT other = Frame(shown);
  RECT common{};
  EXPECT_FALSE(IntersectRect(&common, &frame, &other))
      << "opened at " << frame.left << ", " << frame.top;
  EXPECT_EQ(stats::g_nLastX, frame.left) << "the shared pair holds the place";
  EXPECT_EQ(stats::g_nLastY, frame.top) << "the shared pair holds the place";
  DestroyWindow(shown);
}

TEST_F(DxccWindow, ResizedWindowKeepsTheButtonFiveInside) {
  stats::DXCC window;
  ASSERT_TRUE(window.Create(nullptr));
  HWND dialog = window.GetSafeHwnd();
  RECT wanted{0, 0, 400, 200};
  AdjustWindowRectEx(&wanted, GetWindowLongA(dialog, GWL_STYLE), FALSE,
                     GetWindowLongA(dialog, GWL_EXSTYLE));
  SetWindowPos(dialog, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(dialog, &client);
  ASSERT_EQ(client.right, 400);
  ASSERT_EQ(client.bottom, 200);
  RECT button = Frame(window.Button());
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.left, 5);
  EXPECT_EQ(button.top, 5);
  EXPECT_EQ(button.right - button.left, 390);
  EXPECT_EQ(button.bottom - button.top, 190);
}

TEST_F(DxccWindow, UserCloseHidesAndKeepsTheWindow) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
  } const cases[] = {
      {"close box", WM_CLOSE, 0},
      {"Enter", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
      {"Escape", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
  };
  for (const Case& c : cases) {
    stats::DXCC window;
    ASSERT_TRUE(window.Create(nullptr)) << c.name;
    HWND dialog = window.GetSafeHwnd();
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    SendMessageA(dialog, c.message, c.wParam, 0);
    EXPECT_TRUE(IsWindow(dialog)) << c.name;
    EXPECT_FALSE(IsWindowVisible(dialog)) << c.name;
    EXPECT_EQ(window.GetSafeHwnd(), dialog) << c.name;
  }
}

TEST_F(DxccWindow, HoverSavesOnlyACoordinateThatMoved) {
  stats::DXCC window;
  ASSERT_TRUE(window.Create(nullptr));
  HWND dialog = window.GetSafeHwnd();
  SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog), HTCLIENT);
  EXPECT_EQ(Setting("dxcc_x"), "") << "unmoved from the default place";
  EXPECT_EQ(Setting("dxcc_y"), "") << "unmoved from the default place";
  SetWindowPos(dialog, nullptr, -50, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog), HTCLIENT);
  EXPECT_EQ(Setting("dxcc_x"), "-50") << "moved left";
  EXPECT_EQ(Setting("dxcc_y"), "") << "top unchanged";
}

TEST_F(DxccWindow, CaptionReadsTheCyrillicOfItsText) {
  stats::DXCC window;
  ASSERT_TRUE(window.Create(nullptr));
  // "QX9-2017 проведено с R3XYZ" in Windows-1251.
  stats::SetWindowText1251(window.GetSafeHwnd(), "QX9-2017 \xEF\xF0\xEE\xE2\xE5\xE4\xE5\xED\xEE \xF1 R3XYZ");
  wchar_t caption[64] = {};
  GetWindowTextW(window.GetSafeHwnd(), caption, 64);
  EXPECT_EQ(std::wstring(caption),
            L"QX9-2017 \u043F\u0440\u043E\u0432\u0435\u0434\u0435\u043D\u043E \u0441 R3XYZ");
}

}  // namespace
}  // namespace display_test
