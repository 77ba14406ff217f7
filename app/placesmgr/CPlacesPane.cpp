#include "CPlacesPane.h"

#include <algorithm>
#include <cctype>

#include "CFindDlg.h"
#include "CPaintDC.h"
#include "CPlacesManager.h"
#include "UrlParamBase.h"

namespace {

constexpr UINT kPreviousText = 479;
constexpr UINT kViewingOneText = 480;
constexpr UINT kViewingRangeText = 481;
constexpr UINT kNextText = 482;
constexpr UINT kNoRoomsText = 474;
constexpr UINT kDeleteText = 476;
constexpr UINT kMakeText = 478;
constexpr UINT kFindCaption = 490;
constexpr UINT kClosedText = 545;
constexpr UINT kSchemeText = 546;
constexpr int kMargin = 5;
constexpr int kButtonGap = 10;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

// An address as the pane compares it: lower case, without the scheme.
std::string Comparable(const std::string& address, const std::string& scheme) {
  std::string text = UrlParamBase::StartsWithNoCase(address, scheme) ? address.substr(scheme.size()) : address;
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPlacesPane, CDialog)
  ON_BN_CLICKED(CPlacesPane::kGoButton, OnGo)
  ON_BN_CLICKED(CPlacesPane::kSearchButton, OnSearch)
  ON_BN_CLICKED(CPlacesPane::kMakeButton, OnMake)
  ON_BN_CLICKED(CPlacesPane::kPrevButton, OnPrev)
  ON_BN_CLICKED(CPlacesPane::kNextButton, OnNext)
  ON_MESSAGE(CFindDlg::kFindNext, OnFindNext)
  ON_MESSAGE(CFindDlg::kFindClosed, OnFindClosed)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPlacesPane::CPlacesPane(CPlacesManager& manager, int page) : CDialog(kTemplateId), m_manager(manager), m_page(page) {}

CPlacesPane::~CPlacesPane() {
  if (m_hWnd) DestroyWindow();
}

bool CPlacesPane::Create(CWnd* parent) { return CDialog::Create(kTemplateId, parent); }

bool CPlacesPane::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_list.Create(this, kListPlaceholder, m_page, m_manager.GetColor(8))) return false;
  m_list.SetRowHandlers([this](int32_t row) { OnRowSelected(row); }, [this](int32_t) { OnGo(); });
  SetDlgItemText(kMakeButton, m_manager.Text(m_page == kFavoritePlaces ? kDeleteText : kMakeText));
  if (m_page == kFavoritePlaces) {
    Fill(m_manager.Results().Rows(kFavoritePlaces), RoomPaging{}, std::string());
  } else {
    SetState(kWaiting);
  }
  RECT client{};
  GetClientRect(&client);
  Layout(client.right, client.bottom);
  return true;
}

// Enter goes to the selected place; Escape closes the manager.
void CPlacesPane::OnOK() { OnGo(); }

void CPlacesPane::OnCancel() { m_manager.PostMessage(WM_CLOSE); }

void CPlacesPane::Fill(const std::vector<RoomItem>& rows, const RoomPaging& paging,
                       const std::string& currentAddress) {
  const std::string scheme = m_manager.Text(kSchemeText);
  const std::string closed = m_manager.Text(kClosedText);
  const RoomItem* selected = GetSelectedRoom();
  const std::string keep = Comparable(selected ? selected->address : currentAddress, scheme);
  m_list.RemoveAll(false);
  m_rooms.clear();
  m_paging = m_page == kAllPlaces ? paging : RoomPaging{0, paging.total};
  for (const RoomItem& row : rows) {
    if (!ListsRoom(m_page, row, closed)) continue;
    m_rooms.push_back(std::make_unique<RoomItem>(row));
    m_list.AddItem(m_rooms.back().get());
  }
  int32_t chosen = 0;
  for (int32_t row = 0; row < m_list.GetCount(); ++row) {
    if (!keep.empty() && Comparable(m_list.GetRoom(row)->address, scheme) == keep) chosen = row;
  }
  m_list.Redraw();
  m_list.SelectRow(chosen);
  SetState(kReady);
  Invalidate();
}

void CPlacesPane::SetState(State state) {
  m_state = state == kReady && !(m_manager.IsPlaceConnected() && m_list.GetCount() > 0) ? kNotAvailable : state;
  const bool ready = m_state == kReady;
  m_list.EnableWindow(ready);
  if (!ready) m_list.ClearSelection();
  UpdateButtons();
}

void CPlacesPane::UpdateButtons() {
  const bool ready = m_state == kReady;
  for (int id : {kGoButton, kSearchButton, kMakeButton}) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(ready);
  }
  ShowButton(kPrevButton, m_page == kAllPlaces && m_paging.HasPrevious());
  ShowButton(kNextButton, m_page == kAllPlaces && m_paging.HasMore());
}

void CPlacesPane::ShowButton(int id, bool show) {
  if (CWnd* button = GetDlgItem(id)) button->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPlacesPane::OnShown() {
  if (m_list.GetCount() == 0) m_manager.SetStatusText(m_manager.Text(kNoRoomsText));
}

const RoomItem* CPlacesPane::GetSelectedRoom() const {
  const int32_t row = m_list.GetSafeHwnd() ? m_list.GetSelected() : -1;
  return row < 0 ? nullptr : m_list.GetRoom(row);
}

void CPlacesPane::OnRowSelected(int32_t) { m_manager.ShowRoomStatus(GetSelectedRoom()); }

void CPlacesPane::OnGo() {
  const RoomItem* room = GetSelectedRoom();
  if (!room || m_state != kReady) return;
  m_manager.GoTo(*room);
}

void CPlacesPane::OnSearch() {
  if (m_find && ::IsWindow(m_find->m_hWnd)) {
    ::BringWindowToTop(m_find->m_hWnd);
    return;
  }
  m_find = CFindDlg::Open(this, m_manager.Text(kFindCaption));
  if (m_find) m_find->CenterWindow(&m_manager);
}

void CPlacesPane::OnMake() {
  const RoomItem* room = GetSelectedRoom();
  if (!room || m_state != kReady) return;
  if (m_page == kFavoritePlaces)
    DeleteSelectedFavorite();
  else
    m_manager.AddFavorite(*room);
}

void CPlacesPane::DeleteSelectedFavorite() {
  const int32_t row = m_list.GetSelected();
  const RoomItem* room = m_list.GetRoom(row);
  if (!m_manager.RemoveFavorite(*room)) return;
  m_list.DeleteItem(row, true);
  m_rooms.erase(std::remove_if(m_rooms.begin(), m_rooms.end(),
                               [room](const std::unique_ptr<RoomItem>& r) { return r.get() == room; }),
                m_rooms.end());
  Invalidate();
  if (m_list.GetCount() == 0) {
    SetState(kNotAvailable);
    OnShown();
  }
}

void CPlacesPane::OnPrev() {
  SetState(kWaiting);
  m_manager.Query(m_paging.PreviousFirst(), RoomPaging::kPageSize, m_page == kAllPlaces);
}

void CPlacesPane::OnNext() {
  SetState(kWaiting);
  m_manager.Query(m_paging.NextFirst(), RoomPaging::kPageSize, m_page == kAllPlaces);
}

LRESULT CPlacesPane::OnFindNext(WPARAM matchCase, LPARAM text) {
  const std::unique_ptr<std::string> needle = CFindDlg::TakeText(text);
  std::vector<std::string> texts;
  for (int32_t row = 0; row < m_list.GetCount(); ++row) texts.push_back(m_list.RowText(m_list.GetItemObject(row)));
  const int32_t found = FindRoomRow(texts, m_list.GetSelected(), needle ? *needle : std::string(), matchCase != 0);
  if (found < 0) {
    ::MessageBeep(0);
    return 0;
  }
  m_list.SelectRow(found);
  OnRowSelected(found);
  return 0;
}

LRESULT CPlacesPane::OnFindClosed(WPARAM, LPARAM) {
  m_find = nullptr;
  return 0;
}

void CPlacesPane::OnSize(UINT type, int cx, int cy) {
  if (type != SIZE_MINIMIZED) Layout(cx, cy);
}

// Go at the bottom right, Search and Make to its left; Prev and Next on the
// footer line under the list.
void CPlacesPane::Layout(int cx, int cy) {
  CWnd* go = GetDlgItem(kGoButton);
  if (!go || !m_list.GetSafeHwnd()) return;
  RECT goRect{};
  go->GetWindowRect(&goRect);
  const int buttonWidth = Width(goRect), buttonHeight = Height(goRect);
  const int buttonTop = cy - kMargin - buttonHeight;
  int right = cx - kMargin;
  go->MoveWindow(right - buttonWidth, buttonTop, buttonWidth, buttonHeight);
  right -= buttonWidth + kButtonGap;
  if (CWnd* search = GetDlgItem(kSearchButton)) search->MoveWindow(right - buttonWidth, buttonTop, buttonWidth, buttonHeight);
  right -= buttonWidth + kButtonGap;
  const int makeWidth = buttonWidth * 3 / 2 + kButtonGap;
  if (CWnd* make = GetDlgItem(kMakeButton)) make->MoveWindow(right - makeWidth, buttonTop, makeWidth, buttonHeight);
  const int footerTop = buttonTop - kMargin - buttonHeight;
  if (CWnd* prev = GetDlgItem(kPrevButton)) prev->MoveWindow(kMargin, footerTop, buttonWidth, buttonHeight);
  if (CWnd* next = GetDlgItem(kNextButton))
    next->MoveWindow(cx - kMargin - buttonWidth, footerTop, buttonWidth, buttonHeight);
  m_list.MoveWindow(kMargin, kMargin, std::max(cx - 2 * kMargin, 0), std::max(footerTop - 2 * kMargin, 0));
  Invalidate();
}

RECT CPlacesPane::FooterRect() const {
  RECT client{}, list{};
  GetClientRect(&client);
  m_list.GetWindowRect(&list);
  ScreenToClient(&list);
  RECT footer{kMargin, list.bottom + 1, client.right - kMargin, list.bottom + 1};
  if (CWnd* go = GetDlgItem(kGoButton)) {
    RECT goRect{};
    go->GetWindowRect(&goRect);
    footer.bottom = footer.top + Height(goRect) + kMargin;
  }
  return footer;
}

void CPlacesPane::OnPaint() {
  CPaintDC dc(this);
  if (!m_list.GetSafeHwnd()) return;
  RECT footer = FooterRect();
  CFont* font = m_manager.SmallFont();
  CFont* old = font ? dc.SelectObject(font) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  const uint32_t first = m_page == kAllPlaces ? m_paging.first : 0;
  const std::string middle = FooterText(m_list.GetCount(), first, m_manager.Text(kViewingOneText),
                                        m_manager.Text(kViewingRangeText));
  dc.DrawText(middle, &footer, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (m_page == kAllPlaces && m_paging.HasPrevious()) {
    RECT left = footer;
    left.left += 45;
    dc.DrawText(m_manager.Text(kPreviousText), &left, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (m_page == kAllPlaces && m_paging.HasMore()) {
    RECT right = footer;
    right.right -= 45;
    dc.DrawText(m_manager.Text(kNextText), &right, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  dc.FillSolidRect(RECT{footer.left, footer.bottom - 1, footer.right, footer.bottom}, m_manager.GetColor(10));
  if (old) dc.SelectObject(old);
}

// The wait cursor over a pane that waits for its answer.
bool CPlacesPane::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(::LoadCursorA(nullptr, m_state == kWaiting ? IDC_WAIT : IDC_ARROW));
  return true;
}

void CPlacesPane::OnDestroy() {
  if (m_find && ::IsWindow(m_find->m_hWnd)) m_find->DestroyWindow();
  m_find = nullptr;
  m_list.RemoveAll(false);
  m_rooms.clear();
}
