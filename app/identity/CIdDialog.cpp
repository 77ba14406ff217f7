#include "CIdDialog.h"

#include <utility>

#include "ModuleState.h"
#include "ZrMessageBox.h"
#include "ZrSettings.h"

namespace {

RECT PlaceOf(HWND sheet, HWND button) {
  RECT rect{};
  ::GetWindowRect(button, &rect);
  ::MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveTo(HWND button, const RECT& place) {
  ::MoveWindow(button, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CIdDialog, CPropertySheet)
  ON_COMMAND(CIdDialog::kApplyButton, OnApplyAsOk)
  ON_COMMAND(IDOK, OnApplyAsOk)
  ON_MESSAGE(CIdDialog::kFocusMessage, OnFocusMessage)
END_MESSAGE_MAP()

CIdDialog::CIdDialog(CZrSettings& settings, const CBasicInfoValues& basic, bool running, bool connected,
                     bool namesFromServer, InfoSender sendInfo, CWnd* parent, AvatarColumn avatar)
    : CPropertySheet(kCaptionText, parent),
      m_settings(settings),
      m_running(running),
      m_sendInfo(std::move(sendInfo)),
      m_basic(basic, connected, namesFromServer),
      m_aboutMe(CAboutMeValues::FromSettings(settings)),
      m_avatarColumn(std::move(avatar)),
      m_avatar(settings, m_avatarColumn.cellColour) {
  AddPage(&m_basic);
  AddPage(&m_aboutMe);
}

// Both pages are made at once, so that OK reads them both.
bool CIdDialog::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  SetActivePage(1);
  SetActivePage(0);
  ShowOkAlone();
  PlaceAvatarColumn();
  // The sheet gives the focus away once it is made; it is taken back after.
  PostMessage(kFocusMessage);
  CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  return true;
}

// The avatar column goes at the left; everything of the sheet moves right
// by its width and the sheet grows by as much. With the avatar service the
// column is made but hidden, and the sheet keeps its size.
void CIdDialog::PlaceAvatarColumn() {
  if (!m_avatar.CreateIn(this, m_avatarColumn.useAvatarService) || m_avatarColumn.useAvatarService) return;
  RECT column{};
  m_avatar.GetWindowRect(&column);
  const RECT tabs = PlaceOf(m_hWnd, ::GetDlgItem(m_hWnd, kTabControl));
  const int margin = tabs.left;
  const int shift = column.right - column.left + margin;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child == m_avatar.m_hWnd) continue;
    const RECT place = PlaceOf(m_hWnd, child);
    ::SetWindowPos(child, nullptr, place.left + shift, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::SetWindowPos(m_avatar.m_hWnd, nullptr, margin, tabs.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT own{};
  GetWindowRect(&own);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, own.right - own.left + shift, own.bottom - own.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The nickname, or the first edit after it while it is fixed.
LRESULT CIdDialog::OnFocusMessage(WPARAM, LPARAM) {
  HWND nickname = ::GetDlgItem(m_basic.m_hWnd, CBasicInfo::kNicknameEdit);
  HWND first = ::IsWindowEnabled(nickname) ? nickname : ::GetNextDlgTabItem(m_basic.m_hWnd, nickname, FALSE);
  ::SetFocus(first);
  ::SendMessageA(first, EM_SETSEL, 0, -1);
  return 0;
}

// The sheet's own OK and Help are hidden; Apply, relabelled "OK", and
// Cancel take the two rightmost places of Cancel and Apply.
void CIdDialog::ShowOkAlone() {
  HWND apply = ::GetDlgItem(m_hWnd, kApplyButton);
  HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
  const RECT cancelPlace = PlaceOf(m_hWnd, cancel);
  const RECT applyPlace = PlaceOf(m_hWnd, apply);
  ::ShowWindow(::GetDlgItem(m_hWnd, IDOK), SW_HIDE);
  ::ShowWindow(::GetDlgItem(m_hWnd, kHelpButton), SW_HIDE);
  ::SetWindowTextA(apply, AfxLoadString(kOkText).c_str());
  ::EnableWindow(apply, TRUE);
  ::ShowWindow(apply, SW_SHOW);
  MoveTo(apply, cancelPlace);
  MoveTo(cancel, applyPlace);
}

// The texts are compared with the stored identity before it takes them, so
// that only the changed ones go to the server.
void CIdDialog::OnApplyAsOk() {
  const CBasicInfoValues basic = m_basic.Values();
  if (m_running && m_sendInfo) {
    const CMyInfoChange change = basic.ChangesFrom(m_settings);
    if (change.Any()) m_sendInfo(change);
  }
  basic.Accept(m_settings);
  m_aboutMe.Values().Accept(m_settings);
  ApplyAvatar();
  EndDialog(1);
}

// A face that cannot be read is named to the user and changes nothing.
void CIdDialog::ApplyAvatar() {
  if (!m_avatar.IsChanged()) return;
  const CAvatarChoice& choice = m_avatar.Choice();
  if (m_running && m_avatarColumn.sendFace && !m_avatarColumn.sendFace(choice.faces[0])) {
    MessageBoxIds2(kBlankText, kBadFaceText, choice.faces[0].c_str());
    return;
  }
  m_settings.m_normal = choice.faces[0];
  m_settings.m_happy = choice.faces[1];
  m_settings.m_angry = choice.faces[2];
  m_settings.m_sad = choice.faces[3];
  m_settings.m_sel = 1;
  m_settings.m_personPict = choice.libraryFolder;
  m_settings.Save(true);
}
