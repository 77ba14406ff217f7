#include "CAuditoriumWelcomeDlg.h"

#include <algorithm>

#include "AuditoriumTexts.h"
#include "CPaintDC.h"

CAuditoriumWelcomeDlg* CAuditoriumWelcomeDlg::s_open = nullptr;

BEGIN_MESSAGE_MAP(CAuditoriumWelcomeDlg, CDialog)
  ON_WM_PAINT()
  ON_BN_CLICKED(CAuditoriumWelcomeDlg::kDownloadTranscript, OnDownloadTranscript)
END_MESSAGE_MAP()

CAuditoriumWelcomeDlg::CAuditoriumWelcomeDlg(IAuditoriumEventHost& host, std::string text, bool pictureFollows)
    : CDialog(kTemplateId), m_host(host), m_text(CleanWelcomeText(text)), m_pictureFollows(pictureFollows) {}

void CAuditoriumWelcomeDlg::Open(CWnd* parent, IAuditoriumEventHost& host, const std::string& text,
                                 bool pictureFollows) {
  CloseOpen();
  auto* dialog = new CAuditoriumWelcomeDlg(host, text, pictureFollows);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return;
  }
  dialog->ShowWindow(SW_SHOW);
}

void CAuditoriumWelcomeDlg::CloseOpen() {
  if (s_open) s_open->DestroyWindow();
}

bool CAuditoriumWelcomeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  if (m_pParentWnd) CenterWindow(m_pParentWnd);
  GetDlgItem(kPictureArea)->ShowWindow(SW_HIDE);
  ::GetWindowRect(GetDlgItem(kText)->m_hWnd, &m_textHome);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_textHome), 2);
  SetDlgItemText(kText, m_text);
  GetDlgItem(kDownloadTranscript)->ShowWindow(m_host.HasTranscriptMember() ? SW_SHOW : SW_HIDE);
  Layout();
  return true;
}

// The picture's square keeps the top-left corner of its control.
RECT CAuditoriumWelcomeDlg::PictureRect() const {
  RECT area{};
  ::GetWindowRect(GetDlgItem(kPictureArea)->m_hWnd, &area);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
  return RECT{area.left, area.top, area.left + kPictureSize, area.top + kPictureSize};
}

// Beside the picture (or its awaited place) the text keeps its own spot;
// alone it is centred over the dialog's full width.
void CAuditoriumWelcomeDlg::Layout() {
  RECT text = m_textHome;
  if (!m_picture && !m_pictureFollows) {
    RECT client{};
    GetClientRect(&client);
    const int margin = PictureRect().left;
    text.left = margin;
    text.right = client.right - margin;
  } else {
    text.left = std::max<LONG>(text.left, PictureRect().right + PictureRect().left);
  }
  GetDlgItem(kText)->MoveWindow(text);
  Invalidate();
}

void CAuditoriumWelcomeDlg::SetPicture(const uint8_t* bytes, size_t length) {
  auto picture = std::make_unique<CPicture>();
  if (!bytes || length == 0 || picture->LoadMemory(bytes, length) != 1 || picture->IsEmpty()) return;
  m_picture = std::move(picture);
  m_pictureFollows = false;
  Layout();
}

void CAuditoriumWelcomeDlg::OnPaint() {
  CPaintDC dc(this);
  const RECT area = PictureRect();
  if (m_picture) {
    m_picture->Draw(&dc, area);
  } else if (m_pictureFollows) {
    ::FrameRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    dc.MoveTo(area.left, area.top);
    dc.LineTo(area.right - 1, area.bottom - 1);
    dc.MoveTo(area.right - 1, area.top);
    dc.LineTo(area.left, area.bottom - 1);
  }
}

void CAuditoriumWelcomeDlg::OnDownloadTranscript() { m_host.SendToTranscript(TranscriptRequestText(m_host.PlaceName())); }

void CAuditoriumWelcomeDlg::OnOK() { DestroyWindow(); }

void CAuditoriumWelcomeDlg::OnCancel() { DestroyWindow(); }

void CAuditoriumWelcomeDlg::PostNcDestroy() {
  if (s_open == this) s_open = nullptr;
  delete this;
}
