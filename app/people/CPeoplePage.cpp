#include "CPeoplePage.h"

#include <algorithm>
#include <memory>

#include "CBitmap.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CDurationDlg.h"
#include "CPaintDC.h"
#include "CPayload.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "BroadcastInfo.h"
#include "BroadcastRecord.h"
#include "CWarningDlg.h"
#include "CWinApp.h"
#include "IPeopleHost.h"
#include "ModuleState.h"
#include "PeopleRules.h"
#include "ZrObject.h"
#include "ZrPerson.h"
#include "ZrString.h"

namespace {

constexpr UINT kWarningText = 246;
constexpr UINT kSpeakLoudNotice = 324;
constexpr UINT kWarnText = 434;
constexpr UINT kGagText = 435;
constexpr UINT kBanText = 436;
constexpr UINT kEjectText = 438;
constexpr UINT kInviteText = 453;
constexpr UINT kSpeakLoudText = 413;
// Subtypes of the command payload.
constexpr uint8_t kInviteToStageCommand = 3;
constexpr uint8_t kSpeakLoudOnCommand = 4;
constexpr uint8_t kSpeakLoudOffCommand = 5;
constexpr uint32_t kSayChat = 5;
// The broadcast panel, centred at the top, and the participate window,
// centred in the voice area.
constexpr int32_t kPanelTop = 2;
constexpr int32_t kPanelWidth = 134;
constexpr int32_t kPanelHeight = 102;
constexpr int32_t kParticipateWidth = 100;
constexpr int32_t kParticipateHeight = 20;

struct ButtonLook {
  int id;
  int width;
  UINT normal;
  UINT pressed;
  UINT disabled;
};
// Bottom row, left to right.
constexpr ButtonLook kButtons[] = {
    {CPeoplePage::kIdentityButton, 32, 457, 458, 459},
    {CPeoplePage::kSendImButton, 39, 455, 456, 436},
    {CPeoplePage::kIgnoreButton, 32, 507, 505, 506},
    {CPeoplePage::kLocateButton, 32, 450, 464, 466},
};
constexpr int32_t kButtonHeight = 41;
constexpr int32_t kButtonGap = 2;
constexpr int32_t kSideMargin = 4;
constexpr int32_t kVoiceAreaHeight = 33;
// The voice control (made on the page by the voice session) stands small in
// the bottom left corner.
constexpr int kVoiceControlId = 1329;
constexpr int32_t kVoiceControlLeft = 8;
constexpr int32_t kVoiceControlAboveBottom = 37;
constexpr int32_t kVoiceControlWidth = 6;
constexpr int32_t kVoiceControlHeight = 32;

const ButtonLook* LookOf(int id) {
  for (const ButtonLook& look : kButtons) {
    if (look.id == id) return &look;
  }
  return nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPeoplePage, CDialog)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_DRAWITEM()
  ON_BN_CLICKED(CPeoplePage::kIdentityButton, OnIdentity)
  ON_BN_CLICKED(CPeoplePage::kSendImButton, OnSendIm)
  ON_BN_CLICKED(CPeoplePage::kIgnoreButton, OnIgnore)
  ON_BN_CLICKED(CPeoplePage::kLocateButton, OnLocate)
END_MESSAGE_MAP()

CPeoplePage::CPeoplePage() : CDialog(kTemplateId), m_list(*this) {}

CPeoplePage::~CPeoplePage() = default;

void CPeoplePage::SetContext(CPlace* root, CPersonStateList* states, IPeopleHost* host) {
  m_root = root;
  m_states = states;
  m_host = host;
  m_list.SetContext(root, states, host);
}

bool CPeoplePage::Create(CWnd* parent) { return CDialog::Create(kTemplateId, parent); }

// The voice area reads that voice is unavailable until a voice control is
// made on the page.
bool CPeoplePage::OnInitDialog() {
  CDialog::OnInitDialog();
  RECT none{0, 0, 10, 10};
  if (!m_list.Create(this, none)) return false;
  if (!m_voiceArea.Create(this, none)) return false;
  m_panel.SetHost(this);
  if (m_host) m_panel.SetDefaultTexts(m_host->GetProductString(0), m_host->GetProductString(1));
  m_panel.Start();
  m_participate.Create(this, none);
  Layout();
  UpdateButtons();
  return true;
}

// ---- Layout and painting -----------------------------------------------------------

void CPeoplePage::OnSize(UINT, int, int) { Layout(); }

void CPeoplePage::Layout() {
  if (!m_hWnd) return;
  RECT client{};
  GetClientRect(&client);
  const int32_t buttonsTop = std::max<int32_t>(client.bottom - kButtonHeight - kButtonGap, kListTop);
  int32_t x = kSideMargin;
  for (const ButtonLook& look : kButtons) {
    if (HWND button = ::GetDlgItem(m_hWnd, look.id)) {
      ::MoveWindow(button, x, buttonsTop, look.width, kButtonHeight, TRUE);
    }
    x += look.width + kButtonGap;
  }
  if (m_list.List().m_hWnd) {
    const int32_t bottom = std::max<int32_t>(buttonsTop - kVoiceAreaHeight, kListTop);
    m_list.List().MoveWindow(RECT{kSideMargin, kListTop - 4, client.right - kSideMargin, bottom}, TRUE);
  }
  if (m_voiceArea.m_hWnd) m_voiceArea.MoveWindow(VoiceArea(), TRUE);
  if (HWND control = ::GetDlgItem(m_hWnd, kVoiceControlId)) {
    ::MoveWindow(control, kVoiceControlLeft, client.bottom - kVoiceControlAboveBottom, kVoiceControlWidth,
                 kVoiceControlHeight, TRUE);
  }
  const int32_t panelLeft = (client.right - kPanelWidth) / 2;
  m_panel.SetRect(panelLeft, kPanelTop, panelLeft + kPanelWidth, kPanelTop + kPanelHeight);
  if (m_participate.m_hWnd) {
    const RECT area = VoiceArea();
    const int32_t x = (area.left + area.right - kParticipateWidth) / 2;
    const int32_t y = (area.top + area.bottom - kParticipateHeight) / 2;
    m_participate.MoveWindow(RECT{x, y, x + kParticipateWidth, y + kParticipateHeight}, TRUE);
  }
  Invalidate();
}

RECT CPeoplePage::VoiceArea() const {
  RECT client{};
  GetClientRect(&client);
  const int32_t buttonsTop = std::max<int32_t>(client.bottom - kButtonHeight - kButtonGap, kListTop);
  const int32_t top = std::max<int32_t>(buttonsTop - kVoiceAreaHeight, kListTop) + 2;
  return RECT{kSideMargin, top, client.right - kSideMargin, buttonsTop - 2};
}

void CPeoplePage::OnPaint() {
  CPaintDC dc(this);
  RECT client{};
  GetClientRect(&client);
  dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
  m_panel.Paint(dc);
}

void CPeoplePage::OnTimer(UINT_PTR id) { m_panel.OnTimer(id); }

// A broadcast stays for its own display time.
void CPeoplePage::ShowBroadcast(const CBroadcastInfo& record) {
  m_panel.SetDisplayTime(record.values[BroadcastRecord::kDisplayTime]);
  m_panel.ShowBroadcast(record);
}

void CPeoplePage::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  const ButtonLook* look = LookOf(id);
  if (!look || !item) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  CBitmap bitmap;
  const UINT face = disabled ? look->disabled : pressed ? look->pressed : look->normal;
  if (bitmap.LoadBitmap(face)) {
    CDC memory;
    memory.CreateCompatibleDC(dc);
    memory.SelectObject(&bitmap);
    const SIZE size = bitmap.GetSize();
    ::StretchBlt(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right - item->rcItem.left,
                 item->rcItem.bottom - item->rcItem.top, memory.m_hDC, 0, 0, size.cx, size.cy, SRCCOPY);
    return;
  }
  RECT rect = item->rcItem;
  ::DrawFrameControl(item->hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  char text[64] = {};
  ::GetWindowTextA(item->hwndItem, text, sizeof(text));
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  dc->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- Buttons -------------------------------------------------------------------------

CPeoplePage::MenuPerson CPeoplePage::PersonOf(const CPeopleItem& item) const {
  MenuPerson person;
  person.id = item.id;
  person.kind = item.kind;
  person.name = item.displayName;
  person.status = item.listMade ? item.status : 0;
  person.live = !item.listMade;
  return person;
}

bool CPeoplePage::SelectedPerson(MenuPerson& person) const {
  CPeopleItem* item = const_cast<CPeopleList&>(m_list).SelectedItem();
  if (!item || !item->person) return false;
  person = PersonOf(*item);
  return true;
}

bool CPeoplePage::IsOwn(const MenuPerson& person) const {
  if (!person.live) return false;
  if (people::IsOwnKind(person.kind)) return true;
  return m_root && m_root->GetMyself() && m_root->GetMyself()->GetId() == person.id;
}

void CPeoplePage::OnSelectionChanged(const CPeopleItem* item) { UpdateButtonsFor(item); }

void CPeoplePage::UpdateButtons() {
  UpdateButtonsFor(m_list.SelectedItem());
  UpdateParticipate();
}

// In an auditorium the page invites the user to take part in the event.
void CPeoplePage::UpdateParticipate() {
  if (!m_participate.m_hWnd) return;
  const bool auditorium = m_root && m_list.IsConnected() && m_root->IsAuditorium();
  if (auditorium == m_participate.IsBlinking()) return;
  m_participate.ShowTimed(auditorium);
  // The button stands in the voice area: above it, and the area leaves it unpainted.
  if (auditorium) {
    ::SetWindowPos(m_participate.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// Send IM and Locate while connected; Identity for a person when identity
// windows can be opened; Ignore for another person of the place.
void CPeoplePage::UpdateButtonsFor(const CPeopleItem* item) {
  if (!m_hWnd) return;
  MenuPerson person;
  const bool hasPerson = item && item->person;
  if (hasPerson) person = PersonOf(*item);
  const bool connected = m_list.IsConnected();
  const bool canIdentify = m_host && m_host->CanOpenIdentity();
  const auto enable = [this](int id, bool on) {
    if (HWND button = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(button, on);
  };
  enable(kSendImButton, connected);
  enable(kLocateButton, connected);
  enable(kIdentityButton, hasPerson && canIdentify);
  enable(kIgnoreButton, hasPerson && person.live && !IsOwn(person));
}

void CPeoplePage::OnIdentity() {
  MenuPerson person;
  if (SelectedPerson(person)) OpenIdentity(person);
}

void CPeoplePage::OnSendIm() {
  MenuPerson person;
  if (SelectedPerson(person)) {
    RunCommand(kCmdSendIm, person);
  } else if (m_host) {
    m_host->SendInstantMessage();
  }
}

void CPeoplePage::OnIgnore() {
  MenuPerson person;
  if (SelectedPerson(person) && !IsOwn(person)) ToggleIgnore(person);
}

void CPeoplePage::OnLocate() {
  if (m_host) m_host->FindPeople();
}

// ---- The person menu ----------------------------------------------------------------

void CPeoplePage::ShowPersonMenu(const CPeopleItem& item, int32_t x, int32_t y) {
  ShowPersonMenu(PersonOf(item), x, y);
}

void CPeoplePage::ShowPersonMenu(const MenuPerson& person, int32_t x, int32_t y) {
  HMENU bar = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kPersonMenu));
  if (!bar) return;
  HMENU menu = ::GetSubMenu(bar, 0);
  if (menu) {
    PrepareMenu(menu, person);
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, m_hWnd, nullptr));
    if (command) RunCommand(command, person);
  }
  ::DestroyMenu(bar);
}

void CPeoplePage::PrepareMenu(HMENU menu, const MenuPerson& person) {
  const auto grey = [menu](UINT id, bool off) {
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (off ? MF_GRAYED : MF_ENABLED));
  };
  grey(kCmdAlert, true);
  grey(kCmdRetrievePicture, true);
  grey(kCmdEjectFromTour, true);
  grey(kCmdIdentity, !(m_host && m_host->CanOpenIdentity()));
  grey(kCmdCall, !(m_host && m_host->CanCall()));
  const bool ignored = m_states && m_states->GetState(person.id) != 0;
  if (m_host && m_host->CanSendFiles()) {
    grey(kCmdSendFile, ignored || m_host->IsSendDialogOpen());
  } else {
    ::DeleteMenu(menu, kCmdSendFile, MF_BYCOMMAND);
  }
  ::CheckMenuItem(menu, kCmdIgnore, MF_BYCOMMAND | (ignored ? MF_CHECKED : MF_UNCHECKED));
  grey(kCmdIgnore, IsOwn(person));
  if (!m_root) return;
  const uint32_t localClass = m_root->LocalClass();
  const auto append = [menu](UINT text, UINT id) {
    ::AppendMenuA(menu, MF_STRING, id, AfxLoadString(text).c_str());
  };
  if (people::IsModeratorClass(localClass)) {
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    append(kWarnText, kCmdWarn);
    append(kGagText, kCmdGag);
    append(kBanText, kCmdBan);
    if (people::IsAdminClass(localClass)) append(kEjectText, kCmdEject);
  }
  const uint32_t personClass = people::PersonClass(person.kind);
  if (people::IsHostClass(localClass) && people::IsAuditoriumPlace(m_root->GetKind()) &&
      !people::IsHostClass(personClass)) {
    append(kInviteText, kCmdInviteToStage);
    if (m_root->IsInRootPlace()) {
      append(kSpeakLoudText, kCmdSpeakLoud);
      ::CheckMenuItem(menu, kCmdSpeakLoud,
                      MF_BYCOMMAND | (m_list.IsListed(person.id) ? MF_CHECKED : MF_UNCHECKED));
    }
  }
}

void CPeoplePage::RunCommand(UINT command, const MenuPerson& person) {
  switch (command) {
    case kCmdIdentity:
      OpenIdentity(person);
      break;
    case kCmdSendIm:
      if (m_states) m_states->ShowWindowFor(person.id, person.name);
      break;
    case kCmdIgnore:
      if (!IsOwn(person)) ToggleIgnore(person);
      break;
    case kCmdSendFile:
      if (m_host && m_host->CanSendFiles()) m_host->SendFile(person.id, person.name);
      break;
    case kCmdWarn:
      Warn(person);
      break;
    case kCmdEject:
    case kCmdGag:
    case kCmdBan:
      Sanction(command, person);
      break;
    case kCmdInviteToStage:
      InviteToStage(person);
      break;
    case kCmdSpeakLoud:
      SpeakLoud(person);
      break;
    default:
      break;
  }
}

void CPeoplePage::OpenIdentity(const MenuPerson& person) {
  if (!m_host || !m_host->CanOpenIdentity()) return;
  if (IsOwn(person)) {
    m_host->OpenIdentitySheet();
  } else {
    m_host->OpenPersonIdentity(person.id, person.name);
  }
}

// The ignore state lives in the person state list; the list sorts and
// colours the row anew.
void CPeoplePage::ToggleIgnore(const MenuPerson& person) {
  if (!m_states || person.id == 0) return;
  m_states->SetState(person.id, m_states->GetState(person.id) != 0 ? 0 : 1);
  m_list.Rebuild(false);
  UpdateButtons();
}

void CPeoplePage::Warn(const MenuPerson& person) {
  if (!m_root || !m_host) return;
  CWarningDlg dialog(AfxGetMainWnd(), AfxLoadString(kWarningText), false);
  if (m_host->RunModal(dialog) != IDOK) return;
  m_root->SendWarningRequest(person.id, CZrString(person.name, 0, true), dialog.m_text, std::string());
}

// Eject, gag and ban ask for a duration; a person described as present
// (status 1) can only be sanctioned without end (duration 0).
void CPeoplePage::Sanction(UINT command, const MenuPerson& person) {
  if (!m_root || !m_host) return;
  const CDurationDlg::Kind kind = command == kCmdEject ? CDurationDlg::kEject
                                  : command == kCmdGag ? CDurationDlg::kGag
                                                       : CDurationDlg::kAvatar;
  const bool foreverOnly = person.status == 1;
  CDurationDlg dialog(AfxGetMainWnd(), kind, foreverOnly);
  if (m_host->RunModal(dialog) != IDOK) return;
  const uint32_t minutes = foreverOnly ? 0 : static_cast<uint32_t>(std::max(dialog.m_minutes, 0));
  const CZrString key(person.name, 0, true);
  if (command == kCmdEject) {
    m_root->SendEjectRequest(person.id, key, minutes, dialog.m_comment);
    return;
  }
  const uint32_t cut = people::CutSanctionDuration(minutes, m_root->LocalClass());
  if (command == kCmdGag) {
    m_root->SendGagRequest(person.id, key, cut, dialog.m_comment);
  } else {
    m_root->SendBanRequest(person.id, key, cut, dialog.m_comment);
  }
}

void CPeoplePage::SendCommandPayload(uint32_t target, uint8_t subtype, const std::string& text) {
  CPayload payload(CPayload::kCommand, subtype, 0, nullptr);
  m_root->SendUserMessage(target, text, payload);
}

// The invitation names the stage, the place the host stands in.
void CPeoplePage::InviteToStage(const MenuPerson& person) {
  if (!m_root) return;
  SendCommandPayload(person.id, kInviteToStageCommand, m_root->GetName());
}

void CPeoplePage::SpeakLoud(const MenuPerson& person) {
  if (!m_root) return;
  if (!m_list.IsListed(person.id)) {
    m_root->RequestMove(*m_root, kSayChat, person.name + AfxLoadString(kSpeakLoudNotice), CTvlBlob());
    SendCommandPayload(person.id, kSpeakLoudOnCommand);
    m_list.SetListed(person.id, true);
  } else {
    SendCommandPayload(person.id, kSpeakLoudOffCommand);
    m_list.SetListed(person.id, false);
  }
}
