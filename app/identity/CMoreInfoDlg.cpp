#include "CMoreInfoDlg.h"

#include <utility>

#include "CPaintDC.h"
#include "CPayload.h"
#include "ModuleState.h"
#include "ZrIdentityText.h"

namespace {

constexpr UINT kPossessiveText = 528;
constexpr UINT kMoreInfoText = 583;
constexpr int kGenderLabel = 1069;
constexpr int kHobbiesLabel = 1070;
constexpr int kOccupationLabel = 1071;
constexpr int kQuoteLabel = 1072;

}  // namespace

BEGIN_MESSAGE_MAP(CMoreInfoDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CMoreInfoDlg::CMoreInfoDlg(const std::string& title, const CIdentityTexts& texts, const CPicture& face,
                           std::function<void()> closed)
    : CDialog(kTemplateId), m_title(title), m_texts(texts), m_face(face), m_closed(std::move(closed)) {}

CMoreInfoDlg::~CMoreInfoDlg() {
  m_deleting = true;
  if (m_hWnd) DestroyWindow();
}

bool CMoreInfoDlg::Open(HWND owner, HWND nextTo) {
  if (!Create(kTemplateId, CWnd::FromHandle(owner))) return false;
  RECT window{};
  ::GetWindowRect(nextTo, &window);
  RECT own{};
  ::GetWindowRect(m_hWnd, &own);
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int x = 0;
  int y = 0;
  PlaceNextTo({window.left, window.top, window.right, window.bottom}, own.right - own.left,
              own.bottom - own.top, {work.left, work.top, work.right, work.bottom}, x, y);
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(SW_SHOW);
  return true;
}

void CMoreInfoDlg::SetFace(const CPicture& face) {
  m_face = face;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CMoreInfoDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_title + AfxLoadString(kPossessiveText) + AfxLoadString(kMoreInfoText));
  CIdentityLook::SetHeading(m_hWnd, m_title);
  const std::pair<int, const std::string*> values[] = {
      {kOccupation, &m_texts.occupation}, {kQuote, &m_texts.quote},
      {kHobbies, &m_texts.hobbies}, {kGender, &m_texts.gender}};
  for (const auto& [id, text] : values) ::SetDlgItemTextA(m_hWnd, id, text->c_str());
  m_look.SetLabelFont(m_hWnd, {kGenderLabel, kHobbiesLabel, kOccupationLabel, kQuoteLabel});
  m_look.SetValueFont(m_hWnd, {kOccupation, kQuote, kHobbies, kGender});
  return true;
}

void CMoreInfoDlg::OnCancel() { DestroyWindow(); }

void CMoreInfoDlg::OnPaint() {
  CPaintDC dc(this);
  CIdentityLook::PaintFace(m_hWnd, dc.GetSafeHdc(), m_face);
}

// The identity dialog deletes this one when told; a dialog being deleted
// has nobody left to tell.
void CMoreInfoDlg::PostNcDestroy() {
  if (!m_deleting && m_closed) m_closed();
}
