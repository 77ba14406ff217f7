#include "CBroadcastPage.h"

#include <algorithm>
#include <ctime>

#include "BroadcastInfo.h"
#include "BroadcastRecord.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "ModuleState.h"

namespace {

constexpr UINT kDefaultPicture = 268;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

RECT ChildRect(HWND dialog, UINT id) {
  RECT rect{};
  HWND child = ::GetDlgItem(dialog, static_cast<int>(id));
  if (!child) return rect;
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string LocalTime() {
  const std::time_t now = std::time(nullptr);
  char text[32] = {};
  if (const std::tm* local = std::localtime(&now)) std::strftime(text, sizeof text, "%I:%M %p", local);
  return text;
}

}  // namespace

// ---- The picture ---------------------------------------------------------------

BEGIN_MESSAGE_MAP(CBroadcastImageWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

bool CBroadcastImageWnd::Create(CWnd* parent, const RECT& rect) {
  const char* name = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
  return CreateEx(0, name, "Broadcast Image", WS_CHILD | WS_VISIBLE, rect, parent, 0);
}

void CBroadcastImageWnd::SetPicture(const CPicture& picture) {
  m_picture = picture;
  if (m_hWnd) Invalidate();
}

RECT CBroadcastImageWnd::FitRect(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || clientWidth <= 0 || clientHeight <= 0) return RECT{0, 0, 0, 0};
  if (pictureWidth <= clientWidth && pictureHeight <= clientHeight) return RECT{0, 0, pictureWidth, pictureHeight};
  const double ratio = std::max(static_cast<double>(pictureHeight) / clientHeight,
                                static_cast<double>(pictureWidth) / clientWidth);
  return RECT{0, 0, static_cast<int>(pictureWidth / ratio), static_cast<int>(pictureHeight / ratio)};
}

void CBroadcastImageWnd::OnPaint() {
  CPaintDC dc(this);
  RECT client{};
  GetClientRect(&client);
  dc.FillSolidRect(client, RGB(255, 255, 255));
  const RECT fit = FitRect(m_picture.Width(), m_picture.Height(), client.right, client.bottom);
  if (fit.right > 0) m_picture.Draw(&dc, fit);
}

// ---- The text --------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CBroadcastTextWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

bool CBroadcastTextWnd::Create(CWnd* parent, const RECT& rect) {
  m_white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  const char* name = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), m_white);
  if (!CreateEx(0, name, "Broadcast Text", WS_CHILD | WS_VISIBLE, rect, parent, 0)) return false;
  m_font = reinterpret_cast<HFONT>(parent->SendMessage(WM_GETFONT));
  MakeLine(kTextId);
  PlaceLines();
  return true;
}

HWND CBroadcastTextWnd::MakeLine(int id) {
  HWND line = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AfxGetInstanceHandle(), nullptr);
  if (line && m_font) ::SendMessageA(line, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  return line;
}

// The time line is made with the first time it shows; without a time it is
// hidden.
void CBroadcastTextWnd::SetLines(const std::string& time, const std::string& text, bool link) {
  m_link = link;
  m_timeShown = !time.empty();
  if (m_timeShown && !::GetDlgItem(m_hWnd, kTimeId)) MakeLine(kTimeId);
  if (m_timeShown) ::SetDlgItemTextA(m_hWnd, kTimeId, time.c_str());
  ::SetDlgItemTextA(m_hWnd, kTextId, text.c_str());
  PlaceLines();
  Invalidate();
}

void CBroadcastTextWnd::OnSize(UINT, int, int) { PlaceLines(); }

// The text stands one character in and one line down, under the time line;
// without a time line it starts at the top.
void CBroadcastTextWnd::PlaceLines() {
  if (!m_hWnd) return;
  HDC dc = ::GetDC(m_hWnd);
  HWND textLine = ::GetDlgItem(m_hWnd, kTextId);
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageA(textLine, WM_GETFONT, 0, 0));
  const HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  if (old) ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  RECT client{};
  GetClientRect(&client);
  const int x = metrics.tmMaxCharWidth;
  const int y = m_timeShown ? metrics.tmHeight : 0;
  if (HWND timeLine = ::GetDlgItem(m_hWnd, kTimeId)) {
    ::ShowWindow(timeLine, m_timeShown ? SW_SHOWNA : SW_HIDE);
    ::MoveWindow(timeLine, x, 0, std::max<int>(client.right - 2 * x, 0), metrics.tmHeight, TRUE);
  }
  ::MoveWindow(textLine, x, y, std::max<int>(client.right - 2 * x, 0), std::max<int>(client.bottom - y, 0), TRUE);
}

HBRUSH CBroadcastTextWnd::OnCtlColor(CDC* dc, CWnd* control, UINT) {
  const bool text = control && ::GetDlgCtrlID(control->m_hWnd) == kTextId;
  dc->SetTextColor(text && m_link ? kLinkColour : RGB(0, 0, 0));
  dc->SetBkColor(RGB(255, 255, 255));
  return m_white;
}

// ---- The page ----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CBroadcastPage, CPaneDlg)
  ON_WM_TIMER()
  ON_BN_CLICKED(CBroadcastPage::kMakeTabId, OnMakeTab)
END_MESSAGE_MAP()

CBroadcastPage::CBroadcastPage(const std::string& title, BulletSource bullets, const std::string& noBullets)
    : CPaneDlg(kBroadcastKind, kTemplate, title), m_bullets(std::move(bullets)), m_noBullets(noBullets) {}

bool CBroadcastPage::OnInitDialog() {
  CPaneDlg::OnInitDialog();
  // The two windows take the places of their placeholders.
  m_image.Create(this, ChildRect(m_hWnd, kImageId));
  m_text.Create(this, ChildRect(m_hWnd, kTextId));
  for (UINT id : {kImageId, kTextId}) ::DestroyWindow(::GetDlgItem(m_hWnd, static_cast<int>(id)));
  ShowBullets();
  return true;
}

void CBroadcastPage::SetTexts(const std::string& link, const std::string& text, bool stamp) {
  m_link = link;
  m_text.SetLines(stamp ? LocalTime() : std::string(), text, !link.empty());
}

void CBroadcastPage::ShowBroadcast(const CBroadcastInfo& record, int32_t seconds) {
  CPicture picture;
  if (picture.LoadMemory(record.picture.Bytes(), record.picture.Length())) m_image.SetPicture(picture);
  SetTexts(record.texts[BroadcastRecord::kTextLink], record.texts[BroadcastRecord::kText], true);
  KillTimer(kTimerId);
  m_showing = true;
  if (seconds > 0) SetTimer(kTimerId, static_cast<UINT>(seconds) * 1000);
}

// The titles of the bullet entries, one a line; without any the product's
// text and picture.
void CBroadcastPage::ShowBullets() {
  const std::vector<std::string> titles = m_bullets ? m_bullets() : std::vector<std::string>();
  std::string lines;
  for (const std::string& title : titles) lines += (lines.empty() ? "" : "\r\n") + title;
  if (lines.empty()) {
    m_image.SetPicture(CPicture(kDefaultPicture));
    lines = m_noBullets;
  }
  m_link = kBulletLink;
  m_text.SetLines(std::string(), lines, false);
}

void CBroadcastPage::SetPreviewMode(bool on) {
  if (m_preview == on) return;
  m_preview = on;
  if (!on) {
    KillTimer(kTimerId);
    m_showing = false;
    ShowBullets();
  }
}

void CBroadcastPage::OnTimer(UINT_PTR id) {
  if (id != kTimerId) return;
  KillTimer(kTimerId);
  m_showing = false;
  ShowBullets();
}

void CBroadcastPage::OnMakeTab() {
  if (IsFloating()) SetFloating(false);
}

void CBroadcastPage::SetWindowRect(const RECT& rect) {
  CPaneDlg::SetWindowRect(rect);
  if (!m_image.m_hWnd) return;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const RECT makeTab = ChildRect(m_hWnd, kMakeTabId);
  const int buttonHeight = makeTab.bottom - makeTab.top;
  const int bottom = IsFloating() ? height - buttonHeight - 4 : height;
  const int imageWidth = std::min(width / 3, bottom * 4 / 3);
  m_image.MoveWindow(RECT{0, 0, imageWidth, bottom}, TRUE);
  m_text.MoveWindow(RECT{imageWidth + 4, 0, width, bottom}, TRUE);
  HWND button = ::GetDlgItem(m_hWnd, kMakeTabId);
  ::ShowWindow(button, IsFloating() ? SW_SHOWNA : SW_HIDE);
  if (IsFloating())
    ::MoveWindow(button, width - (makeTab.right - makeTab.left), height - buttonHeight,
                 makeTab.right - makeTab.left, buttonHeight, TRUE);
}
