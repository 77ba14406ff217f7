#include "CIdentityDlg.h"

#include <utility>

#include "CPaintDC.h"
#include "IIdentityHost.h"
#include "IdentityMessages.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kPossessiveText = 528;
constexpr UINT kIdentityText = 179;
constexpr UINT kBlankText = 199;
constexpr UINT kIpAddressText = 218;
constexpr int kNicknameLabel = 1023;
constexpr int kNameLabel = 1009;
constexpr int kLocationLabel = 1012;
constexpr int kEmailLabel = 1013;

ZrRect DesktopRect() {
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left, work.top, work.right, work.bottom};
}

}  // namespace

BEGIN_MESSAGE_MAP(CIdentityDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_DESTROY()
  ON_BN_CLICKED(CIdentityDlg::kSendImButton, OnSendIm)
  ON_BN_CLICKED(CIdentityDlg::kIgnoreCheck, OnIgnore)
  ON_BN_CLICKED(CIdentityDlg::kIpAddressButton, OnIpAddress)
  ON_BN_CLICKED(CIdentityDlg::kMoreInfoButton, OnMoreInfo)
  ON_MESSAGE(kIdentityDataMessage, OnIdentityData)
END_MESSAGE_MAP()

CIdentityDlg::CIdentityDlg(IIdentityHost& host, const CIdentityPerson& person)
    : CDialog(kTemplateId),
      m_host(host),
      m_person(person),
      m_captionName(::CaptionName(host.ShowsNames(), person.name, person.nickname)),
      m_face(kDefaultFace) {}

CIdentityDlg::~CIdentityDlg() {
  m_deleting = true;
  if (m_hWnd) DestroyWindow();
}

bool CIdentityDlg::Open() {
  if (!Create(kTemplateId, CWnd::FromHandle(m_host.OwnerWindow()))) return false;
  ShowWindow(SW_SHOW);
  // The default face shows until the person's own arrives.
  m_host.RequestFace(m_person.id);
  return true;
}

bool CIdentityDlg::PostIdentityTexts(const CIdentityTexts& texts) {
  return ::PostIdentityTexts(m_hWnd, texts);
}

void CIdentityDlg::SetIgnored(bool ignored) {
  m_person.ignored = ignored;
  if (m_hWnd) ::CheckDlgButton(m_hWnd, kIgnoreCheck, ignored ? BST_CHECKED : BST_UNCHECKED);
}

void CIdentityDlg::Raise() {
  if (!m_hWnd) return;
  if (::IsIconic(m_hWnd)) ShowWindow(SW_RESTORE);
  ShowWindow(SW_SHOW);
  ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(m_hWnd);
}

void CIdentityDlg::SetPicture(const CTvlBlob& picture) {
  CPicture face;
  if (picture.Length() == 0 || !face.LoadMemory(picture.Bytes(), picture.Length())) return;
  m_face = face;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
  if (m_moreInfo) m_moreInfo->SetFace(m_face);
}

bool CIdentityDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_captionName + AfxLoadString(kPossessiveText) + AfxLoadString(kIdentityText));
  PlaceOnDesktop();
  CIdentityLook::SetHeading(m_hWnd, m_person.nickname);
  const std::pair<int, const std::string*> values[] = {{kNicknameValue, &m_person.nickname},
                                                       {kNameValue, &m_person.name},
                                                       {kLocationValue, &m_person.location},
                                                       {kEmailValue, &m_person.email}};
  for (const auto& [id, text] : values) ::SetDlgItemTextA(m_hWnd, id, text->c_str());
  m_look.SetLabelFont(m_hWnd, {kNicknameLabel, kNameLabel, kLocationLabel, kEmailLabel});
  m_look.SetValueFont(m_hWnd, {kNicknameValue, kNameValue, kLocationValue, kEmailValue});
  SetIgnored(m_person.ignored);
  if (!m_host.IsLocalModerator()) ::ShowWindow(::GetDlgItem(m_hWnd, kIpAddressButton), SW_HIDE);
  if (!m_person.mayReceiveIms) ::ShowWindow(::GetDlgItem(m_hWnd, kSendImButton), SW_HIDE);
  return true;
}

void CIdentityDlg::PlaceOnDesktop() {
  RECT own{};
  ::GetWindowRect(m_hWnd, &own);
  HWND owner = m_host.OwnerWindow();
  int x = 0;
  int y = 0;
  if (PlaceBeside(m_person.placement, own.right - own.left, own.bottom - own.top, DesktopRect(),
                  owner && ::IsIconic(owner), x, y)) {
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  }
}

void CIdentityDlg::OnCancel() { DestroyWindow(); }

void CIdentityDlg::OnPaint() {
  CPaintDC dc(this);
  CIdentityLook::PaintFace(m_hWnd, dc.GetSafeHdc(), m_face);
}

// Texts still on their way are freed with the window; so is More Info.
void CIdentityDlg::OnDestroy() {
  DropQueuedIdentityTexts(m_hWnd);
  m_moreInfo.reset();
  Default();
}

// Closed by the user: the person state list lets go and this deletes itself.
// Deleted by the list: nothing more to do.
void CIdentityDlg::PostNcDestroy() {
  if (m_deleting) return;
  m_host.ForgetIdentityDialog(m_person.id, this);
  delete this;
}

void CIdentityDlg::OnSendIm() { m_host.OpenSendIm(m_person.id, m_captionName); }

void CIdentityDlg::OnIgnore() {
  m_person.ignored = ::IsDlgButtonChecked(m_hWnd, kIgnoreCheck) == BST_CHECKED;
  m_host.SetIgnored(m_person.id, m_person.ignored);
}

void CIdentityDlg::OnIpAddress() {
  const std::string address = DottedAddress(m_person.address);
  MessageBoxIds2AsyncInfo(kBlankText, kIpAddressText, m_person.nickname.c_str(), address.c_str());
}

// One request until the texts arrive or their dialog closes; a request
// that could not be sent leaves the button to be tried again.
void CIdentityDlg::OnMoreInfo() {
  if (m_moreInfoAsked) return;
  m_moreInfoAsked = true;
  ::EnableWindow(::GetDlgItem(m_hWnd, kMoreInfoButton), FALSE);
  if (m_host.SendIdentityRequest(m_person.id)) return;
  m_moreInfoAsked = false;
  ::EnableWindow(::GetDlgItem(m_hWnd, kMoreInfoButton), TRUE);
}

LRESULT CIdentityDlg::OnIdentityData(WPARAM, LPARAM lParam) {
  std::unique_ptr<CIdentityTexts> texts = TakeIdentityTexts(lParam);
  if (!texts) return 0;
  m_moreInfo.reset();
  m_moreInfo = std::make_unique<CMoreInfoDlg>(m_captionName, *texts, m_face, [this] { OnMoreInfoClosed(); });
  if (!m_moreInfo->Open(m_host.OwnerWindow(), m_hWnd)) m_moreInfo.reset();
  return 0;
}

// More Info is deleted after its window is gone, outside its own message.
void CIdentityDlg::OnMoreInfoClosed() {
  CMoreInfoDlg* closed = m_moreInfo.release();
  delete closed;
  m_moreInfoAsked = false;
  if (m_hWnd) ::EnableWindow(::GetDlgItem(m_hWnd, kMoreInfoButton), TRUE);
}
