// The windows at the display's scale: the RDA view's texts, drawn in their
// real font, stand apart and read as large as the caption, and every label
// fits its control. The display's scale of a wine process is fixed when it
// starts, so these tests run only through at_dpi.sh, once at each scale;
// STATS_TEST_DPI names the scale they must find.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "canvas.h"
#include "display_fixture.h"
#include "resources/resource.h"
#include "ui/rda_button_win.h"
#include "ui/rda_window_win.h"

namespace display_test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Where a text's pixels lie, relative to where it is placed, drawn alone as
// the button draws it in the current font of `fontSource`; empty (right <=
// left) when it draws none.
RECT InkBox(HDC fontSource, const std::string& text) {
  SIZE extent{};
  GetTextExtentPoint32A(fontSource, text.data(), static_cast<int>(text.size()), &extent);
  // Room for glyphs that reach out of their advances.
  const int margin = extent.cy;
  Canvas canvas(extent.cx + 2 * margin, extent.cy + 2 * margin, kWhite);
  SelectObject(canvas.Dc(), GetCurrentObject(fontSource, OBJ_FONT));
  stats::DrawButtonPicture(canvas.Dc(), {{}, {{margin, margin, text}}});
  RECT box{canvas.Width(), canvas.Height(), 0, 0};
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.Pixel(x, y) == kWhite) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  OffsetRect(&box, -margin, -margin);
  return box;
}

bool Touch(const RECT& a, const RECT& b) {
  // Boxes one pixel apart do not touch; sharing a pixel's edge does.
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

class AtDisplayScale : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    const WindowDcOwner screen;
    m_nDpi = GetDeviceCaps(screen.dc, LOGPIXELSY);
    if (const char* expected = std::getenv("STATS_TEST_DPI")) {
      ASSERT_EQ(m_nDpi, std::atoi(expected)) << "the scale this run was started at";
    }
  }

  // A size in pixels at 96 DPI, at this scale.
  int Scaled(int pixels) const { return MulDiv(pixels, m_nDpi, 96); }

  // Every two placed texts of the button's picture, drawn in the button's
  // font at this scale, stay at least one pixel apart. The button is the
  // RDA window's, as large as its template makes it at this scale.
  void ExpectTextsApart(const char* view, const stats::ButtonContent& content) {
    stats::DXCC window;
    ASSERT_TRUE(window.Create(nullptr)) << view;
    RECT client{};
    GetClientRect(window.Button(), &client);
    Canvas canvas(client.right, client.bottom);
    ASSERT_TRUE(canvas.IsReady()) << view;
    const stats::InfoButtonFont font(canvas.Dc());
    const stats::ButtonPicture picture = stats::LayoutInfoButton(
        content, {0, 0, client.right, client.bottom}, stats::MeasureCurrentFont(canvas.Dc()));
    ASSERT_GT(picture.texts.size(), 3u) << view;
    std::vector<RECT> boxes;
    for (const stats::PlacedText& placed : picture.texts) {
      RECT box = InkBox(canvas.Dc(), placed.text);
      OffsetRect(&box, placed.x, placed.y);
      boxes.push_back(box);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      for (std::size_t j = i + 1; j < boxes.size(); ++j) {
        EXPECT_FALSE(Touch(boxes[i], boxes[j]))
            << view << " at " << m_nDpi << " DPI: " << picture.texts[i].text << " and "
            << picture.texts[j].text;
      }
    }
  }

  int m_nDpi = 0;

 private:
  struct WindowDcOwner {
    HDC dc = GetDC(nullptr);
    ~WindowDcOwner() { ReleaseDC(nullptr, dc); }
  };
};

// Codes of the widest and narrowest letters, more than a line holds.
stats::TextList WideAndNarrowCodes() {
  stats::TextList codes;
  for (const char* letters : {"AB", "HT", "II", "IJ", "KA", "LN", "MM", "MW", "TV", "WW"}) {
    for (const char* digits : {"00", "11", "48", "88"}) codes.push_back(std::string(letters) + digits);
  }
  return codes;
}

TEST_F(AtDisplayScale, DistrictCodesNeverTouch) {
  stats::ButtonContent content;
  content.band = 1;
  content.sortedDistricts = WideAndNarrowCodes();
  ExpectTextsApart("district view", content);
}

TEST_F(AtDisplayScale, CallViewTextsNeverTouch) {
  stats::ButtonContent content;
  content.call = "UA9WWW/MM";
  content.band = 1;
  for (int band = 0; band < stats::kBandCount; ++band) {
    content.bandRows[band] = {std::string(stats::kBandOrder[band]), "   -", "   -", "   -"};
  }
  content.bandRows[1] = {"80m", "13:10", "MOW88", "   -"};
  content.bandRows[2] = {"40m", "23:59", "WW", "   -"};
  ExpectTextsApart("call view", content);
}

// The codes' capitals and digits stand as tall as the same text in the
// system's caption font, the window's other text, at the same scale.
TEST_F(AtDisplayScale, CodesReadAsLargeAsTheCaption) {
  Canvas canvas(8, 8);
  ASSERT_TRUE(canvas.IsReady());
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
  const stats::UniqueFont captionFont(CreateFontIndirectA(&metrics.lfCaptionFont));
  RECT caption{};
  {
    const stats::SelectGuard selected(canvas.Dc(), captionFont.get());
    caption = InkBox(canvas.Dc(), "MR05");
  }
  RECT code{};
  {
    const stats::InfoButtonFont font(canvas.Dc());
    code = InkBox(canvas.Dc(), "MR05");
  }
  const int captionHeight = caption.bottom - caption.top;
  EXPECT_GE(captionHeight, Scaled(7)) << "the caption font grows with the scale";
  EXPECT_NEAR(code.bottom - code.top, captionHeight, 1) << "at " << m_nDpi << " DPI";
}

// Every label and box text of a template shows whole at this scale: each
// static text or check box, printed as it is and printed twice as wide,
// draws the same within its width and nothing beyond it. So a text that
// is cut, or wraps onto a line of its own, is found whatever the system's
// box and spacing measure.
class TemplateTexts {
 public:
  explicit TemplateTexts(UINT templateId)
      : m_hWnd(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), nullptr,
                                  &Ignore, 0)) {}
  ~TemplateTexts() {
    if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
  }
  HWND Window() const { return m_hWnd; }

  // The controls whose text is not whole, as "id text".
  std::vector<std::string> Cut() const {
    std::vector<std::string> cut;
    EnumChildWindows(m_hWnd, &NoteCut, reinterpret_cast<LPARAM>(&cut));
    return cut;
  }

 private:
  static INT_PTR CALLBACK Ignore(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

  static bool HasLabel(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Static") == 0) return true;
    const LONG kind = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(className, L"Button") == 0 &&
           (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
            kind == BS_AUTORADIOBUTTON);
  }

  static void Print(HWND control, const Canvas& canvas) {
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
  }

  static bool ShowsWhole(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    const int width = client.right;
    const int height = client.bottom;
    Canvas asIs(width, height);
    Canvas wider(2 * width, height);
    Print(control, asIs);
    SetWindowPos(control, nullptr, 0, 0, 2 * width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Print(control, wider);
    SetWindowPos(control, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const uint32_t background = wider.Pixel(2 * width - 1, height / 2);
    if (wider.CountOtherThan({width, 0, 2 * width, height}, background) > 0) return false;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (asIs.Pixel(x, y) != wider.Pixel(x, y)) return false;
      }
    }
    return true;
  }

  static BOOL CALLBACK NoteCut(HWND control, LPARAM cut) {
    if (!HasLabel(control) || ShowsWhole(control)) return TRUE;
    wchar_t text[64] = {};
    const int length = GetWindowTextW(control, text, 64);
    std::string line = std::to_string(GetDlgCtrlID(control)) + " \"";
    for (int i = 0; i < length; ++i) line += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    reinterpret_cast<std::vector<std::string>*>(cut)->push_back(line + "\"");
    return TRUE;
  }

  HWND m_hWnd;
};

TEST_F(AtDisplayScale, EveryLabelFitsItsControl) {
  struct Case {
    const char* name;
    UINT templateId;
    bool english;  // the information window's English texts, as the window sets them
  } const cases[] = {
      {"information window, Russian", IDD_BAUD, false},
      {"information window, English", IDD_BAUD, true},
      {"Moscow-districts window", IDD_OBLAST, false},
      {"station dialog", IDD_CABRILLO, false},
  };
  for (const Case& c : cases) {
    const TemplateTexts dialog(c.templateId);
    ASSERT_NE(dialog.Window(), nullptr) << c.name;
    if (c.english) {
      SetDlgItemTextW(dialog.Window(), IDC_VIEW_LABEL, L"View");
      SetDlgItemTextW(dialog.Window(), IDC_SHOW_MOSCOW, L"Moscow region");
      SetDlgItemTextW(dialog.Window(), IDC_SHOW_RDA, L"RDA");
    }
    for (const std::string& cut : dialog.Cut()) {
      ADD_FAILURE() << c.name << " at " << m_nDpi << " DPI: " << cut;
    }
  }
}

}  // namespace
}  // namespace display_test
