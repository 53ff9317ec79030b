// The station dialog inside the real DLL: what it shows when it opens, what
// OK and Cancel leave in the settings file, and the Cabrillo file and
// message of the next result request.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32_handles.h"
#include "resources/resource.h"
#include "station_session.h"
#include "tests/wine/scratch_folder.h"
#include "window_driver_win.h"

namespace dialog_test {
namespace {

constexpr const char* kIniPath = "Plugins\\KESTREL-RTTY.ini";
constexpr const char* kOwnCall = "UA3ABC";
constexpr const char* kOwnPrefix = "UA";
// The station dialog by its caption alone: the layout test may not presume
// which controls it has.
constexpr host::DialogSign kStationDialog{L"KESTREL-RTTY"};
constexpr DWORD kWindowTimeoutMs = 10000;

// The fields the dialog binds to the station data, each with the label the
// operator reads beside it and the kind of control that holds it.
struct BoundField {
  int id;
  const char* label;
  const char* className;
};

constexpr std::array<BoundField, 16> kBoundFields = {{
    {IDC_CONTEST, "CONTEST", "Edit"},
    {IDC_CALLSIGN, "CALLSIGN", "Edit"},
    {IDC_CLAIMED, "CLAIMED", "Edit"},
    {IDC_CATEGORY_OPERATOR, "CATEGORY-OPERATOR", "ComboBox"},
    {IDC_LOCATION, "LOCATION", "Edit"},
    {IDC_CATEGORY_BAND, "CATEGORY-BAND", "ComboBox"},
    {IDC_CATEGORY_TRANSMITTER, "CATEGORY-TRANSMITTER", "ComboBox"},
    {IDC_NAME, "NAME", "Edit"},
    {IDC_ADDRESS, "ADDRESS", "Edit"},
    {IDC_ADDRESS_CITY, "ADDRESS-CITY", "Edit"},
    {IDC_ADDRESS_POSTALCODE, "ADDRESS-POSTALCODE", "Edit"},
    {IDC_ADDRESS_COUNTRY, "ADDRESS-COUNTRY", "Edit"},
    {IDC_OPERATORS, "OPERATORS", "Edit"},
    {IDC_CLUB, "CLUB", "Edit"},
    {IDC_SOAPBOX, "SOAPBOX", "Edit"},
    {IDC_EMAIL, "E-MAIL", "Edit"},
}};

// Tab reaches only the fields an operator usually changes, in this order.
const std::vector<int> kTabCycle = {IDC_CATEGORY_OPERATOR, IDC_LOCATION, IDC_CATEGORY_BAND,
                                    IDC_SOAPBOX};

// A child window of the open dialog as it stands: the dialog keeps its
// children in template order.
struct ChildSeen {
  int id = 0;
  std::string className;
  std::string text;
  LONG style = 0;
  RECT rect{};  // in the dialog's client coordinates
};

struct LayoutSeen {
  bool found = false;
  SIZE client{};
  std::vector<ChildSeen> children;  // in template order
  std::vector<int> tabCycle;        // the ids Tab visits, from the first tab stop round
};

ChildSeen ReadChild(HWND dialog, HWND child) {
  ChildSeen seen;
  seen.id = GetDlgCtrlID(child);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  seen.className = name;
  seen.text = host::TextOf(child);
  seen.style = GetWindowLongA(child, GWL_STYLE);
  GetWindowRect(child, &seen.rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&seen.rect), 2);
  return seen;
}

std::vector<int> TabCycle(HWND dialog, std::size_t childCount) {
  std::vector<int> cycle;
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  HWND item = first;
  // A broken cycle must not loop for ever: no cycle is longer than the children.
  while (item != nullptr && cycle.size() <= childCount) {
    cycle.push_back(GetDlgCtrlID(item));
    item = GetNextDlgTabItem(dialog, item, FALSE);
    if (item == first) break;
  }
  return cycle;
}

LayoutSeen ReadLayout(HWND dialog) {
  LayoutSeen layout;
  layout.found = true;
  RECT client{};
  GetClientRect(dialog, &client);
  layout.client = {client.right, client.bottom};
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    layout.children.push_back(ReadChild(dialog, child));
  }
  layout.tabCycle = TabCycle(dialog, layout.children.size());
  return layout;
}

// Opens the station dialog through an output-mode reset, reads its layout
// and cancels it.
LayoutSeen OpenAndReadLayout(StatsModule& module) {
  LayoutSeen layout;
  host::RunWithHelper([&] { module.ResetStats(1, kOwnCall, kOwnPrefix); },
                      [&] {
                        HWND dialog = host::WaitForDialog(kStationDialog, kWindowTimeoutMs);
                        if (dialog == nullptr) return;
                        layout = ReadLayout(dialog);
                        host::Press(dialog, IDCANCEL);
                      });
  return layout;
}

std::vector<ChildSeen>::const_iterator FindChild(const std::vector<ChildSeen>& children, int id) {
  return std::find_if(children.begin(), children.end(),
                      [id](const ChildSeen& child) { return child.id == id; });
}

std::ptrdiff_t CountChildren(const std::vector<ChildSeen>& children, int id) {
  return std::count_if(children.begin(), children.end(),
                       [id](const ChildSeen& child) { return child.id == id; });
}

bool SameClass(const std::string& seen, const char* expected) {
  return lstrcmpiA(seen.c_str(), expected) == 0;
}

bool SharesALine(const RECT& a, const RECT& b) { return a.top < b.bottom && b.top < a.bottom; }

// Reading order, left to right along a line, then line by line down.
bool ComesAfter(const RECT& next, const RECT& previous) {
  return next.top >= previous.bottom ||
         (SharesALine(next, previous) && next.left >= previous.right);
}

std::string Named(const ChildSeen& child) {
  return child.className + " " + std::to_string(child.id) + " \"" + child.text + "\"";
}

struct ExpectedText {
  int id;
  const char* name;
  const char* text;
};

// What the operator types in the confirmed runs; the band is picked from
// the list's texts and the claimed score is edited (and must be dropped).
const OperatorActions kTypedAndConfirmed = {
    {{IDC_CALLSIGN, "UA3ABC"},
     {IDC_CLAIMED, "999"},
     {IDC_CATEGORY_OPERATOR, "CHECKLOG"},
     {IDC_LOCATION, "MOS"},
     {IDC_CATEGORY_BAND, "80M"},
     {IDC_NAME, "Ivan Petrov"},
     {IDC_ADDRESS, "Lenina 1"},
     {IDC_ADDRESS_CITY, "Moscow"},
     {IDC_ADDRESS_POSTALCODE, "101000"},
     {IDC_ADDRESS_COUNTRY, "Russia"},
     {IDC_OPERATORS, "UA3ABC UA3XYZ"},
     {IDC_CLUB, "Radio Club"},
     {IDC_SOAPBOX, "first line\r\nsecond line"},
     {IDC_EMAIL, "ua3abc@example.org"}},
    IDOK};

// The settings file after kTypedAndConfirmed: keys in the order they are
// written, the soapbox on one line; the reset's own "Start" key follows.
constexpr const char* kIniAfterConfirm =
    "[Settings]\r\n"
    "Band=80M\r\n"
    "Power=\r\n"
    "Operators=UA3ABC UA3XYZ\r\n"
    "Name=Ivan Petrov\r\n"
    "Address=Lenina 1\r\n"
    "Address-City=Moscow\r\n"
    "Address-PostalCode=101000\r\n"
    "Address-Country=Russia\r\n"
    "Category=CHECKLOG\r\n"
    "Contest=KESTREL-RTTY\r\n"
    "Email=ua3abc@example.org\r\n"
    "Club=Radio Club\r\n"
    "SoapBox=first line<CR><LF>second line\r\n"
    "Loc=MOS\r\n"
    "Start=0\r\n";

// 16 March 2024 21:05 and 21:17 UTC as OLE dates.
constexpr double kFirstQsoTime = 45367.878472222219;
constexpr double kSecondQsoTime = 45367.886805555558;

// Both in RTTY with 599 either way, without a comment.
const std::array<Qso, 2> kQsos = {
    Qso{.call = "RA3DX", .time = {kFirstQsoTime, host::DateTime::kValid}, .freqHz = 3580000,
        .sent = "001", .rcvd = "AF", .countryPrefix = "UA", .extra = "", .band = "80m"},
    Qso{.call = "DL1ABC", .time = {kSecondQsoTime, host::DateTime::kValid}, .freqHz = 7035000,
        .sent = "002", .rcvd = "15", .countryPrefix = "DL", .extra = "", .band = "40m"},
};

std::string ExpectedQsoLines(const std::string& stationCall) {
  char line[2][160];
  snprintf(line[0], sizeof line[0], "QSO:  3580 RY 2024-03-16 2105 %-13s 599 001    RA3DX         599 AF\r\n",
           stationCall.c_str());
  snprintf(line[1], sizeof line[1], "QSO:  7035 RY 2024-03-16 2117 %-13s 599 002    DL1ABC        599 15\r\n",
           stationCall.c_str());
  return std::string(line[0]) + line[1];
}

class StationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.IsReady()) << "no scratch working directory";
    ASSERT_TRUE(m_module.Loaded()) << "cannot load " << m_module.Path();
  }

  ResetSeen Reset(const std::string& ownCall, const OperatorActions& actions) {
    ResetSeen seen = ResetWithDialog(m_module, ownCall, actions);
    EXPECT_TRUE(seen.dialog.found) << "no station dialog for own call '" << ownCall << "'";
    return seen;
  }

  void AddQsos(const std::string& ownCall) {
    for (const Qso& qso : kQsos) {
      EXPECT_EQ(m_module.AddData(ownCall, qso), 1) << "QSO with " << qso.call << " refused";
    }
  }

  host::ScratchFolder m_dir;
  StatsModule m_module;
};

void ExpectTexts(const DialogState& dialog, const std::vector<ExpectedText>& expected,
                 const char* situation) {
  for (const ExpectedText& entry : expected) {
    auto control = dialog.controls.find(entry.id);
    ASSERT_NE(control, dialog.controls.end()) << situation << ": no control " << entry.name;
    EXPECT_EQ(control->second.text, entry.text) << situation << ": control " << entry.name;
  }
}

TEST_F(StationDialogTest, TemplateHasCaptionAndFrameStyles) {
  const ResetSeen seen = Reset(kOwnCall, {{}, IDCANCEL});
  const DialogState& dialog = seen.dialog;
  ASSERT_TRUE(dialog.found);
  EXPECT_EQ(dialog.caption, "KESTREL-RTTY");
  constexpr std::array<DWORD, 6> kDialogStyles = {
      DS_MODALFRAME, WS_POPUP, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX};
  for (DWORD style : kDialogStyles) {
    EXPECT_EQ(static_cast<DWORD>(dialog.style) & style, style)
        << "dialog style bit 0x" << std::hex << style;
  }
}

// Every field the dialog exchanges data with is there, of the kind the
// exchange expects, with its label just before it in the template and
// standing to its left on the same line.
TEST_F(StationDialogTest, EveryBoundFieldIsShownWithItsClassAndLabel) {
  const LayoutSeen layout = OpenAndReadLayout(m_module);
  ASSERT_TRUE(layout.found) << "no station dialog";
  const std::vector<ChildSeen>& children = layout.children;
  for (const BoundField& field : kBoundFields) {
    const auto at = FindChild(children, field.id);
    ASSERT_NE(at, children.end()) << "no control for " << field.label;
    EXPECT_EQ(CountChildren(children, field.id), 1) << "controls with the id of " << field.label;
    EXPECT_TRUE(SameClass(at->className, field.className))
        << field.label << " is a " << at->className;
    ASSERT_NE(at, children.begin()) << field.label << " has nothing before it";
    const ChildSeen& label = *std::prev(at);
    EXPECT_TRUE(SameClass(label.className, "Static"))
        << "before " << field.label << ": " << Named(label);
    EXPECT_EQ(label.text, field.label) << "label before " << Named(*at);
    EXPECT_LE(label.rect.right, at->rect.left) << "label " << field.label << " left of its field";
    EXPECT_TRUE(SharesALine(label.rect, at->rect)) << "label " << field.label << " on its line";
  }
  for (const auto& [id, text] : {std::pair{IDOK, "OK"}, std::pair{IDCANCEL, "CANCEL"}}) {
    const auto button = FindChild(children, id);
    ASSERT_NE(button, children.end()) << "no button " << text;
    EXPECT_TRUE(SameClass(button->className, "Button")) << Named(*button);
    EXPECT_EQ(button->text, text) << "button " << id;
  }
}

TEST_F(StationDialogTest, ControlsLieInsideTheClientAreaWithoutOverlapping) {
  const LayoutSeen layout = OpenAndReadLayout(m_module);
  ASSERT_TRUE(layout.found) << "no station dialog";
  ASSERT_FALSE(layout.children.empty());
  const RECT client{0, 0, layout.client.cx, layout.client.cy};
  for (std::size_t i = 0; i < layout.children.size(); ++i) {
    const ChildSeen& child = layout.children[i];
    RECT inside{};
    IntersectRect(&inside, &child.rect, &client);
    EXPECT_TRUE(EqualRect(&inside, &child.rect) && !IsRectEmpty(&child.rect))
        << Named(child) << " at " << child.rect.left << "," << child.rect.top << " to "
        << child.rect.right << "," << child.rect.bottom << " in a client area of " << client.right
        << " x " << client.bottom;
    for (std::size_t j = i + 1; j < layout.children.size(); ++j) {
      const ChildSeen& other = layout.children[j];
      RECT common{};
      EXPECT_FALSE(IntersectRect(&common, &child.rect, &other.rect))
          << Named(child) << " overlaps " << Named(other);
    }
  }
}

// The template lists the controls as they are read, so Tab moves forward
// through the form; it stops only at the fields of kTabCycle.
TEST_F(StationDialogTest, ControlsFollowReadingOrderAndTabVisitsTheTabStopsInIt) {
  const LayoutSeen layout = OpenAndReadLayout(m_module);
  ASSERT_TRUE(layout.found) << "no station dialog";
  for (std::size_t i = 1; i < layout.children.size(); ++i) {
    EXPECT_TRUE(ComesAfter(layout.children[i].rect, layout.children[i - 1].rect))
        << Named(layout.children[i]) << " stands before " << Named(layout.children[i - 1]);
  }
  EXPECT_EQ(layout.tabCycle, kTabCycle) << "ids met by Tab from the first tab stop";
}

TEST_F(StationDialogTest, SoapboxAddressAndTransmitterFieldsBehaveAsDesigned) {
  const ResetSeen seen = Reset(kOwnCall, {{}, IDCANCEL});
  const DialogState& dialog = seen.dialog;
  ASSERT_TRUE(dialog.found);
  EXPECT_EQ(dialog.controls.at(IDC_SOAPBOX).style & (ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL),
            ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL)
      << "SOAPBOX: multi-line, Enter breaks the line, vertical scroll bar";
  for (int id : {IDC_ADDRESS, IDC_ADDRESS_CITY, IDC_ADDRESS_POSTALCODE, IDC_ADDRESS_COUNTRY}) {
    EXPECT_EQ(dialog.controls.at(id).style & ES_AUTOHSCROLL, 0) << "address control " << id;
  }
  EXPECT_EQ(dialog.controls.at(IDC_CATEGORY_TRANSMITTER).style & CBS_SORT, CBS_SORT)
      << "CATEGORY-TRANSMITTER sorted";
  // The contest has one transmitter category: the field and its label are
  // shown but cannot be changed; every other field can.
  for (const BoundField& field : kBoundFields) {
    const bool enabled = (dialog.controls.at(field.id).style & WS_DISABLED) == 0;
    EXPECT_EQ(enabled, field.id != IDC_CATEGORY_TRANSMITTER) << field.label << " enabled";
  }
  ASSERT_EQ(dialog.labelsEnabled.count("CATEGORY-TRANSMITTER"), 1u) << "transmitter label";
  EXPECT_FALSE(dialog.labelsEnabled.at("CATEGORY-TRANSMITTER")) << "transmitter label disabled";
}

TEST_F(StationDialogTest, ComboListsHoldTheirEntriesInOrder) {
  const ResetSeen seen = Reset(kOwnCall, {{}, IDCANCEL});
  ASSERT_TRUE(seen.dialog.found);
  const std::vector<std::pair<int, std::vector<std::string>>> lists = {
      {IDC_CATEGORY_OPERATOR, {"SINGLE-OP", "CHECKLOG"}},
      {IDC_CATEGORY_BAND, {"ALL", "160M", "80M", "40M", "20M", "15M", "10M"}},
      {IDC_CATEGORY_TRANSMITTER, {"ONE"}},
  };
  for (const auto& [id, entries] : lists) {
    EXPECT_EQ(seen.dialog.controls.at(id).entries, entries) << "list of combo " << id;
  }
}

TEST_F(StationDialogTest, WithoutSettingsOpensWithCallAndFixedCategories) {
  const ResetSeen seen = Reset(kOwnCall, {{}, IDCANCEL});
  ExpectTexts(seen.dialog,
              {{IDC_CONTEST, "CONTEST", "KESTREL-RTTY"},
               {IDC_CALLSIGN, "CALLSIGN", "UA3ABC"},
               {IDC_CLAIMED, "CLAIMED", ""},
               {IDC_CATEGORY_OPERATOR, "CATEGORY-OPERATOR", "SINGLE-OP"},
               {IDC_LOCATION, "LOCATION", ""},
               {IDC_CATEGORY_BAND, "CATEGORY-BAND", "ALL"},
               // An empty field selects the first entry that begins with it.
               {IDC_CATEGORY_TRANSMITTER, "CATEGORY-TRANSMITTER", "ONE"},
               {IDC_NAME, "NAME", ""},
               {IDC_ADDRESS, "ADDRESS", ""},
               {IDC_ADDRESS_CITY, "ADDRESS-CITY", ""},
               {IDC_ADDRESS_POSTALCODE, "ADDRESS-POSTALCODE", ""},
               {IDC_ADDRESS_COUNTRY, "ADDRESS-COUNTRY", ""},
               {IDC_OPERATORS, "OPERATORS", "UA3ABC"},
               {IDC_CLUB, "CLUB", ""},
               {IDC_SOAPBOX, "SOAPBOX", ""},
               {IDC_EMAIL, "E-MAIL", ""}},
              "first opening");
  EXPECT_EQ(seen.returned, 1) << "ResetStats0 result";
}

TEST_F(StationDialogTest, OkSavesEveryKeyInWriteOrderAndReopensWithThem) {
  Reset(kOwnCall, kTypedAndConfirmed);
  EXPECT_TRUE(m_dir.Exists(kIniPath)) << kIniPath;
  EXPECT_EQ(m_dir.Read(kIniPath), kIniAfterConfirm) << "settings after OK";

  const ResetSeen again = Reset(kOwnCall, {{}, IDCANCEL});
  ExpectTexts(again.dialog,
              {{IDC_CONTEST, "CONTEST", "KESTREL-RTTY"},
               {IDC_CALLSIGN, "CALLSIGN", "UA3ABC"},
               {IDC_CLAIMED, "CLAIMED", ""},
               {IDC_CATEGORY_OPERATOR, "CATEGORY-OPERATOR", "SINGLE-OP"},
               {IDC_LOCATION, "LOCATION", "MOS"},
               {IDC_CATEGORY_BAND, "CATEGORY-BAND", "ALL"},
               {IDC_NAME, "NAME", "Ivan Petrov"},
               {IDC_ADDRESS, "ADDRESS", "Lenina 1"},
               {IDC_ADDRESS_CITY, "ADDRESS-CITY", "Moscow"},
               {IDC_ADDRESS_POSTALCODE, "ADDRESS-POSTALCODE", "101000"},
               {IDC_ADDRESS_COUNTRY, "ADDRESS-COUNTRY", "Russia"},
               {IDC_OPERATORS, "OPERATORS", "UA3ABC UA3XYZ"},
               {IDC_CLUB, "CLUB", "Radio Club"},
               {IDC_SOAPBOX, "SOAPBOX", "first line\r\nsecond line"},
               {IDC_EMAIL, "E-MAIL", "ua3abc@example.org"}},
              "second opening");
}

TEST_F(StationDialogTest, CancelLeavesTheSettingsFileUntouched) {
  const std::string before =
      "[Settings]\r\nName=Old Name\r\nClaimed=77\r\nSoapBox=a<CR><LF>b\r\nBand=40M\r\n";
  m_dir.Write(kIniPath, before);
  OperatorActions typedThenCancelled = kTypedAndConfirmed;
  typedThenCancelled.button = IDCANCEL;
  const ResetSeen seen = Reset(kOwnCall, typedThenCancelled);
  ExpectTexts(seen.dialog,
              {{IDC_NAME, "NAME", "Old Name"},
               {IDC_CLAIMED, "CLAIMED", "77"},
               {IDC_SOAPBOX, "SOAPBOX", "a\r\nb"},
               {IDC_CATEGORY_BAND, "CATEGORY-BAND", "ALL"}},
              "opening over saved settings");
  // Only the reset's own key is added, whatever the dialog's outcome.
  EXPECT_EQ(m_dir.Read(kIniPath), before + "Start=0\r\n") << "settings after Cancel";
}

TEST_F(StationDialogTest, ResultWritesTheCabrilloFileWithTwoSoapboxLines) {
  Reset(kOwnCall, kTypedAndConfirmed);
  AddQsos(kOwnCall);
  const ResultSeen result = ResultWithMessageBox(m_module);
  ASSERT_TRUE(result.boxFound) << "no \"Output\" message box";
  EXPECT_EQ(result.boxText, "File produced: UA3ABC.cbr");
  EXPECT_EQ(result.result, -1) << "GetResult0's result in output mode";
  const std::string expected =
      "START-OF-LOG: 3.0\r\n"
      "CONTEST: KESTREL-RTTY\r\n"
      "CALLSIGN: UA3ABC\r\n"
      "CATEGORY-OPERATOR: CHECKLOG\r\n"
      "CATEGORY-BAND: 80M\r\n"
      "CATEGORY-MODE: DIGI\r\n"
      "LOCATION: MOS\r\n"
      // RA3DX and DL1ABC are both outside Moscow, UA3ABC inside: 5 + 5
      // points times one district (AF on 80m).
      "CLAIMED-SCORE: 10\r\n"
      "CLUB: Radio Club\r\n"
      "CREATED-BY: Orvo \r\n"
      "NAME: Ivan Petrov\r\n"
      "ADDRESS: Lenina 1\r\n"
      "ADDRESS-CITY: Moscow\r\n"
      "ADDRESS-POSTALCODE: 101000\r\n"
      "ADDRESS-COUNTRY: Russia\r\n"
      "E-MAIL: ua3abc@example.org\r\n"
      "SOAPBOX: first line\r\n"
      "SOAPBOX: second line\r\n" +
      ExpectedQsoLines("UA3ABC") + "END-OF-LOG:\r\n";
  EXPECT_EQ(m_dir.Read("UA3ABC.cbr"), expected) << "UA3ABC.cbr";
}

// The file is named after the own call the reset received, whatever the
// operator types into CALLSIGN.
struct FileNameCase {
  const char* ownCall;
  const char* fileName;
};

class CabrilloFileNameTest : public StationDialogTest,
                             public ::testing::WithParamInterface<FileNameCase> {};

TEST_P(CabrilloFileNameTest, MessageNamesTheFileWritten) {
  const FileNameCase& param = GetParam();
  Reset(param.ownCall, {{}, IDOK});
  AddQsos(param.ownCall);
  const ResultSeen result = ResultWithMessageBox(m_module);
  ASSERT_TRUE(result.boxFound) << "own call '" << param.ownCall << "': no message box";
  EXPECT_EQ(result.boxText, std::string("File produced: ") + param.fileName)
      << "own call '" << param.ownCall << "'";
  const std::string text = m_dir.Read(param.fileName);
  EXPECT_NE(text.find(std::string("\r\nCALLSIGN: ") + param.ownCall + "\r\n"), std::string::npos)
      << "own call '" << param.ownCall << "': CALLSIGN line of " << param.fileName;
  EXPECT_NE(text.find(ExpectedQsoLines(param.ownCall)), std::string::npos)
      << "own call '" << param.ownCall << "': QSO lines of " << param.fileName;
}

INSTANTIATE_TEST_SUITE_P(OwnCalls, CabrilloFileNameTest,
                         ::testing::Values(FileNameCase{"UA3ABC/P", "UA3ABC_P.cbr"},
                                           FileNameCase{"", "NOVL.cbr"}),
                         [](const ::testing::TestParamInfo<FileNameCase>& info) {
                           std::string name = info.param.fileName;
                           for (char& c : name) {
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

TEST_F(StationDialogTest, UnwritableFileIsReportedWithItsNameAndReason) {
  ASSERT_TRUE(CreateDirectoryA("UA3ABC.cbr", nullptr)) << "folder in the file's place";
  Reset(kOwnCall, {{}, IDOK});
  const ResultSeen result = ResultWithMessageBox(m_module);
  ASSERT_TRUE(result.boxFound) << "no message box for the failed file";
  EXPECT_EQ(result.boxText.find("File produced: "), std::string::npos) << result.boxText;
  const size_t name = result.boxText.find("UA3ABC.cbr");
  ASSERT_NE(name, std::string::npos) << "file name missing: " << result.boxText;
  EXPECT_GT(result.boxText.size(), name + std::string("UA3ABC.cbr").size() + 2)
      << "no reason after the file name: " << result.boxText;
}

// The settings writer does not keep a value of some tens of kilobytes
// whole: a 40,000-character name and a soapbox of 60,000 characters in its
// stored form, confirmed in the dialog, are stored cut to 4,096 characters,
// and every other key is stored as typed.
TEST_F(StationDialogTest, AFortyKilobyteValueIsShortenedAndCostsNoOtherKey) {
  OperatorActions actions = kTypedAndConfirmed;
  actions.typed[IDC_NAME] = std::string(40000, 'n');
  std::string lines, stored;
  for (int i = 0; i < 5000; ++i) lines += "line\r\n";  // 60,000 characters stored
  for (int i = 0; i < 341; ++i) stored += "line<CR><LF>";
  actions.typed[IDC_SOAPBOX] = lines;
  Reset(kOwnCall, actions);
  const std::string ini = (m_dir.Path() / kIniPath).string();
  const struct {
    const char* key;
    std::string expected;
  } keys[] = {
      {"Name", std::string(4096, 'n')},
      {"SoapBox", stored + "line"},  // 4,096 characters, markers whole
      {"Band", "80M"},
      {"Operators", "UA3ABC UA3XYZ"},
      {"Address", "Lenina 1"},
      {"Club", "Radio Club"},
      {"Email", "ua3abc@example.org"},
      {"Loc", "MOS"},
  };
  std::vector<char> value(1 << 21);
  for (const auto& k : keys) {
    const DWORD length = GetPrivateProfileStringA("Settings", k.key, "<missing>", value.data(),
                                                  static_cast<DWORD>(value.size()), ini.c_str());
    EXPECT_TRUE(std::string(value.data(), length) == k.expected)
        << "key " << k.key << ": " << length << " characters, starting \""
        << std::string(value.data(), std::min<DWORD>(length, 20)) << "\"";
  }
}

// A small disk prepared by the test runner (as root: a 64 KB tmpfs named by
// STATS_FULL_DISK_DIR as a POSIX path); the test skips without one.
std::string FullDiskFolder() {
  const char* disk = std::getenv("STATS_FULL_DISK_DIR");
  if (disk == nullptr || *disk == '\0') return std::string();
  std::string folder = std::string("Z:") + disk;
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  return folder;
}

// Writes 4 KB blocks until the disk takes no more, then gives one block back.
bool FillLeavingOneBlock(const std::string& path) {
  const stats::UniqueFile owned(stats::OrNull(CreateFileA(
      path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!owned) return false;
  HANDLE file = owned.get();
  const std::string block(4096, 'f');
  LONG size = 0;
  for (;;) {
    DWORD written = 0;
    const BOOL ok = WriteFile(file, block.data(), 4096, &written, nullptr);
    size += static_cast<LONG>(written);
    if (!ok || written < 4096) break;
  }
  const LONG kept = size >= 4096 ? (size - size % 4096) - 4096 : 0;
  const bool shrunk = SetFilePointer(file, kept, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                      SetEndOfFile(file);
  return shrunk;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An export onto a full disk must leave the previous file byte for byte and
// say what went wrong: the short write, not a reason left from an earlier
// call. No temporary file stays behind.
TEST_F(StationDialogTest, FullDiskKeepsThePreviousFileAndNamesTheShortWrite) {
  const std::string disk = FullDiskFolder();
  if (disk.empty()) GTEST_SKIP() << "no small disk: STATS_FULL_DISK_DIR is not set";
  const std::string folder = disk + "\\export-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << "folder " << folder;
  ASSERT_TRUE(CreateDirectoryA((folder + "\\Plugins").c_str(), nullptr)) << "Plugins in " << folder;
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;

  Reset(kOwnCall, {{}, IDOK});
  AddQsos(kOwnCall);
  const ResultSeen first = ResultWithMessageBox(m_module);
  EXPECT_EQ(first.boxText, "File produced: UA3ABC.cbr") << "first export";
  const std::string cbr = folder + "\\UA3ABC.cbr";
  const std::string before = ReadWhole(cbr);
  EXPECT_NE(before.find("END-OF-LOG:"), std::string::npos) << "first export's file";

  // About 16 KB of QSO lines for one free block of 4 KB and the old file's.
  for (int i = 0; i < 200; ++i) {
    Qso qso = kQsos[0];
    qso.call = "RA3" + std::string(1, static_cast<char>('A' + i / 26)) +
               static_cast<char>('A' + i % 26) + "Q";
    m_module.AddData(kOwnCall, qso);
  }
  ASSERT_TRUE(FillLeavingOneBlock(folder + "\\filler")) << "filling " << disk;
  const ResultSeen second = ResultWithMessageBox(m_module);
  DeleteFileA((folder + "\\filler").c_str());

  ASSERT_TRUE(second.boxFound) << "no message box for the export onto the full disk";
  EXPECT_EQ(second.boxText.find("File produced"), std::string::npos) << second.boxText;
  EXPECT_NE(second.boxText.find("UA3ABC.cbr"), std::string::npos) << second.boxText;
  EXPECT_TRUE(second.boxText.find("full") != std::string::npos ||
              second.boxText.find("space") != std::string::npos)
      << "the reason is not the full disk: " << second.boxText;
  EXPECT_EQ(second.boxText.find("already exists"), std::string::npos) << second.boxText;
  const std::string after = ReadWhole(cbr);
  EXPECT_TRUE(after == before) << "UA3ABC.cbr changed by the failed export: " << before.size()
                               << " bytes before, " << after.size() << " after";
  WIN32_FIND_DATAA found;
  const stats::UniqueFind search(
      stats::OrNull(FindFirstFileA((folder + "\\*.tmp*").c_str(), &found)));
  EXPECT_FALSE(search) << "left behind: " << found.cFileName;

  SetCurrentDirectoryA(previous);
  for (const char* name : {"UA3ABC.cbr", "err.txt", "Plugins\\KESTREL-RTTY.ini"}) {
    DeleteFileA((folder + "\\" + name).c_str());
  }
  RemoveDirectoryA((folder + "\\Plugins").c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace dialog_test
