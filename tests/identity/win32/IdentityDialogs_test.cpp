// The identity sheet and a person's identity and More Info dialogs on the
// resource library's templates, on a plain main window under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <map>
#include <string>
#include <vector>

#include "AppTestEnvironment.h"
#include "CIdDialog.h"
#include "CIdentityDlg.h"
#include "IIdentityHost.h"
#include "IdentityMessages.h"
#include "CPersonStateList.h"
#include "MessagePump.h"
#include "PersonIdentityDialogs.h"
#include "Pixels.h"
#include "PlainMainWnd.h"
#include "ZrProfile.h"
#include "ZrSettings.h"
#include "ZrSettingsHost.h"

namespace {

constexpr RECT kMainRect{100, 80, 740, 560};
constexpr uint32_t kPerson = 4711;

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(
    new AppTestEnvironment("Identity Dialogs", [] { return new PlainMainWnd; }, kMainRect));

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ControlText(HWND dialog, int id) { return TextOf(::GetDlgItem(dialog, id)); }
bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }
bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

void Click(HWND dialog, int id) {
  ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  Pump();
}

// Characters typed one by one into an edit, as the keyboard sends them.
void Type(HWND edit, const std::string& text) {
  for (char c : text) ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
  Pump();
}

HWND FindTopLevel(const std::string& title) {
  HWND found = nullptr;
  PumpUntil([&] { return (found = ::FindWindowA(nullptr, title.c_str())) != nullptr; });
  return found;
}

class RecordingHost : public IIdentityHost {
 public:
  bool ShowsNames() override { return showNames; }
  bool IsLocalModerator() override { return moderator; }
  HWND OwnerWindow() override { return MainWnd()->m_hWnd; }
  void SetIgnored(uint32_t person, bool ignored) override { ignoreCalls.push_back({person, ignored}); }
  void OpenSendIm(uint32_t person, const std::string& name) override { sendIm.push_back({person, name}); }
  void RequestFace(uint32_t person) override { faceRequests.push_back(person); }
  bool SendIdentityRequest(uint32_t person) override {
    requests.push_back(person);
    return canSend;
  }
  void ForgetIdentityDialog(uint32_t person, IPersonDialog* dialog) override {
    forgotten.push_back({person, dialog});
  }

  bool showNames = false;
  bool moderator = false;
  bool canSend = true;
  std::vector<std::pair<uint32_t, bool>> ignoreCalls;
  std::vector<std::pair<uint32_t, std::string>> sendIm;
  std::vector<uint32_t> requests;
  std::vector<uint32_t> faceRequests;
  std::vector<std::pair<uint32_t, IPersonDialog*>> forgotten;
};

CIdentityPerson Ann() {
  CIdentityPerson person;
  person.id = kPerson;
  person.nickname = "ann";
  person.name = "Ann Smith";
  person.location = "Oslo";
  person.email = "ann@example.com";
  person.address = 0x0100007F;
  return person;
}

// ---- Identity dialog ----------------------------------------------------------

TEST(IdentityDlgTest, ShowsThePersonAndOffersTheButtonsTheLocalUserMayUse) {
  struct Case {
    const char* what;
    bool showNames;
    bool moderator;
    bool mayReceiveIms;
    const char* caption;
  };
  const Case cases[] = {
      {"plain user", false, false, true, "ann's Identity"},
      {"moderator", false, true, true, "ann's Identity"},
      {"auditorium without messages", true, false, false, "Ann Smith's Identity"},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    host.showNames = c.showNames;
    host.moderator = c.moderator;
    CIdentityPerson person = Ann();
    person.mayReceiveIms = c.mayReceiveIms;
    CIdentityDlg dialog(host, person);
    ASSERT_TRUE(dialog.Open()) << c.what;
    Pump();
    const HWND window = dialog.m_hWnd;
    EXPECT_EQ(TextOf(window), c.caption) << c.what;
    EXPECT_EQ(ControlText(window, CIdentityLook::kHeading), "ann") << c.what;
    EXPECT_EQ(ControlText(window, CIdentityDlg::kNicknameValue), "ann");
    EXPECT_EQ(ControlText(window, CIdentityDlg::kNameValue), "Ann Smith");
    EXPECT_EQ(ControlText(window, CIdentityDlg::kLocationValue), "Oslo");
    EXPECT_EQ(ControlText(window, CIdentityDlg::kEmailValue), "ann@example.com");
    EXPECT_EQ(Visible(window, CIdentityDlg::kIpAddressButton), c.moderator) << c.what;
    EXPECT_EQ(Visible(window, CIdentityDlg::kSendImButton), c.mayReceiveIms) << c.what;
    EXPECT_EQ(::GetWindow(window, GW_OWNER), MainWnd()->m_hWnd) << c.what;
    EXPECT_EQ(host.faceRequests, std::vector<uint32_t>{kPerson}) << "the face is asked for";
    EXPECT_TRUE(host.requests.empty()) << "the About Me texts only on More Info";
  }
}

TEST(IdentityDlgTest, NicknameWiderThanTheHeadingEndsInTwoDots) {
  RecordingHost host;
  CIdentityPerson person = Ann();
  person.nickname = std::string(200, 'W');
  CIdentityDlg dialog(host, person);
  ASSERT_TRUE(dialog.Open());
  const std::string heading = ControlText(dialog.m_hWnd, CIdentityLook::kHeading);
  ASSERT_GT(heading.size(), 2u);
  EXPECT_LT(heading.size(), person.nickname.size());
  EXPECT_EQ(heading.substr(heading.size() - 2), "..");
  EXPECT_EQ(heading.substr(0, heading.size() - 2), std::string(heading.size() - 2, 'W'));
  EXPECT_EQ(ControlText(dialog.m_hWnd, CIdentityDlg::kNicknameValue), person.nickname);
}

TEST(IdentityDlgTest, IgnoreAndSendImGoToTheHost) {
  RecordingHost host;
  CIdentityDlg dialog(host, Ann());
  ASSERT_TRUE(dialog.Open());
  Click(dialog.m_hWnd, CIdentityDlg::kIgnoreCheck);
  Click(dialog.m_hWnd, CIdentityDlg::kIgnoreCheck);
  const std::vector<std::pair<uint32_t, bool>> toggles{{kPerson, true}, {kPerson, false}};
  EXPECT_EQ(host.ignoreCalls, toggles);
  dialog.SetIgnored(true);
  EXPECT_EQ(::IsDlgButtonChecked(dialog.m_hWnd, CIdentityDlg::kIgnoreCheck), BST_CHECKED);
  Click(dialog.m_hWnd, CIdentityDlg::kSendImButton);
  ASSERT_EQ(host.sendIm.size(), 1u);
  EXPECT_EQ(host.sendIm[0], std::make_pair(kPerson, std::string("ann")));
}

TEST(IdentityDlgTest, MoreInfoAsksOnceAndShowsTheTextsThatArrive) {
  RecordingHost host;
  CIdentityDlg dialog(host, Ann());
  ASSERT_TRUE(dialog.Open());
  Click(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton);
  Click(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton);
  EXPECT_EQ(host.requests, std::vector<uint32_t>{kPerson}) << "a second click sends nothing";
  EXPECT_FALSE(Enabled(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton));

  Pump(200);  // the shown dialog settles where it stands on the screen
  ASSERT_TRUE(dialog.PostIdentityTexts({"f", "chess, sailing", "pilot", "Onwards."}));
  ASSERT_TRUE(PumpUntil([&] { return dialog.GetMoreInfo() != nullptr; }));
  const HWND moreInfo = dialog.GetMoreInfo()->m_hWnd;
  EXPECT_TRUE(::IsWindowVisible(moreInfo));
  EXPECT_EQ(TextOf(moreInfo), "ann's More Info");
  RECT identityRect{};
  RECT moreInfoRect{};
  ::GetWindowRect(dialog.m_hWnd, &identityRect);
  ::GetWindowRect(moreInfo, &moreInfoRect);
  EXPECT_EQ(moreInfoRect.left, identityRect.right) << "next to the identity dialog";
  EXPECT_EQ(moreInfoRect.top, identityRect.top);
  EXPECT_EQ(ControlText(moreInfo, CMoreInfoDlg::kGender), "f");
  EXPECT_EQ(ControlText(moreInfo, CMoreInfoDlg::kHobbies), "chess, sailing");
  EXPECT_EQ(ControlText(moreInfo, CMoreInfoDlg::kOccupation), "pilot");
  EXPECT_EQ(ControlText(moreInfo, CMoreInfoDlg::kQuote), "Onwards.");
  EXPECT_FALSE(Enabled(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton));

  ::SendMessageA(moreInfo, WM_COMMAND, IDCANCEL, 0);
  Pump();
  EXPECT_FALSE(::IsWindow(moreInfo));
  EXPECT_EQ(dialog.GetMoreInfo(), nullptr);
  EXPECT_TRUE(Enabled(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton)) << "More Info can be asked again";
}

TEST(IdentityDlgTest, MoreInfoThatCouldNotBeAskedCanBeTriedAgain) {
  RecordingHost host;
  host.canSend = false;
  CIdentityDlg dialog(host, Ann());
  ASSERT_TRUE(dialog.Open());
  Click(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton);
  EXPECT_TRUE(Enabled(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton));
  host.canSend = true;
  Click(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton);
  Click(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton);
  EXPECT_EQ(host.requests, (std::vector<uint32_t>{kPerson, kPerson}));
  EXPECT_FALSE(Enabled(dialog.m_hWnd, CIdentityDlg::kMoreInfoButton));
}

TEST(IdentityDlgTest, ClosingTellsTheHostAndTakesMoreInfoAlong) {
  RecordingHost host;
  auto* dialog = new CIdentityDlg(host, Ann());
  ASSERT_TRUE(dialog->Open());
  ASSERT_TRUE(dialog->PostIdentityTexts({"m", "", "", ""}));
  ASSERT_TRUE(PumpUntil([&] { return dialog->GetMoreInfo() != nullptr; }));
  const HWND moreInfo = dialog->GetMoreInfo()->m_hWnd;
  const HWND window = dialog->m_hWnd;
  ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);  // the dialog deletes itself
  Pump();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(::IsWindow(moreInfo));
  ASSERT_EQ(host.forgotten.size(), 1u);
  EXPECT_EQ(host.forgotten[0].first, kPerson);
  EXPECT_EQ(host.forgotten[0].second, static_cast<IPersonDialog*>(dialog));
}

TEST(IdentityDlgTest, DeletedByItsListItReportsNothingAndTakesNoMoreTexts) {
  RecordingHost host;
  HWND window = nullptr;
  {
    CIdentityDlg dialog(host, Ann());
    ASSERT_TRUE(dialog.Open());
    window = dialog.m_hWnd;
    ASSERT_TRUE(dialog.PostIdentityTexts({"f", "", "", ""}));
  }  // deleted with the texts still queued: they are freed with it
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_TRUE(host.forgotten.empty()) << "a dialog deleted by its list does not report back";
  EXPECT_FALSE(PostIdentityTexts(window, {"f", "", "", ""}));
}

// An 8-bit BMP file image of one colour.
std::vector<uint8_t> SolidBmp(int width, int height, COLORREF colour) {
  const int stride = (width + 3) & ~3;
  const uint32_t bits = 14 + 40 + 256 * 4;
  std::vector<uint8_t> file(bits + static_cast<size_t>(stride * height), 0);
  auto put32 = [&file](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, bits);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  file[26] = 1;  // planes
  file[28] = 8;  // bits a pixel
  put32(46, 256);
  file[54] = GetBValue(colour);  // colour 0; every pixel is 0
  file[55] = GetGValue(colour);
  file[56] = GetRValue(colour);
  return file;
}

TEST(IdentityDlgTest, ArrivingFaceReplacesTheDefaultOneInTheFrame) {
  constexpr COLORREF kRed = RGB(255, 0, 0);
  constexpr int kSide = 30;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int redPixels;
  };
  const std::string garbage = "not a picture";
  const Case cases[] = {
      {"a picture", SolidBmp(kSide, kSide, kRed), kSide * kSide},
      {"bytes that are no picture", std::vector<uint8_t>(garbage.begin(), garbage.end()), 0},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    CIdentityDlg dialog(host, Ann());
    ASSERT_TRUE(dialog.Open());
    ::SetWindowPos(dialog.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump(200);
    RECT frame{};
    ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, CIdentityLook::kFaceFrame), &frame);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&frame), 2);
    EXPECT_EQ(CountColour(Crop(ScreenPixels(dialog.m_hWnd), frame), kRed), 0) << c.what;
    dialog.SetPicture(CTvlBlob(static_cast<uint32_t>(c.bytes.size()), c.bytes.data()));
    ::UpdateWindow(dialog.m_hWnd);
    Pump(200);
    EXPECT_EQ(CountColour(Crop(ScreenPixels(dialog.m_hWnd), frame), kRed), c.redPixels) << c.what;
  }
}

// ---- One identity dialog a person, kept in the person state list ------------------

class NoViewsHost : public IPersonStateHost {
 public:
  void ShowIgnoreState(uint32_t, int32_t) override {}
  std::unique_ptr<IPersonDialog> CreateSendImDlg(uint32_t, const std::string&) override { return nullptr; }
};

// Hands a closed dialog back to the list, as the application does.
class ListHost : public RecordingHost {
 public:
  explicit ListHost(CPersonStateList& states) : m_states(states) {}
  void ForgetIdentityDialog(uint32_t person, IPersonDialog* dialog) override {
    RecordingHost::ForgetIdentityDialog(person, dialog);
    m_states.ForgetData(person, dialog);
  }

 private:
  CPersonStateList& m_states;
};

int CountShownWindows(const std::string& title) {
  struct Search {
    std::string title;
    int count;
  } search{title, 0};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM data) {
        auto* found = reinterpret_cast<Search*>(data);
        if (::IsWindowVisible(window) && TextOf(window) == found->title) ++found->count;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.count;
}

struct PersonListFixture : testing::Test {
  NoViewsHost views;
  CPersonStateList states{views};
  ListHost host{states};
};

using PersonIdentityDialogsTest = PersonListFixture;

TEST_F(PersonIdentityDialogsTest, AskingAgainRaisesTheOneDialogOfThePerson) {
  IPersonDialog* first = OpenIdentityDialog(states, host, Ann());
  ASSERT_NE(first, nullptr);
  Pump();
  EXPECT_EQ(OpenIdentityDialog(states, host, Ann()), first);
  Pump();
  EXPECT_EQ(CountShownWindows("ann's Identity"), 1);
  EXPECT_EQ(states.Count(), 1u);
  EXPECT_EQ(host.faceRequests, std::vector<uint32_t>{kPerson}) << "only the new dialog asks";
  states.Reset();
  Pump();
  EXPECT_EQ(CountShownWindows("ann's Identity"), 0) << "the list's reset closes it";
}

TEST_F(PersonIdentityDialogsTest, TextsReachOnlyThePersonsOpenDialog) {
  const CIdentityTexts texts{"f", "chess", "pilot", "Onwards."};
  EXPECT_FALSE(GiveIdentityTexts(states, kPerson, texts)) << "no dialog yet";
  ASSERT_NE(OpenIdentityDialog(states, host, Ann()), nullptr);
  EXPECT_FALSE(GiveIdentityTexts(states, kPerson + 1, texts)) << "another person's texts";
  EXPECT_TRUE(GiveIdentityTexts(states, kPerson, texts));
  ASSERT_TRUE(PumpUntil([&] { return CountShownWindows("ann's More Info") == 1; }));
  states.Reset();
  Pump();
  EXPECT_EQ(CountShownWindows("ann's More Info"), 0);
}

TEST_F(PersonIdentityDialogsTest, ClosingTheDialogDropsTheEntryUnlessThePersonIsIgnored) {
  for (bool ignored : {false, true}) {
    IPersonDialog* dialog = OpenIdentityDialog(states, host, Ann());
    ASSERT_NE(dialog, nullptr);
    if (ignored) states.SetState(kPerson, 1);
    const HWND window = static_cast<CIdentityDlg*>(dialog)->m_hWnd;
    ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(states.GetData(kPerson), nullptr) << ignored;
    EXPECT_EQ(states.Count(), ignored ? 1u : 0u) << ignored;
    EXPECT_EQ(states.GetState(kPerson), ignored ? 1 : 0);
    EXPECT_FALSE(GiveIdentityTexts(states, kPerson, {"m", "", "", ""}));
  }
}

// ---- Identity sheet -----------------------------------------------------------

class MemoryProfile : public IZrProfile {
 public:
  std::string ReadString(const std::string&, const std::string& section, const std::string& key) override {
    return values[section + "/" + key];
  }
  int32_t ReadInt(const std::string& file, const std::string& section, const std::string& key,
                  int32_t defaultValue) override {
    const std::string text = ReadString(file, section, key);
    return text.empty() ? defaultValue : std::stoi(text);
  }
  bool WriteString(const std::string&, const std::string& section, const std::string& key,
                   const std::string& value) override {
    values[section + "/" + key] = value;
    return true;
  }
  bool DeleteKey(const std::string&, const std::string& section, const std::string& key) override {
    values.erase(section + "/" + key);
    return true;
  }
  bool HasSection(const std::string&, const std::string&) override { return true; }

  std::map<std::string, std::string> values;
};

class SheetHost : public IZrSettingsHost {
 public:
  std::string ProgramFolder() override { return "C:\\Zanthe\\"; }
  int32_t ScreenWidth() override { return 1280; }
  int32_t ScreenHeight() override { return 1024; }
  std::string ProductString(uint32_t) override { return ""; }
  std::string Text(uint32_t) override { return ""; }
  bool CanSendFiles() override { return false; }
  std::string CommunityName() override { return "Kit"; }
  bool ConnectedOwnName(std::string&) override { return false; }
};

struct SheetRun {
  std::vector<CMyInfoChange> sent;
  INT_PTR result = 0;
};

// Runs the sheet; drive() works on its window while it is up.
SheetRun RunSheet(CZrSettings& settings, bool running, bool connected,
                  const std::function<void(HWND sheet)>& drive) {
  SheetRun run;
  const CBasicInfoValues basic = CBasicInfoValues::FromSettings(settings, nullptr, nullptr);
  CIdDialog sheet(settings, basic, running, connected, false,
                  [&run](const CMyInfoChange& change) { run.sent.push_back(change); }, MainWnd());
  static const std::function<void(HWND)>* s_drive = nullptr;
  s_drive = &drive;
  ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    const HWND found = ::FindWindowA(nullptr, "My Identity");
    if (found) (*s_drive)(found);
  });
  run.result = sheet.DoModal();
  return run;
}

HWND PageEdit(HWND sheet, int id) {
  HWND found = nullptr;
  for (HWND child = ::GetWindow(sheet, GW_CHILD); child && !found; child = ::GetWindow(child, GW_HWNDNEXT))
    found = ::GetDlgItem(child, id);
  return found;
}

struct SheetFixture : testing::Test {
  SheetFixture() {
    settings.m_nickName = "ann";
    settings.m_name = "Ann Smith";
    settings.m_address = "Oslo";
    settings.m_email = "ann@example.com";
  }
  MemoryProfile profile;
  SheetHost host;
  CZrSettings settings{profile, host};
};

using IdSheetTest = SheetFixture;

TEST_F(IdSheetTest, OkStandsAloneAndTheNicknameIsFixedWhileConnected) {
  for (bool connected : {false, true}) {
    bool checked = false;
    const SheetRun run = RunSheet(settings, true, connected, [&](HWND sheet) {
      checked = true;
      EXPECT_EQ(ControlText(sheet, CIdDialog::kApplyButton), "OK");
      EXPECT_TRUE(Visible(sheet, CIdDialog::kApplyButton));
      EXPECT_TRUE(Enabled(sheet, CIdDialog::kApplyButton));
      EXPECT_FALSE(Visible(sheet, IDOK));
      EXPECT_FALSE(Visible(sheet, CIdDialog::kHelpButton));
      EXPECT_TRUE(Visible(sheet, IDCANCEL));
      const HWND nickname = PageEdit(sheet, CBasicInfo::kNicknameEdit);
      ASSERT_TRUE(nickname);
      EXPECT_EQ(TextOf(nickname), "ann");
      EXPECT_EQ(::IsWindowEnabled(nickname) != FALSE, !connected);
      EXPECT_TRUE(PageEdit(sheet, CAboutMe::kQuoteEdit)) << "both pages are made";
      ::SendMessageA(::GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(run.sent.empty());
  }
}

TEST_F(IdSheetTest, TypedTextsAreCutStoredAndOnlyTheChangedOnesSent) {
  const std::string location31 = "abcdefghijklmnopqrstuvwxyz01234";
  const std::string quote = std::string(210, 'q');
  const SheetRun run = RunSheet(settings, true, true, [&](HWND sheet) {
    HWND location = PageEdit(sheet, CBasicInfo::kLocationEdit);
    ::SetWindowTextA(location, "");
    Type(location, location31);
    EXPECT_EQ(TextOf(location), location31.substr(0, 30));
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(location, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 30u) << "the caret stays at the end";
    HWND quoteEdit = PageEdit(sheet, CAboutMe::kQuoteEdit);
    Type(quoteEdit, quote);
    EXPECT_EQ(TextOf(quoteEdit).size(), 200u);
    ::SendMessageA(::GetDlgItem(sheet, CIdDialog::kApplyButton), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(run.result, 1);
  ASSERT_EQ(run.sent.size(), 1u);
  EXPECT_FALSE(run.sent[0].name);
  EXPECT_FALSE(run.sent[0].email);
  ASSERT_TRUE(run.sent[0].location);
  EXPECT_EQ(*run.sent[0].location, location31.substr(0, 30));
  EXPECT_EQ(profile.values["Identity-Kit/Address"], location31.substr(0, 30));
  EXPECT_EQ(profile.values["Identity-Kit/Personal Quote"], quote.substr(0, 200));
  EXPECT_EQ(profile.values["Identity-Kit/NickName"], "ann");
}

TEST_F(IdSheetTest, NothingIsSentWhileTheApplicationDoesNotRun) {
  const SheetRun run = RunSheet(settings, false, false, [&](HWND sheet) {
    HWND email = PageEdit(sheet, CBasicInfo::kEmailEdit);
    ::SetWindowTextA(email, "new@example.com");
    ::SendMessageA(::GetDlgItem(sheet, CIdDialog::kApplyButton), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(run.result, 1);
  EXPECT_TRUE(run.sent.empty());
  EXPECT_EQ(profile.values["Identity-Kit/Email"], "new@example.com");
}

}  // namespace
