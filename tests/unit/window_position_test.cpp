// The rules that put a display window on the screen, and the saved places
// they start from.
#include "ui/window_position.h"

#include <gtest/gtest.h>

#include "module_fixture.h"

#include <string>
#include <vector>

namespace {

using stats::ScreenPoint;
using stats::ScreenRect;

const ScreenRect kPrimary{0, 0, 1280, 994};      // above a taskbar 30 pixels high
const ScreenRect kLeftScreen{-1200, 0, 0, 1000};  // a second screen left of it
const ScreenRect kRightScreen{1280, 0, 2560, 1024};
constexpr int kCaption = 20;

TEST(KeepOnScreen, KeepsAReachableCaptionAndMovesAnUnreachableOne) {
  struct Case {
    const char* name;
    ScreenRect window;
    std::vector<ScreenRect> screens;
    ScreenPoint at;
  } const cases[] = {
      {"on the screen", {100, 100, 500, 400}, {kPrimary}, {100, 100}},
      {"on the second screen", {-1200, 50, -800, 350}, {kPrimary, kLeftScreen}, {-1200, 50}},
      {"second screen removed", {-1200, 50, -800, 350}, {kPrimary}, {0, 50}},
      {"right of a smaller screen", {1500, 200, 1900, 500}, {kPrimary}, {880, 200}},
      {"below the work area", {100, 1100, 500, 1400}, {kPrimary}, {100, 694}},
      {"caption above the top", {100, -300, 500, 100}, {kPrimary}, {100, 0}},
      {"a sliver of caption", {1270, 100, 1670, 400}, {kPrimary}, {880, 100}},
      {"a caption's height of caption", {1260, 100, 1660, 400}, {kPrimary}, {1260, 100}},
      {"larger than the screen", {-5000, -5000, -3000, -3000}, {kPrimary}, {0, 0}},
      {"nearest of two screens", {3000, 100, 3400, 400}, {kPrimary, kRightScreen}, {2160, 100}},
      {"no screen known", {-5000, 100, -4600, 400}, {}, {-5000, 100}},
  };
  for (const Case& c : cases) {
    const ScreenPoint at = stats::KeepOnScreen(c.window, kCaption, c.screens);
    EXPECT_EQ(at.x, c.at.x) << c.name;
    EXPECT_EQ(at.y, c.at.y) << c.name;
  }
}

TEST(DefaultPlace, PreferredPlaceUnlessItCoversAnotherWindow) {
  const ScreenRect kScreen{0, 0, 1280, 1024};
  // The information window and the Moscow window as they stand at 96 and
  // at 192 DPI.
  const ScreenRect info96{10, 10, 185, 90};
  const ScreenRect info192{10, 10, 360, 140};
  const ScreenRect moscow192{10, 146, 590, 726};
  struct Case {
    const char* name;
    int width, height;
    ScreenPoint preferred;
    std::vector<ScreenRect> others;
    ScreenPoint at;
  } const cases[] = {
      {"alone", 390, 250, {10, 400}, {}, {10, 400}},
      {"clear of the others", 390, 250, {10, 400}, {info96}, {10, 400}},
      // Below the information window is nearer (0, 0) than right of it.
      {"Moscow at 96 DPI", 385, 380, {0, 0}, {info96}, {10, 96}},
      // Right of the information window and below both would cover the
      // Moscow window or leave the screen.
      {"RDA at 192 DPI", 580, 330, {10, 400}, {info192, moscow192}, {596, 146}},
      {"no free place", 1200, 1000, {10, 400}, {info192, moscow192}, {10, 400}},
  };
  for (const Case& c : cases) {
    const ScreenPoint at = stats::DefaultPlace(c.width, c.height, c.preferred, c.others, {kScreen});
    EXPECT_EQ(at.x, c.at.x) << c.name;
    EXPECT_EQ(at.y, c.at.y) << c.name;
  }
}



// A saved place: a coordinate of 0 (or none) takes the window's usual one;
// the place counts as saved when either coordinate came from the settings.
class LoadWindowPosition : public ModuleTest {};

TEST_F(LoadWindowPosition, EitherSavedCoordinateMakesTheSavedPlace) {
  struct Case {
    const char* x;  // null: the keys are missing
    const char* y;
    ScreenPoint expected;
    bool saved;
  };
  const Case cases[] = {
      {"120", "250", {120, 250}, true},
      {"0", "250", {10, 250}, true},
      {"120", "0", {120, 20}, true},
      {"0", "0", {10, 20}, false},
      {nullptr, nullptr, {10, 20}, false},
  };
  for (const Case& c : cases) {
    stats::PositionKeys keys = {"missing_x", "missing_y"};
    if (c.x != nullptr) {
      keys = stats::kBaudPositionKeys;
      platform.WriteProfileString(stats::g_strIniFile, stats::g_strIniSection, keys.x, c.x);
      platform.WriteProfileString(stats::g_strIniFile, stats::g_strIniSection, keys.y, c.y);
    }
    const stats::SavedPlace place = stats::LoadWindowPosition(platform, keys, 10, 20);
    const std::string row = std::string(c.x ? c.x : "none") + ", " + (c.y ? c.y : "none");
    EXPECT_EQ(place.point.x, c.expected.x) << row;
    EXPECT_EQ(place.point.y, c.expected.y) << row;
    EXPECT_EQ(place.saved, c.saved) << row;
  }
}

}  // namespace
