#include "CLocateDlg.h"

#include "IdentityCommands.h"
#include "ZrPerson.h"

#include <algorithm>

#include "CChatWnd.h"
#include "CDataExchange.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "RoomRows.h"
#include "CZrApp.h"
#include "ZrMessageBox.h"
#include "ZrPersonDesc.h"

namespace {

constexpr UINT kBlankText = 199;
constexpr UINT kEnterNameText = 220;
constexpr UINT kClearSearchText = 249;
constexpr UINT kPrivateRoomText = 343;
constexpr UINT kJoinRowText = 414;
constexpr UINT kLobbyText = 433;
constexpr UINT kGoToPlaceText = 439;
constexpr UINT kStoppedText = 440;
constexpr UINT kNameCaption = 441;
constexpr UINT kLocationCaption = 442;
constexpr UINT kFindPeopleCaption = 443;
constexpr UINT kNickCaption = 515;
constexpr UINT kFoundText = 518;
constexpr UINT kSchemeText = 546;
constexpr char kIdCaption[] = "ID             ";
constexpr char kTooLongText[] =
    "You may not locate someone with a name that is greater than 60 charactors in length!";
constexpr int kMargin = 5;
constexpr int kGap = 10;
constexpr int kStatusHeight = 20;

int Height(const RECT& rect) { return rect.bottom - rect.top; }
int Width(const RECT& rect) { return rect.right - rect.left; }

// "%d" of a pattern replaced by a number.
std::string WithNumber(const std::string& pattern, size_t number) {
  std::string text = pattern;
  const size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(number));
  return text;
}

}  // namespace

CLocateDlg* CLocateDlg::s_current = nullptr;

BEGIN_MESSAGE_MAP(CLocateDlg, CDialog)
  ON_BN_CLICKED(CLocateDlg::kStopButton, OnStop)
  ON_BN_CLICKED(CLocateDlg::kNewSearchButton, OnNewSearch)
  ON_BN_CLICKED(CLocateDlg::kSendImButton, OnSendIm)
  ON_BN_CLICKED(CLocateDlg::kGoToPlaceButton, OnGoToPlace)
  ON_BN_CLICKED(CLocateDlg::kIdentityButton, OnViewIdentity)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CLocateDlg::CLocateDlg(CZrApp& app) : CDialog(kTemplateId), m_app(app) {}

CLocateDlg::~CLocateDlg() = default;

CLocateDlg* CLocateDlg::Raise(CZrApp& app) {
  if (s_current && ::IsWindow(s_current->m_hWnd)) {
    s_current->ShowWindow(SW_SHOWNORMAL);
    ::BringWindowToTop(s_current->m_hWnd);
    return s_current;
  }
  auto* dialog = new CLocateDlg(app);
  if (!dialog->Create(kTemplateId, app.MainFrame())) {
    delete dialog;
    return nullptr;
  }
  s_current = dialog;
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

void CLocateDlg::CloseOpen() {
  if (s_current && ::IsWindow(s_current->m_hWnd)) s_current->DestroyWindow();
  s_current = nullptr;
}

std::string CLocateDlg::Text(UINT id) const { return m_app.Boxes().LoadText(id); }

bool CLocateDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const std::string nickCaption = m_app.Resources().IsUseAvatarService() ? kIdCaption : Text(kNickCaption);
  if (!m_list.Create(this, kListPlaceholder, nickCaption, Text(kNameCaption), Text(kLocationCaption),
                     LocationTexts{Text(kPrivateRoomText), Text(kLobbyText)}))
    return false;
  m_list.SetRowHandlers([this](int32_t row) { OnRowSelected(row); }, [](int32_t) {});
  m_status.Create(this);
  if (CWnd* stop = GetDlgItem(kStopButton)) stop->EnableWindow(false);
  EnableRowButtons(false);
  Expand(false);
  CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  GotoDlgCtrl(GetDlgItem(kNameEdit));
  return false;
}

void CLocateDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kNameEdit, m_name);
  DDX_Check(dx, kExactCheck, m_exact);
  DDX_Check(dx, kCaseCheck, m_caseSensitive);
}

// Locate: the name goes to the server through the root place.
void CLocateDlg::OnOK() {
  if (!UpdateData(true)) return;
  switch (CheckLocateName(m_name)) {
    case LocateName::kEmpty:
      MessageBoxIds3Info(kBlankText, kEnterNameText, kBlankText);
      return;
    case LocateName::kTooLong:
      ::MessageBoxA(m_hWnd, kTooLongText, Text(kFindPeopleCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
      return;
    case LocateName::kValid:
      break;
  }
  CPlace* place = m_app.GetRootPlace();
  if (!place || !m_app.IsConnected()) return;
  ClearList();
  m_list.EnableWindow(false);
  if (CWnd* locate = GetDlgItem(IDOK)) locate->EnableWindow(false);
  if (CWnd* stop = GetDlgItem(kStopButton)) stop->EnableWindow(true);
  EnableRowButtons(false);
  m_request = place->SendNumberedRequest(m_name, m_caseSensitive ? 1 : 0, m_exact != 0, false);
}

bool CLocateDlg::TakeResults(uint32_t request, const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) {
  if (request == 0 || request != m_request) return false;
  m_request = 0;
  ShowResults(persons);
  return true;
}

void CLocateDlg::ShowResults(const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) {
  if (!m_expanded) Expand(true);
  m_list.EnableWindow(true);
  if (CWnd* locate = GetDlgItem(IDOK)) locate->EnableWindow(true);
  if (CWnd* stop = GetDlgItem(kStopButton)) stop->EnableWindow(false);
  ClearList();
  for (const auto& person : persons) {
    if (!person) continue;
    m_persons.push_back(CopyFoundPerson(*person));
    m_list.AddItem(m_persons.back().get());
  }
  m_list.Redraw();
  m_status.SetTimedText(WithNumber(Text(kFoundText), m_persons.size()), true, std::string());
  if (m_persons.empty()) {
    EnableRowButtons(false);
    GotoDlgCtrl(GetDlgItem(kNameEdit));
    return;
  }
  EnableRowButtons(true);
  m_list.SelectRow(0);
  OnRowSelected(0);
}

void CLocateDlg::OnStop() {
  m_request = 0;
  if (CWnd* locate = GetDlgItem(IDOK)) locate->EnableWindow(true);
  if (CWnd* stop = GetDlgItem(kStopButton)) stop->EnableWindow(false);
  m_list.EnableWindow(true);
  EnableRowButtons(false);
  GotoDlgCtrl(GetDlgItem(kNameEdit));
  m_status.SetTimedText(Text(kStoppedText), true, std::string());
}

void CLocateDlg::OnNewSearch() {
  const std::string question = Text(kClearSearchText);
  const std::string caption = Text(kFindPeopleCaption);
  if (::MessageBoxA(m_hWnd, question.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  if (m_expanded) Expand(false);
  ClearList();
  m_name.clear();
  m_exact = 0;
  m_caseSensitive = 0;
  UpdateData(false);
  EnableRowButtons(false);
  GotoDlgCtrl(GetDlgItem(kNameEdit));
}

void CLocateDlg::EnableRowButtons(bool enable) {
  for (int id : {kSendImButton, kGoToPlaceButton, kIdentityButton}) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable);
  }
}

void CLocateDlg::OnRowSelected(int32_t) {
  const CZrPersonDesc* person = SelectedPerson();
  if (!person) return;
  if (CWnd* go = GetDlgItem(kGoToPlaceButton)) {
    go->EnableWindow(!person->placeAddress.empty());
    go->SetWindowText(Text(SitsInSeatRow(*person) ? kJoinRowText : kGoToPlaceText));
  }
  const bool messages = !IsAuditoriumKind(person->placeKind) || person->flag != 0;
  if (CWnd* sendIm = GetDlgItem(kSendImButton)) sendIm->EnableWindow(messages);
}

const CZrPersonDesc* CLocateDlg::SelectedPerson() const {
  const int32_t row = m_list.GetSafeHwnd() ? m_list.GetSelected() : -1;
  return row < 0 ? nullptr : m_list.GetPerson(row);
}

void CLocateDlg::ClearList() {
  m_list.RemoveAll(true);
  m_persons.clear();
}

void CLocateDlg::OnSendIm() {
  const CZrPersonDesc* person = SelectedPerson();
  CPersonStateList* states = m_app.GetPersonStateList();
  if (person && states) states->ShowWindowFor(person->id, person->name);
}

// The local user's own row opens the identity sheet; another person's its
// identity dialog.
void CLocateDlg::OnViewIdentity() {
  const CZrPersonDesc* person = SelectedPerson();
  if (!person) return;
  CZrPerson* myself = m_app.GetMyself();
  if (myself && person->id == myself->GetId())
    RunIdentitySheet(m_app);
  else
    OpenPersonIdentity(m_app, person->id, person->name);
}

// The person's place becomes the user's: entered when it is another page.
void CLocateDlg::OnGoToPlace() {
  const CZrPersonDesc* person = SelectedPerson();
  if (!person) return;
  const std::string scheme = Text(kSchemeText);
  const std::string address = WithScheme(person->placeAddress, scheme);
  const std::string current = WithScheme(m_app.PlaceLink().GetPageUrl(), scheme);
  if (!address.empty() && address != current) {
    const uint8_t copy = IsReplicatedKind(person->placeKind) ? person->copyNumber : 1;
    m_app.Places().GoToPlace(address, copy, false);
    m_app.PlaceLink().StopVoiceSession();
  }
  OnCancel();
}

void CLocateDlg::OnCancel() {
  ClearList();
  if (CChatWnd* main = m_app.MainFrame()) ::SetActiveWindow(main->m_hWnd);
  DestroyWindow();
}

void CLocateDlg::PostNcDestroy() {
  if (s_current == this) s_current = nullptr;
  delete this;
}

// Compact: the search controls only. Expanded: sizable, with the list,
// the row buttons and the status line.
int CLocateDlg::CompactHeight() const {
  RECT locate{};
  if (CWnd* button = GetDlgItem(IDOK)) {
    button->GetWindowRect(&locate);
    ScreenToClient(&locate);
  }
  RECT client{}, window{};
  GetClientRect(&client);
  GetWindowRect(&window);
  const int frame = Height(window) - Height(client);
  return 4 * locate.bottom + frame;
}

void CLocateDlg::Expand(bool expanded) {
  m_expanded = expanded;
  const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
  ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, expanded ? style | WS_THICKFRAME : style & ~WS_THICKFRAME);
  m_list.ShowWindow(expanded ? SW_SHOW : SW_HIDE);
  m_status.ShowWindow(expanded ? SW_SHOW : SW_HIDE);
  for (int id : {kSendImButton, kGoToPlaceButton, kIdentityButton}) {
    if (CWnd* button = GetDlgItem(id)) button->ShowWindow(expanded ? SW_SHOW : SW_HIDE);
  }
  RECT window{};
  GetWindowRect(&window);
  const int compact = CompactHeight();
  const int height = expanded ? 2 * compact + compact / 3 : compact;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, Width(window), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RECT client{};
  GetClientRect(&client);
  Layout(client.right, client.bottom);
}

void CLocateDlg::OnSize(UINT type, int cx, int cy) {
  if (type != SIZE_MINIMIZED && m_expanded) Layout(cx, cy);
}

// The list between the search controls and the row buttons, which stand
// right-aligned above the status line.
void CLocateDlg::Layout(int cx, int cy) {
  CWnd* go = GetDlgItem(kGoToPlaceButton);
  CWnd* newSearch = GetDlgItem(kNewSearchButton);
  if (!m_expanded || !go || !newSearch || !m_list.GetSafeHwnd() || !m_status.GetSafeHwnd()) return;
  RECT goRect{}, searchRect{};
  go->GetWindowRect(&goRect);
  newSearch->GetWindowRect(&searchRect);
  ScreenToClient(&searchRect);
  const int buttonHeight = Height(goRect);
  m_status.MoveWindow(0, cy - kStatusHeight, cx, kStatusHeight);
  const bool roomy = cy > 4 * buttonHeight + 40;
  m_status.ShowWindow(cy >= 4 * buttonHeight + 20 ? SW_SHOW : SW_HIDE);
  for (int id : {kSendImButton, kGoToPlaceButton, kIdentityButton}) {
    if (CWnd* button = GetDlgItem(id)) button->ShowWindow(roomy ? SW_SHOW : SW_HIDE);
  }
  if (!roomy) return;
  const int buttonTop = cy - kStatusHeight - kGap - buttonHeight;
  int right = cx - kMargin;
  for (int id : {kGoToPlaceButton, kSendImButton, kIdentityButton}) {
    CWnd* button = GetDlgItem(id);
    RECT rect{};
    button->GetWindowRect(&rect);
    button->MoveWindow(right - Width(rect), buttonTop, Width(rect), buttonHeight);
    right -= Width(rect) + kGap;
  }
  const int listTop = searchRect.bottom + kGap;
  m_list.MoveWindow(kMargin, listTop, std::max(cx - 2 * kMargin, 0), std::max(buttonTop - kGap - listTop, 0));
}
